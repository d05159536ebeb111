#include "app/main_window.h"

#include "app/button_row.h"
#include "app/record_menu.h"
#include "app/window_procedure.h"
#include "config/program_contract.h"
#include "picture_layout.h"

HWND CreateMainWindow(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, (LPCWSTR)IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = tessivoClassName;
    if (!RegisterClassW(&windowClass))
        return nullptr;

    // The window procedure's StartUp runs on WM_CREATE before this returns: the texts are
    // picked, the display's scale known and the keys loaded before the buttons are made.
    HWND window = CreateWindowExW(WS_EX_TOPMOST, tessivoClassName, L"Tessivo",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  WindowWidth, WindowHeight, nullptr, nullptr, instance, nullptr);
    if (!window)
        return nullptr;
    SetWindowPos(window, nullptr, 0, 0, Scaled(WindowWidth), Scaled(WindowHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateButtons(window, instance); // labelled in the texts and with the keys of StartUp
    return window;
}

int RunMessageLoop() {
    MSG message = {};
    // GetMessageW gives -1 on an invalid call; that ends the loop too, rather than spin.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslatePasteKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return (int)message.wParam;
}
