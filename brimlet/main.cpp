// Brimlet: places Tessivo's capture region. It starts on the region of the settings
// file in the working directory and sends every change to Tessivo's mailslot.
#include <windows.h>

#include "brimlet_texts.h"
#include "config/settings_file.h"
#include "frame_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    Settings start = defaultSettings;
    LoadSettings(start);
    PickBrimletTexts(start.language);
    HWND window = CreateFrameWindow(instance, start.region);
    if (!window)
        return -1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return (int)message.wParam;
}
