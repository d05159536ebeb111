#include "app/wide_text.h"

std::wstring WideText(const char *text, UINT codePage) {
    int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return L"";
    std::wstring wide((size_t)length, L'\0');
    MultiByteToWideChar(codePage, 0, text, -1, &wide[0], length);
    wide.resize((size_t)length - 1); // without the terminator
    return wide;
}

HFONT InterfaceFont() {
    static HFONT font; // made once, used for the life of the process
    if (font)
        return font;
    LOGFONTW face = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    // The stock font is scaled to the system's DPI, which a DPI-aware program sees as is.
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi > 0)
        face.lfHeight = MulDiv(face.lfHeight, 96, dpi);
    font = CreateFontIndirectW(&face);
    return font ? font : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}
