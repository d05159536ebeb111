// copy_only.exe: the floor under Tessivo at rest, for bench/run.sh. The default region of the
// screen is copied into a 50 x 100 surface every 24 ms, through the same copy as a tick's, and
// nothing else is done: no window, no paint. It ends on WM_QUIT posted to its thread.
#include "surface.h"
#include "tessivo.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Surface sample;
    CreateSurface(sample, 50, 100, GetDesktopWindow());
    SetTimer(nullptr, 0, (UINT)defaultSettings.interval, nullptr); // to the thread, no window
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        if (message.message == WM_TIMER)
            CopyScreen(sample, defaultSettings.region);
    return 0;
}
