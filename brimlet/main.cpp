// Brimlet: places Tessivo's next box's region. It starts on the region of the settings
// file in the working directory and sends every change to Tessivo's mailslot.
#include <windows.h>

#include "brimlet_texts.h"
#include "config/program_contract.h"
#include "config/region_link.h"
#include "config/settings_file.h"
#include "frame_window.h"

// One frame at a time: a second start brings the open frame to the front and ends, and the
// open frame keeps its region. The name is held until this process ends.
static bool BringOpenFrameForward() {
    CreateMutexW(nullptr, FALSE, L"Local\\BrimletFrame");
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    for (int tries = 0; tries < 250; ++tries, Sleep(20)) // the first may still be making it
        if (HWND open = FindWindowW(brimletClassName, nullptr)) {
            BringFrameForward(open);
            return true;
        }
    return true;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    if (BringOpenFrameForward())
        return 0;
    Settings start = defaultSettings;
    LoadSettings(start);
    PickBrimletTexts(start.language);
    HWND window = CreateFrameWindow(instance, start.region, start.secondRegion);
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
