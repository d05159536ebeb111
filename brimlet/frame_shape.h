// The frame as it shows: its region, the side of its band and its scale; the window placed and
// shaped around them, the label beside it, and its paint.
#pragma once

#include <windows.h>

#include "tessivo.h"

// The frame's state, kept as the window moves, changes size or scale.
struct Frame {
    CaptureRegion region; // the region of the window's current place
    bool bandBelow;       // the band stands below the region: above it, it would be off every
                          // monitor, and nothing would be left to grab
    int dpi;              // the display scale of the frame's monitor
};

extern Frame frame;

// The region inside the window where it stands now, at the frame's scale.
CaptureRegion RegionOfWindow(HWND window);

// Shapes the window as the frame alone around frame.region, so that its inside shows what lies
// beneath and lets the mouse through.
void ShapeFrame(HWND window);

// The label beside the part of the frame that shows, clear of the second frame.
void PlaceLabelBeside(HWND window);

// The window, its band, border and label at the frame's scale around frame.region.
void FitFrame(HWND window);

// The frame around the region, as a move by hand would place it: the region is sent even when it
// is the one shown already, so that Tessivo surely has it.
void PlaceFrameOn(HWND window, const CaptureRegion &region);

// The band with the window's title and the close box, the border around the region.
void PaintFrame(HWND window);
