#include "recognition/classify.h"

#include "recognition/blob_look.h"
#include "recognition/colour.h"

int32_t HueDegrees(double hue) {
    return TruncateToInt32(hue * 360.0);
}

BlobColour ClassifyHue(double hue, const ReferenceHues &references) {
    int32_t degrees = HueDegrees(hue);
    // Tried in the order of the colour numbers, not the circle order: with the strict
    // comparison, an equal distance goes to the lower colour number.
    BlobColour best = 0;
    int64_t bestDistance = 360;
    for (BlobColour colour = ColourRed; colour <= ColourPurple; ++colour) {
        int64_t distance = HueDistance(degrees, references[colour - 1]);
        if (distance < bestDistance) {
            best = colour;
            bestDistance = distance;
        }
    }
    return best;
}
