#include "recognition/colour.h"

// Every stored value is rounded to single exactly once: each expression below is
// evaluated on doubles and cast to float where the result is kept.

int32_t TruncateToInt32(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return INT32_MIN;
    return (int32_t)value;
}

HsvColour RgbToHsv(float red, float green, float blue) {
    float max = red;
    if (green > max)
        max = green;
    if (blue > max)
        max = blue;
    float min = red;
    if (green < min)
        min = green;
    if (blue < min)
        min = blue;
    float delta = (float)((double)max - (double)min);

    // Position on the six-sector circle, one unit per 60 degrees. The order of the
    // tests picks the formula when two components share the maximum: yellow and
    // magenta use the red formula, cyan the green one.
    float p = 0;
    if (delta > 0) {
        if (max == red) {
            p = (float)(((double)green - (double)blue) / (double)delta);
            if (p < 0)
                p = (float)((double)p + 6.0);
        } else if (max == green) {
            p = (float)(((double)blue - (double)red) / (double)delta + 2.0);
        } else {
            p = (float)(((double)red - (double)green) / (double)delta + 4.0);
        }
    }

    HsvColour hsv;
    hsv.hue = (float)((double)p / 6.0);
    hsv.saturation = max != 0 ? (float)((double)delta / (double)max) : delta;
    hsv.value = max;
    return hsv;
}

// One component times its factor, rounded once.
static float ScaledComponent(float component, double factor) {
    return (float)((double)component * factor);
}

void HsvToRgb(float hue, float saturation, RgbColour &colour) {
    float sextantPosition = (float)((double)hue * 6.0);
    int32_t sextant = TruncateToInt32(sextantPosition);
    float f = (float)((double)sextantPosition - (double)sextant);
    double s = saturation;
    double falling = 1.0 - (double)f * s;
    double rising = 1.0 - (1.0 - (double)f) * s;
    double lowest = 1.0 - s;

    // Components whose factor is 1 are left as they are.
    switch (sextant) {
    case 1:
        colour.red = ScaledComponent(colour.red, falling);
        colour.blue = ScaledComponent(colour.blue, lowest);
        break;
    case 2:
        colour.red = ScaledComponent(colour.red, lowest);
        colour.blue = ScaledComponent(colour.blue, rising);
        break;
    case 3:
        colour.red = ScaledComponent(colour.red, lowest);
        colour.green = ScaledComponent(colour.green, falling);
        break;
    case 4:
        colour.red = ScaledComponent(colour.red, rising);
        colour.green = ScaledComponent(colour.green, lowest);
        break;
    case 5:
        colour.green = ScaledComponent(colour.green, lowest);
        colour.blue = ScaledComponent(colour.blue, falling);
        break;
    default: // 0, and every sextant outside 1..5 (hue 1.0 gives 6)
        colour.green = ScaledComponent(colour.green, rising);
        colour.blue = ScaledComponent(colour.blue, lowest);
        break;
    }
}
