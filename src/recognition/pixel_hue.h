// The pieces of pair recognition that need no platform: pixel values (0x00BBGGRR)
// to hues and back, the class colours, the majority rule and the cell areas.
#pragma once

#include <cstdint>

#include "tessivo.h"

// One channel byte of a pixel, the one at the shift, as k / 255 rounded once to single.
float ChannelFraction(uint32_t pixel, int shift);

// Hue of a pixel: each channel byte k becomes k / 255 in single precision. The top
// byte is ignored.
float PixelHue(uint32_t pixel);

// The pixel of a hue at full saturation and value; each component is scaled to
// 0..255 and truncated (0.5 gives 127).
uint32_t PureHuePixel(float hue);

// The full-intensity pixel in which classView shows a colour 1..5; black otherwise.
uint32_t ClassColour(BlobColour colour);

// Votes of one cell area, index 0 for red (1) up to 4 for purple (5).
typedef int32_t VoteCounts[5];

// The colour with the most votes; equal counts go to the lower colour number, so
// no votes at all give red.
BlobColour MajorityColour(const VoteCounts &votes);

// A cell area of the sample, in pixels.
struct CellArea {
    int32_t left;
    int32_t top;
    int32_t columns;
    int32_t rows;
};

// The square-ish areas voted for the two blobs: one eighth of the width left out at
// either side, one sixteenth of the height at the top and bottom of each half.
CellArea UpperCellArea(int32_t width, int32_t height);
CellArea LowerCellArea(int32_t width, int32_t height);
