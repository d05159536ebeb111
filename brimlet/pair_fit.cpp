#include "pair_fit.h"

#include "recognition/pair_search.h"
#include "surface.h"

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
    const CaptureRegion copied = {area.left, area.top, area.right - area.left,
                                  area.bottom - area.top};
    if (copied.width <= 0 || copied.height <= 0)
        return false;
    Surface screen;
    CreateSurface(screen, copied.width, copied.height, nullptr, true); // as the search reads it
    if (!screen.bitmap) {
        DeleteSurface(screen);
        return false;
    }
    CopyScreen(screen, copied);
    GdiFlush(); // the pixels are read straight from the section's memory; the search takes
    const uint32_t *pixels = (const uint32_t *)screen.bits; // no notice of their undefined top byte
    std::vector<CaptureRegion> exclude;
    for (const RECT &out : leftOut)
        exclude.push_back(
            {out.left - copied.x, out.top - copied.y, out.right - out.left, out.bottom - out.top});
    const CaptureRegion frame = {region.x - copied.x, region.y - copied.y, region.width,
                                 region.height};
    const bool any = FindPairNear(pixels, copied.width, copied.height, frame, exclude, found);
    found.x += copied.x;
    found.y += copied.y;
    DeleteSurface(screen);
    return any;
}
