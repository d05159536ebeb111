// The fit of the region onto the game's next pair as the screen shows it now.
#pragma once

#include <windows.h>

#include <vector>

#include "tessivo.h"

// Captures the screen in and around the region, its width and height on every side, in the
// screen's pixels, and finds the pair nearest the region's centre there. Pixels inside the
// rectangles left out (screen coordinates) are not searched. False when no pair is there.
bool FindPairAround(const CaptureRegion &region, const std::vector<RECT> &leftOut,
                    CaptureRegion &found);
