#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!CreateMainWindow(instance))
        return -1;
    return RunMessageLoop();
}
