// Classification of one hue against five reference hues.
#pragma once

#include "tessivo.h"

// The colour whose reference hue is nearest on the circle (HueDistance), in whole degrees;
// ties go to the lower colour number. Always 1..5.
BlobColour ClassifyHue(double hue, const ReferenceHues &references);

// A hue (fraction of a full turn) in whole degrees, truncated toward zero: 0..359
// for every hue decoded from a pixel.
int32_t HueDegrees(double hue);
