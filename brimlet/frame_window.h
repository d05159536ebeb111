// The frame that marks the next box's region: a topmost window shaped as a frame only, so that the
// screen shows through its inside, which is the next box's region. It holds both regions and
// places the second frame, sends them to Tessivo and places the label as either frame moves.
#pragma once

#include <windows.h>

#include "tessivo.h"

// Registers the class and creates the hidden frame around the next box's region, and the second
// frame on the second box's (none for a width of 0); null on failure.
HWND CreateFrameWindow(HINSTANCE instance, const CaptureRegion &next, const CaptureRegion &second);
