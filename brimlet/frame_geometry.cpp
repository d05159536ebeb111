#include "frame_geometry.h"

#include <algorithm>

Edges WindowAround(const CaptureRegion &region, int dpi) {
    const int side = ScaleLength(FrameSide, dpi), top = ScaleLength(FrameTop, dpi);
    return {region.x - side, region.y - top, region.x + region.width + side,
            region.y + region.height + top};
}

CaptureRegion RegionInside(const Edges &window, int dpi) {
    const int side = ScaleLength(FrameSide, dpi), top = ScaleLength(FrameTop, dpi);
    return {window.left + side, window.top + top, window.right - window.left - 2 * side,
            window.bottom - window.top - 2 * top};
}

Edges ShownFrame(int width, int height, bool bandBelow, int dpi) {
    const int side = ScaleLength(FrameSide, dpi), top = ScaleLength(FrameTop, dpi);
    return bandBelow ? Edges{0, top - side, width, height}
                     : Edges{0, 0, width, height - top + side};
}

bool FindCloseBox(const Edges &shown, bool bandBelow, int dpi, Edges &closeBox) {
    const int side = ScaleLength(FrameSide, dpi), top = ScaleLength(FrameTop, dpi),
              size = ScaleLength(CloseBoxSize, dpi);
    if (shown.right - 2 * side < 3 * size)
        return false;
    const int inner = bandBelow ? shown.bottom - top : shown.top + top - size;
    closeBox = {shown.right - side - size, inner, shown.right - side, inner + size};
    return true;
}

Edges TitleArea(const Edges &shown, bool bandBelow, int dpi) {
    const int side = ScaleLength(FrameSide, dpi), top = ScaleLength(FrameTop, dpi);
    Edges area = {shown.left + side, bandBelow ? shown.bottom - top : shown.top, shown.right - side,
                  bandBelow ? shown.bottom : shown.top + top};
    Edges closeBox;
    if (FindCloseBox(shown, bandBelow, dpi, closeBox))
        area.right = closeBox.left;
    return area;
}

// Which side of a length a position lies on: -1 the start, 1 the end, 0 neither. A corner
// reaches CornerGrip along each edge, or half of a short one.
static int SideOf(int position, int length, int reach) {
    reach = std::min(reach, length / 2);
    return position < reach ? -1 : position >= length - reach ? 1 : 0;
}

FrameHit HitFrame(int x, int y, int width, int height, bool bandBelow, int dpi) {
    const Edges shown = ShownFrame(width, height, bandBelow, dpi);
    const int side = ScaleLength(FrameSide, dpi), grip = ScaleLength(CornerGrip, dpi);
    const int across = shown.right, down = shown.bottom - shown.top, fromTop = y - shown.top;
    const int onEdgeX = SideOf(x, across, side), onEdgeY = SideOf(fromTop, down, side);
    if (onEdgeX != 0 || onEdgeY != 0) {
        const int sideX = onEdgeX != 0 ? onEdgeX : SideOf(x, across, grip);
        const int sideY = onEdgeY != 0 ? onEdgeY : SideOf(fromTop, down, grip);
        return (FrameHit)(3 * (sideY + 1) + sideX + 1);
    }
    Edges closeBox;
    const bool inCloseBox = FindCloseBox(shown, bandBelow, dpi, closeBox) && x >= closeBox.left &&
                            x < closeBox.right && y >= closeBox.top && y < closeBox.bottom;
    return inCloseBox ? HitClose : HitMove;
}

int MinimumWindowWidth(int dpi) {
    return MinimumRegionSide + 2 * ScaleLength(FrameSide, dpi);
}

int MinimumWindowHeight(int dpi) {
    return MinimumRegionSide + 2 * ScaleLength(FrameTop, dpi);
}
