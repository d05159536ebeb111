#include "display_scale.h"

#include <map>

void FillWithColour(HDC dc, const RECT &area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

HFONT InterfaceFont(int dpi) {
    static std::map<int, HFONT> fonts; // one a scale, used for the life of the process
    HFONT &font = fonts[dpi];
    if (font)
        return font;
    LOGFONTW face = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    // The stock font is made for the system's DPI, which a DPI-aware program sees as is.
    HDC screen = GetDC(nullptr);
    int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (systemDpi > 0)
        face.lfHeight = MulDiv(face.lfHeight, dpi, systemDpi);
    font = CreateFontIndirectW(&face);
    return font ? font : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}

SIZE TextSize(HWND window, int dpi, const wchar_t *text, int length) {
    HDC dc = GetDC(window);
    HGDIOBJ oldFont = SelectObject(dc, InterfaceFont(dpi));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, length, &size);
    SelectObject(dc, oldFont);
    ReleaseDC(window, dc);
    return size;
}

int WindowDpi(HWND window) {
    // Named at run time: the programs also start on systems older than the call.
    typedef UINT(WINAPI * DpiOfWindow)(HWND);
    static DpiOfWindow dpiOfWindow =
        (DpiOfWindow)(void *)GetProcAddress(GetModuleHandleW(L"user32"), "GetDpiForWindow");
    if (dpiOfWindow)
        return (int)dpiOfWindow(window);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}
