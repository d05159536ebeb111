#include "recognition/blob_look.h"

#include <algorithm>
#include <cstdlib>

#include "recognition/pixel_hue.h"

namespace {

// A step is detail when its largest channel difference is a quarter of the brighter pixel's
// brightest channel or more, and at least 12 levels: a dimmed blob keeps its detail, while a
// gradient, a faint pattern or the noise of a near-black board has none.
const int32_t DarkestDetailBrightness = 48;

// A blob has detail when one pixel in 64 of it has: its eyes and highlight give about one in
// ten; the count is kept low so that a small blob still has it.
const int32_t PixelsPerDetail = 64;

bool IsDetail(uint32_t pixel, uint32_t other) {
    int32_t step = 0, brightest = DarkestDetailBrightness;
    for (int shift = 0; shift <= 16; shift += 8) {
        int32_t a = pixel >> shift & 255, b = other >> shift & 255;
        step = std::max(step, std::abs(a - b));
        brightest = std::max({brightest, a, b});
    }
    return 4 * step >= brightest;
}

} // namespace

bool IsBlobColoured(uint32_t pixel, HsvColour &hsv) {
    hsv =
        RgbToHsv(ChannelFraction(pixel, 16), ChannelFraction(pixel, 8), ChannelFraction(pixel, 0));
    return hsv.saturation >= MinimumSaturation && hsv.value >= MinimumValue;
}

bool HasBlobDetail(const uint32_t *topLeft, ptrdiff_t rowStride, int32_t columns, int32_t rows,
                   int32_t step, int32_t beyond) {
    int64_t details = 0;
    for (int32_t y = 0; y < rows; ++y) {
        const uint32_t *row = topLeft + y * rowStride;
        for (int32_t x = 0; x < columns; ++x)
            details += (x + step < columns + beyond && IsDetail(row[x], row[x + step])) ||
                       (y + step < rows + beyond && IsDetail(row[x], row[x + step * rowStride]));
    }
    return details > 0 && details * PixelsPerDetail >= (int64_t)columns * rows;
}
