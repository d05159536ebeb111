// The frame that marks the capture region: a topmost window shaped as a frame only,
// so that the screen shows through its inside, which is the region.
#pragma once

#include <windows.h>

#include "tessivo.h"

// Registers the class and creates the hidden frame around the region, and the second frame on
// the second box's region (none for a width of 0); null on failure.
HWND CreateFrameWindow(HINSTANCE instance, const CaptureRegion &region,
                       const CaptureRegion &second);
