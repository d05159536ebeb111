#include "popup_window.h"

HWND CreatePopup(HINSTANCE instance, const wchar_t *className, WNDPROC procedure, DWORD exStyle,
                 const wchar_t *title, HWND owner, const RECT &place) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    windowClass.lpszClassName = className;
    if (!RegisterClassW(&windowClass))
        return nullptr;
    return CreateWindowExW(WS_EX_TOPMOST | exStyle, className, title, WS_POPUP, place.left,
                           place.top, place.right - place.left, place.bottom - place.top, owner,
                           nullptr, instance, nullptr);
}
