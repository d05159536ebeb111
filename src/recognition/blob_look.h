// What a blob looks like, as the pair watch and the pair search both tell it: its colour, its
// detail (the watch's), and how far apart two hues lie. Reads pixels 0x00RRGGBB from memory; no
// platform.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "recognition/colour.h"

struct CellArea; // recognition/pixel_hue.h

// Below these a pixel is grey, dark or pale: the backdrop of an empty box, not a blob.
const float MinimumSaturation = 0.25f;
const float MinimumValue = 0.2f;

// Whether a pixel is blob-coloured: neither grey, dark nor pale. Its hue, saturation and value go
// to hsv.
bool IsBlobColoured(uint32_t pixel, HsvColour &hsv);

// Whether the step between two pixels is sharp: its largest channel difference is a quarter of
// the brighter pixel's brightest channel or more, and at least 12 levels. A blob's eyes and
// highlight, and its rim against the board, are; its rings darkened toward the rim are not, nor
// a gradient, a faint pattern or the noise of a near-black board. Inline: the watch asks it
// of every pixel of a cell.
inline bool IsSharpStep(uint32_t pixel, uint32_t other) {
    const int32_t darkestSharpBrightness = 48;
    int32_t step = 0, brightest = darkestSharpBrightness;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t a = pixel >> shift & 255, b = other >> shift & 255;
        step = std::max(step, std::abs(a - b));
        brightest = std::max({brightest, a, b});
    }
    return 4 * step >= brightest;
}

// Whether a rectangle of columns x rows pixels has a blob's detail, which a board has not: one
// pixel in 64 of it or more steps sharply (IsSharpStep) to the pixel `step` over or `step` down.
// topLeft is its top left pixel, rowStride the pixels from a row to the one below it (negative in a
// bottom-up bitmap); a neighbour is compared when it lies at most `beyond` past the rectangle's
// right or bottom edge.
bool HasBlobDetail(const uint32_t *topLeft, ptrdiff_t rowStride, int32_t columns, int32_t rows,
                   int32_t step, int32_t beyond);

// The watch's detail in a cell of a sample (rows bottom-up): the step to the pixel two over or two
// down, both inside the cell (a game scaled up smoothly spreads an edge over two).
bool CellHasDetail(const uint32_t *pixels, int32_t width, int32_t height, const CellArea &cell);

// How far a hue in whole degrees lies from a reference, round the circle: 0..180.
// The reference is taken onto the circle first (400 acts as 40): the rule is circular only for
// references on the circle, and one outside it would give negative distances that beat every
// other reference; the settings keep the value as it was read. Inline: the classifier asks it
// five times a pixel.
inline int64_t HueDistance(int64_t degrees, int32_t reference) {
    const int32_t reduced = reference % 360 < 0 ? reference % 360 + 360 : reference % 360;
    int64_t distance = degrees - reduced; // 64-bit: a hue far outside 0..1 cannot overflow
    if (distance < 0)
        distance += 360;
    return distance > 180 ? 360 - distance : distance;
}
