// The fit of the next box's region onto the game's pair as the screen shows it now, and of the
// second box's region onto its pair, and their undo.
#pragma once

#include <windows.h>

#include "tessivo.h"

// Fits the next box's region onto the game's pair nearest it, and the second box's onto the pair
// near that one, or none and says why; the regions before are kept for the undo. False when no
// pair is found: the regions stay, and the label says so.
bool FitToPair(HWND window, CaptureRegion &next, CaptureRegion &second);

// Gives the regions of before the last fit, once; false when there are none.
bool UndoFit(CaptureRegion &next, CaptureRegion &second);
