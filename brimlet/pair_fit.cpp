#include "pair_fit.h"

#include "recognition/pair_search.h"

// The rectangle of the screen searched: the region's width and height on every side of it,
// within the virtual screen.
static RECT AreaAround(const CaptureRegion &region) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         top + GetSystemMetrics(SM_CYVIRTUALSCREEN)},
               around = {region.x - region.width, region.y - region.height,
                         region.x + 2 * region.width, region.y + 2 * region.height};
    RECT area = {};
    IntersectRect(&area, &around, &screen);
    return area;
}

bool FindPairAround(const CaptureRegion &region, const std::vector<RECT> &leftOut,
                    CaptureRegion &found) {
    const RECT area = AreaAround(region);
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool any = false;
    if (picture) {
        HGDIOBJ old = SelectObject(memory, picture);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        GdiFlush(); // the pixels are read straight from the section's memory; the search takes
        const uint32_t *pixels = (const uint32_t *)bits; // no notice of their undefined top byte
        std::vector<CaptureRegion> exclude;
        for (const RECT &out : leftOut)
            exclude.push_back({out.left - area.left, out.top - area.top, out.right - out.left,
                               out.bottom - out.top});
        const CaptureRegion frame = {region.x - area.left, region.y - area.top, region.width,
                                     region.height};
        any = FindPairNear(pixels, width, height, frame, exclude, found);
        found.x += area.left, found.y += area.top;
        SelectObject(memory, old);
        DeleteObject(picture);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return any;
}
