#include "recognition/recogniser.h"

#include "recognition/classify.h"
#include "recognition/pixel_hue.h"
#include "display_scale.h"

// Every pixel goes through its own GetPixel and SetPixel call on the Surfaces' dc.

static float SurfacePixelHue(const Surface &surface, int32_t x, int32_t y) {
    return PixelHue(GetPixel(surface.dc, x, y));
}

// Every pixel of the source at its pure hue; grey, black and white show as red.
static void PaintHueView(const Surface &source) {
    for (int32_t x = 0; x < source.width; ++x) {
        for (int32_t y = 0; y < source.height; ++y)
            SetPixel(hueView.dc, x, y, PureHuePixel(SurfacePixelHue(source, x, y)));
    }
}

static void FillClassViewBlack(int32_t width, int32_t height) {
    FillWithColour(classView.dc, {0, 0, width, height}, 0);
}

BlobColour VoteArea(const Surface &source, int32_t left, int32_t top, int32_t columns,
                    int32_t rows) {
    VoteCounts votes = {};
    for (int32_t x = left; x < left + columns; ++x) {
        for (int32_t y = top; y < top + rows; ++y) {
            // Every pixel votes, dark and grey ones too (their hue is 0).
            BlobColour colour = ClassifyHue(SurfacePixelHue(source, x, y), settings.hues);
            ++votes[colour - 1];
            SetPixel(classView.dc, x, y, ClassColour(colour));
        }
    }
    return MajorityColour(votes);
}

BlobPair RecognisePair(const Surface &source) {
    PaintHueView(source);
    FillClassViewBlack(source.width, source.height);
    CellArea upperArea = UpperCellArea(source.width, source.height);
    CellArea lowerArea = LowerCellArea(source.width, source.height);
    BlobColour upper =
        VoteArea(source, upperArea.left, upperArea.top, upperArea.columns, upperArea.rows);
    BlobColour lower =
        VoteArea(source, lowerArea.left, lowerArea.top, lowerArea.columns, lowerArea.rows);
    return {lower, upper};
}
