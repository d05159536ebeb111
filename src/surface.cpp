#include "surface.h"

#include <algorithm>

Surface backBuffer;
Surface captureSurface;
Surface secondSurface;
Surface hueView;
Surface classView;

void CreateSurface(Surface &surface, int32_t width, int32_t height, HWND window, bool topDown) {
    surface.width = width;
    surface.height = height;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = topDown ? -height : height; // negative: the first row on top
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

void CopyScreen(const Surface &surface, const CaptureRegion &area) {
    HDC screen = GetDC(nullptr);
    StretchBlt(surface.dc, 0, 0, surface.width, surface.height, screen, area.x, area.y, area.width,
               area.height, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

bool SameAsLastCopy(const Surface &surface, std::vector<uint32_t> &lastCopy) {
    GdiFlush(); // the copy into the surface is done before its memory is read
    const uint32_t *pixels = static_cast<const uint32_t *>(surface.bits);
    const size_t size = pixels ? (size_t)surface.width * (size_t)surface.height : 0;
    if (lastCopy.size() == size && std::equal(pixels, pixels + size, lastCopy.begin()))
        return true;
    lastCopy.assign(pixels, pixels + size);
    return false;
}
