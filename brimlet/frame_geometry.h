// The frame's geometry at any display scale, without the platform: the window around a region,
// the part of it that shows with its band above or below the region, the band's title and close
// box, what a point of the window grips, and the least size. Lengths of the frame are given at
// 100 % (96 DPI); the region inside is in the screen's pixels at every scale.
#pragma once

#include "scale_length.h"
#include "tessivo.h"

const int FrameSide = 4;         // frame thickness beside the region, and opposite the band
const int FrameTop = 18;         // the band: its outer edge, then title and grip
const int CornerGrip = 16;       // how far along an edge its corner's resize reaches
const int CloseBoxSize = 14;     // the close box at the right end of the band
const int MinimumRegionSide = 8; // the region is never smaller than 8 x 8

// A rectangle as the platform has one: right and bottom just outside.
struct Edges {
    int left;
    int top;
    int right;
    int bottom;
};

// What a point of the frame does when pressed: resize by an edge or corner, move, close. Rows of
// three, from the top: the platform's codes map onto them in this order.
enum FrameHit {
    HitTopLeft,
    HitTop,
    HitTopRight,
    HitLeft,
    HitMove,
    HitRight,
    HitBottomLeft,
    HitBottom,
    HitBottomRight,
    HitClose,
};

// The window holds the region with room for the band both above and below it; only one band
// shows. The band then changes sides without the window moving, even in the middle of a drag.
Edges WindowAround(const CaptureRegion &region, int dpi);
CaptureRegion RegionInside(const Edges &window, int dpi);

// The part of a window of that size that shows (window coordinates): the region, the border and
// the band.
Edges ShownFrame(int width, int height, bool bandBelow, int dpi);

// The close box, at the right end of the band beside the region; false when the band is too
// narrow to keep room for the grip.
bool FindCloseBox(const Edges &shown, bool bandBelow, int dpi, Edges &closeBox);

// Where the title is written: the band within the border, up to the close box.
Edges TitleArea(const Edges &shown, bool bandBelow, int dpi);

// Edges and corners resize; the rest of the band moves; the close box closes. x and y are in the
// window of that size.
FrameHit HitFrame(int x, int y, int width, int height, bool bandBelow, int dpi);

// The least window: a region of 8 x 8 inside.
int MinimumWindowWidth(int dpi);
int MinimumWindowHeight(int dpi);
