// The frame as it shows around the next box's region: the window placed and shaped around it,
// its band above the region or below it, its hit test and its paint.
#pragma once

#include <windows.h>

#include "tessivo.h"

// The region inside the window where it stands now, at the scale.
CaptureRegion RegionOfWindow(HWND window, int dpi);

// Moves and sizes the window around the region at the scale.
void PlaceFrame(HWND window, const CaptureRegion &region, int dpi);

// Shapes the window as the frame alone around the region, so that its inside shows what lies
// beneath and lets the mouse through, its band below the region where above it would be off every
// monitor: when the window was resized, or the band changes side.
void ShapeFrame(HWND window, const CaptureRegion &region, int dpi, bool resized);

// The part of the frame that shows, band and all, in screen coordinates.
RECT FrameOnScreen(HWND window, int dpi);

// What the point on the screen grips: the platform's code of an edge, a corner, the band (the
// caption) or the close box.
LRESULT HitTestFrame(HWND window, LPARAM position, int dpi);

// The band with the window's title and the close box, the border around the region.
void PaintFrame(HWND window, int dpi);
