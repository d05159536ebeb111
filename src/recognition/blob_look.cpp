#include "recognition/blob_look.h"

#include "recognition/pixel_hue.h"

namespace {

// A blob has detail when one pixel in 64 of it has: its eyes and highlight give about one in
// ten; the count is kept low so that a small blob still has it.
const int32_t PixelsPerDetail = 64;

} // namespace

bool IsBlobColoured(uint32_t pixel, HsvColour &hsv) {
    hsv =
        RgbToHsv(ChannelFraction(pixel, 16), ChannelFraction(pixel, 8), ChannelFraction(pixel, 0));
    return hsv.saturation >= MinimumSaturation && hsv.value >= MinimumValue;
}

bool CellHasDetail(const uint32_t *pixels, int32_t width, int32_t height, const CellArea &cell) {
    const uint32_t *topLeft = pixels + (size_t)(height - 1 - cell.top) * (size_t)width + cell.left;
    return HasBlobDetail(topLeft, -(ptrdiff_t)width, cell.columns, cell.rows, 2, 0);
}

bool HasBlobDetail(const uint32_t *topLeft, ptrdiff_t rowStride, int32_t columns, int32_t rows,
                   int32_t step, int32_t beyond) {
    int64_t details = 0;
    for (int32_t y = 0; y < rows; ++y) {
        const uint32_t *row = topLeft + y * rowStride;
        for (int32_t x = 0; x < columns; ++x)
            details += (x + step < columns + beyond && IsSharpStep(row[x], row[x + step])) ||
                       (y + step < rows + beyond && IsSharpStep(row[x], row[x + step * rowStride]));
    }
    return details > 0 && details * PixelsPerDetail >= (int64_t)columns * rows;
}
