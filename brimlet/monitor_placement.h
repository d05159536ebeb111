// Where the frame stands among the monitors: the side of its band, and a region brought back from
// a monitor that is gone.
#pragma once

#include "tessivo.h"

// Above the region where the band's outer edge lies on a monitor, at the middle of the part of
// the region on its monitor; below it where it would not: a region may lie at a screen's very
// top, where a band above it could not be grabbed.
bool BandFitsAbove(const CaptureRegion &region, int dpi);

// A region that lies on no monitor (one unplugged since the region was saved) in the middle of
// the main one, its size kept; false for a region on a monitor, even in part, which stays.
bool BringOntoMainMonitor(CaptureRegion &region);
