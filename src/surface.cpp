#include "surface.h"

Surface backBuffer;
Surface captureSurface;
Surface hueView;
Surface classView;

void CreateSurface(Surface &surface, int32_t width, int32_t height, HWND window) {
    surface.width = width;
    surface.height = height;

    // Positive height: rows bottom-up in memory. Coordinates through dc still run
    // from the top-left corner.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    surface.bits = nullptr;
    surface.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &surface.bits, nullptr, 0);

    HDC windowDc = GetDC(window);
    surface.dc = CreateCompatibleDC(windowDc);
    ReleaseDC(window, windowDc);

    SelectObject(surface.dc, surface.bitmap);
}

void DeleteSurface(Surface &surface) {
    DeleteDC(surface.dc); // the bitmap is selected out as the context goes
    DeleteObject(surface.bitmap);
}
