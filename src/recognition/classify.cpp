#include "recognition/classify.h"

#include "recognition/colour.h"

int32_t HueDegrees(double hue) {
    return TruncateToInt32(hue * 360.0);
}

// A reference hue brought onto the circle, 0..359 (400 acts as 40, -72 as 288).
// The distance rule below is circular only for references on the circle: one
// outside it would give negative distances that beat every other reference.
// The settings keep the value as it was read.
static int32_t ReducedReference(int32_t reference) {
    int32_t reduced = reference % 360;
    return reduced < 0 ? reduced + 360 : reduced;
}

int32_t &ReferenceHue(BlobColour colour) {
    static int32_t Settings::*const references[] = {&Settings::hueRed, &Settings::hueGreen,
                                                    &Settings::hueBlue, &Settings::hueYellow,
                                                    &Settings::huePurple};
    return settings.*references[colour - 1];
}

int64_t HueDistance(int64_t degrees, int32_t reference) {
    // 64-bit, so that a hue far outside 0..1 cannot overflow.
    int64_t distance = degrees - ReducedReference(reference);
    if (distance < 0)
        distance += 360;
    return distance > 180 ? 360 - distance : distance;
}

BlobColour ClassifyHue(double hue) {
    int32_t degrees = HueDegrees(hue);
    // Tried in the order of the colour numbers, not the circle order: with the strict
    // comparison, an equal distance goes to the lower colour number.
    BlobColour best = 0;
    int64_t bestDistance = 360;
    for (BlobColour colour = ColourRed; colour <= ColourPurple; ++colour) {
        int64_t distance = HueDistance(degrees, ReferenceHue(colour));
        if (distance < bestDistance) {
            best = colour;
            bestDistance = distance;
        }
    }
    return best;
}
