// Conversions between red-green-blue and hue-saturation-value, all components in
// 0..1. Each expression is evaluated in double precision and rounded to single
// where a value is stored: the classifier truncates hues to whole degrees, so the
// last bit of a hue matters.
#pragma once

#include <cstdint>

struct RgbColour {
    float red;
    float green;
    float blue;
};

struct HsvColour {
    float hue; // fraction of a full turn: 0 red, 1/3 green, 2/3 blue
    float saturation;
    float value;
};

HsvColour RgbToHsv(float red, float green, float blue);

// Scales the triple in place; called with (v, v, v) it yields the full conversion.
void HsvToRgb(float hue, float saturation, RgbColour &colour);

// Float-to-integer conversion as the colour arithmetic uses it: truncation toward
// zero. Values that do not fit, and NaN, give INT32_MIN (as the x86 conversion
// instruction does) instead of undefined behaviour.
int32_t TruncateToInt32(double value);
