#include "app/main_window.h"

#include <initializer_list>

#include "app/window_procedure.h"

HWND captureButton; // the five buttons, kept to give them the GUI font
HWND undoButton;
HWND resetButton;
HWND linkButton;
HWND regionButton;

const char mainWindowClass[] = "Tessivo";

const int ButtonHeight = 20;

// "キャプチャ(ALT+F1)" (capture)
static const char captureText[] = "\x83\x4C\x83\x83\x83\x76\x83\x60\x83\x83(ALT+F1)";
// "1手戻す" (take back one move)
static const char undoText[] = "1\x8E\xE8\x96\xDF\x82\xB7";
// "URL生成" (make the URL)
static const char linkText[] = "URL\x90\xB6\x90\xAC";
// "領域選択" (select the region)
static const char regionText[] = "\x97\xCC\x88\xE6\x91\x49\x91\xF0";

static HWND CreateButton(HWND parent, HINSTANCE instance, Command id, const char *text, int left,
                         int width) {
    return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE, left, 0, width, ButtonHeight,
                           parent, (HMENU)(UINT_PTR)id, instance, nullptr);
}

HWND CreateMainWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = mainWindowClass;
    if (!RegisterClassA(&windowClass))
        return nullptr;

    // The window procedure runs its start-up on WM_CREATE before this returns.
    HWND window = CreateWindowExA(WS_EX_TOPMOST, mainWindowClass, "Tessivo",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  360, 220, nullptr, nullptr, instance, nullptr);
    if (!window)
        return nullptr;

    captureButton = CreateButton(window, instance, CmdCapture, captureText, 0, 100);
    undoButton = CreateButton(window, instance, CmdUndo, undoText, 100, 60);
    resetButton = CreateButton(window, instance, CmdReset, "RESET", 160, 60);
    linkButton = CreateButton(window, instance, CmdMakeLink, linkText, 220, 60);
    regionButton = CreateButton(window, instance, CmdSelectRegion, regionText, 280, 60);

    WPARAM font = (WPARAM)GetStockObject(DEFAULT_GUI_FONT);
    for (HWND button : {captureButton, undoButton, resetButton, linkButton, regionButton})
        SendMessageA(button, WM_SETFONT, font, 0);
    return window;
}

int RunMessageLoop() {
    MSG message = {};
    // GetMessageA gives -1 on an invalid call; that ends the loop too, rather than spin.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
