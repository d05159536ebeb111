// Colour conversion, pinned to the last bit: a hue one bit off crosses a whole
// degree in the classifier.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "recognition/classify.h"
#include "recognition/colour.h"

namespace {

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

::testing::AssertionResult SameFloat(const char *what, float actual, float expected) {
    if (Bits(actual) == Bits(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << what << " is " << std::hexfloat << actual << " (bits 0x" << std::hex << Bits(actual)
           << "), expected " << std::hexfloat << expected << " (bits 0x" << std::hex
           << Bits(expected) << ")";
}

// k / 255 rounded once to single, as a pixel channel is decoded.
float Channel(int k) {
    return (float)((double)k / 255.0);
}

TEST(RgbToHsv, WorkedValuesToTheLastBit) {
    struct Row {
        const char *name;
        float red, green, blue;
        float hue, saturation, value;
    };
    const Row rows[] = {
        {"red", 1, 0, 0, 0, 1, 1},
        {"green, 1/3 rounded up", 0, 1, 0, 0.333333343f, 1, 1},
        {"blue, 2/3 rounded", 0, 0, 1, 0.666666687f, 1, 1},
        {"yellow, red formula p = 1", 1, 1, 0, 0.166666672f, 1, 1},
        {"cyan, green formula p = 3", 0, 1, 1, 0.5f, 1, 1},
        {"magenta, -1 + 6, below 5/6", 1, 0, 1, 0.833333313f, 1, 1},
        {"white", 1, 1, 1, 0, 0, 1},
        {"black, no division by zero", 0, 0, 0, 0, 0, 0},
        {"grey 128", Channel(128), Channel(128), Channel(128), 0, 0, Channel(128)},
        {"grey 0.5", 0.5f, 0.5f, 0.5f, 0, 0, 0.5f},
        {"(200, 100, 50)", Channel(200), Channel(100), Channel(50), 0.0555555522f, 0.75f,
         0.784313738f},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        HsvColour hsv = RgbToHsv(row.red, row.green, row.blue);
        EXPECT_TRUE(SameFloat("hue", hsv.hue, row.hue));
        EXPECT_TRUE(SameFloat("saturation", hsv.saturation, row.saturation));
        EXPECT_TRUE(SameFloat("value", hsv.value, row.value));
    }
}

TEST(RgbToHsv, RoundsToSingleAtEveryStoredStep) {
    // Colours whose whole degree moves when the arithmetic is done on floats, or on
    // doubles without the intermediate roundings to single.
    struct Row {
        const char *name;
        int red, green, blue; // bytes
        float hue;
        int32_t degrees;
    };
    const Row rows[] = {
        {"(4, 5, 0), on floats 72", 4, 5, 0, 0.199999988f, 71},
        {"(3, 9, 0), on floats 100", 3, 9, 0, 0.277777761f, 99},
        {"(4, 4, 1), on floats 60", 4, 4, 1, 0.166666657f, 59},
        {"(7, 6, 1), on floats 50", 7, 6, 1, 0.138888881f, 49},
        {"(0, 5, 6), on floats 189", 0, 5, 6, 0.527777791f, 190},
        {"(2, 3, 0), unrounded 80", 2, 3, 0, 0.222222209f, 79},
        {"(4, 3, 0), unrounded 44", 4, 3, 0, 0.125f, 45},
        {"(5, 3, 0), unrounded 36", 5, 3, 0, 0.099999994f, 35},
        {"(1, 0, 3), unrounded 259", 1, 0, 3, 0.722222269f, 260},
        {"(2, 0, 3), unrounded 280", 2, 0, 3, 0.777777731f, 279},
        {"(16, 1, 5), p + 6 unrounded 343", 16, 1, 5, 0.955555618f, 344},
        {"(27, 0, 5), p + 6 unrounded last bit", 27, 0, 5, 0.969135761f, 348},
        {"(200, 0, 100)", 200, 0, 100, 0.916666687f, 330},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        float hue = RgbToHsv(Channel(row.red), Channel(row.green), Channel(row.blue)).hue;
        EXPECT_TRUE(SameFloat("hue", hue, row.hue));
        EXPECT_EQ(HueDegrees(hue), row.degrees);
    }
}

TEST(RgbToHsv, PureHuesLieOnTheSideOfTheFractionThatTruncationNeeds) {
    // Green just above 1/3 and magenta just below 5/6: the classifier's whole
    // degrees are 120 and 299.
    EXPECT_GT((double)RgbToHsv(0, 1, 0).hue, 1.0 / 3.0);
    EXPECT_LT((double)RgbToHsv(1, 0, 1).hue, 5.0 / 6.0);
}

TEST(HsvToRgb, ScalesTheTripleByTheRowOfItsSextant) {
    struct Row {
        const char *name;
        float hue, saturation;
        RgbColour in, out;
    };
    const Row rows[] = {
        {"saturation 0, hue 0.3", 0.3f, 0, {0.2f, 0.4f, 0.6f}, {0.2f, 0.4f, 0.6f}},
        {"saturation 0, hue 0.9", 0.9f, 0, {0.7f, 0.1f, 0.3f}, {0.7f, 0.1f, 0.3f}},
        {"saturation 0, hue 1.0", 1.0f, 0, {0.25f, 0.5f, 1}, {0.25f, 0.5f, 1}},
        {"hue 0", 0, 1, {1, 1, 1}, {1, 0, 0}},
        {"hue 1/6", 1.0f / 6.0f, 1, {1, 1, 1}, {1, 1, 0}},
        {"hue 1/3", 1.0f / 3.0f, 1, {1, 1, 1}, {0, 1, 0}},
        {"hue 0.5", 0.5f, 1, {1, 1, 1}, {0, 1, 1}},
        {"hue 2/3", 2.0f / 3.0f, 1, {1, 1, 1}, {0, 0, 1}},
        {"hue 5/6", 5.0f / 6.0f, 1, {1, 1, 1}, {1, 0, 1}},
        {"hue 1.0, sextant 6 takes the first row", 1.0f, 1, {1, 1, 1}, {1, 0, 0}},
        // A quarter into each sextant tells the rising factor (0.25) from the falling one.
        {"sextant 0 + 1/4", 0.25f / 6, 1, {1, 1, 1}, {1, 0.25f, 0}},
        {"sextant 1 + 1/4", 1.25f / 6, 1, {1, 1, 1}, {0.75f, 1, 0}},
        {"sextant 2 + 1/4", 2.25f / 6, 1, {1, 1, 1}, {0, 1, 0.25f}},
        {"sextant 3 + 1/4", 3.25f / 6, 1, {1, 1, 1}, {0, 0.75f, 1}},
        {"sextant 4 + 1/4", 4.25f / 6, 1, {1, 1, 1}, {0.25f, 0, 1}},
        {"sextant 5 + 1/4", 5.25f / 6, 1, {1, 1, 1}, {1, 0, 0.75f}},
        {"sextant 6 + 3/4 takes the first row", 6.75f / 6, 1, {1, 1, 1}, {1, 0.75f, 0}},
        {"sextant -1 takes the first row, f = -0.5", -0.25f, 1, {1, 1, 1}, {1, -0.5f, 0}},
        {"hue 0.1, saturation 0.5, grey 0.8",
         0.1f,
         0.5f,
         {0.8f, 0.8f, 0.8f},
         {0.8f, 0.640000045f, 0.400000006f}},
        {"value scales: hue 2/3, (0.5, 0.5, 0.5)",
         2.0f / 3.0f,
         1,
         {0.5f, 0.5f, 0.5f},
         {0, 0, 0.5f}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        RgbColour colour = row.in;
        HsvToRgb(row.hue, row.saturation, colour);
        EXPECT_TRUE(SameFloat("red", colour.red, row.out.red));
        EXPECT_TRUE(SameFloat("green", colour.green, row.out.green));
        EXPECT_TRUE(SameFloat("blue", colour.blue, row.out.blue));
    }
}

TEST(TruncateToInt32, TruncatesTowardZeroAndGivesTheMinimumWhenOutOfRange) {
    struct Row {
        const char *name;
        double value;
        int32_t expected;
    };
    const Row rows[] = {
        {"0.9", 0.9, 0},
        {"-0.9", -0.9, 0},
        {"299.99999", 299.99999, 299},
        {"-1.5", -1.5, -1},
        {"largest", 2147483647.9, INT32_MAX},
        {"smallest", -2147483648.9, INT32_MIN},
        {"one past the largest", 2147483648.0, INT32_MIN},
        {"far below", -1e300, INT32_MIN},
        {"infinity", std::numeric_limits<double>::infinity(), INT32_MIN},
        {"NaN", std::nan(""), INT32_MIN},
    };
    for (const Row &row : rows)
        EXPECT_EQ(TruncateToInt32(row.value), row.expected) << row.name;
}

} // namespace
