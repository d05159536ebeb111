#include "app/main_window.h"

#include <initializer_list>

#include "app/texts.h"
#include "app/wide_text.h"
#include "app/window_procedure.h"
#include "picture_layout.h"

HWND captureButton; // the five buttons, kept to give them the font
HWND undoButton;
HWND resetButton;
HWND linkButton;
HWND regionButton;

const wchar_t mainWindowClass[] = L"Tessivo";

const int ButtonHeight = 20;

static HWND CreateButton(HWND parent, HINSTANCE instance, Command id, const char *text, int left,
                         int width) {
    return CreateWindowExW(0, L"BUTTON", Say(text).c_str(), WS_CHILD | WS_VISIBLE, left, 0, width,
                           ButtonHeight, parent, (HMENU)(UINT_PTR)id, instance, nullptr);
}

HWND CreateMainWindow(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, (LPCWSTR)IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = mainWindowClass;
    if (!RegisterClassW(&windowClass))
        return nullptr;

    // The window procedure runs its start-up on WM_CREATE before this returns: the texts
    // are picked by then.
    HWND window = CreateWindowExW(WS_EX_TOPMOST, mainWindowClass, L"Tessivo",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  360, 220, nullptr, nullptr, instance, nullptr);
    if (!window)
        return nullptr;

    captureButton = CreateButton(window, instance, CmdCapture, texts->capture, 0, 100);
    undoButton = CreateButton(window, instance, CmdUndo, texts->undo, 100, 60);
    resetButton = CreateButton(window, instance, CmdReset, texts->reset, 160, 60);
    linkButton = CreateButton(window, instance, CmdMakeLink, texts->makeLink, 220, 60);
    regionButton = CreateButton(window, instance, CmdSelectRegion, texts->selectRegion, 280, 60);

    WPARAM font = (WPARAM)InterfaceFont(pictureDpi);
    for (HWND button : {captureButton, undoButton, resetButton, linkButton, regionButton})
        SendMessageW(button, WM_SETFONT, font, 0);
    return window;
}

int RunMessageLoop() {
    MSG message = {};
    // GetMessageW gives -1 on an invalid call; that ends the loop too, rather than spin.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return (int)message.wParam;
}
