// Pixel decoding, pure-hue packing, class colours, the majority rule and the cell
// areas of pair recognition.
#include <gtest/gtest.h>

#include <cstring>

#include "recognition/classify.h"
#include "recognition/pixel_hue.h"

namespace {

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(PixelHue, DecodesRedFromTheLowestByteAndIgnoresTheTopByte) {
    struct Row {
        const char *name;
        uint32_t pixel;
        float hue;
    };
    const Row rows[] = {
        {"red", 0x000000FF, 0},
        {"green", 0x0000FF00, 0.333333343f},
        {"blue", 0x00FF0000, 0.666666687f},
        {"yellow", 0x0000FFFF, 0.166666672f},
        {"cyan", 0x00FFFF00, 0.5f},
        {"magenta", 0x00FF00FF, 0.833333313f},
        {"(200, 100, 50)", 0x003264C8, 0.0555555522f},
        {"top byte set on red", 0xFF0000FF, 0},
        {"top byte set on blue", 0x80FF0000, 0.666666687f},
        {"black", 0, 0},
        {"white", 0x00FFFFFF, 0},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Bits(PixelHue(row.pixel)), Bits(row.hue)) << row.name;
}

TEST(PureHuePixel, PacksFullSaturationAndValueWithTruncatedBytes) {
    struct Row {
        const char *name;
        float hue;
        uint32_t pixel;
    };
    const Row rows[] = {
        {"red", 0, 0x000000FF},
        {"yellow", PixelHue(0x0000FFFF), 0x0000FFFF},
        {"green", PixelHue(0x0000FF00), 0x0000FF00},
        {"cyan", 0.5f, 0x00FFFF00},
        {"blue", PixelHue(0x00FF0000), 0x00FF0000},
        {"magenta", PixelHue(0x00FF00FF), 0x00FF00FF},
        {"hue 1.0", 1.0f, 0x000000FF},
        {"(200, 0, 100): blue 127.5 truncated", PixelHue(0x006400C8), 0x007F00FF},
        {"a quarter past red: green 63.75", 0.25f / 6, 0x00003FFF},
    };
    for (const Row &row : rows)
        EXPECT_EQ(PureHuePixel(row.hue), row.pixel) << row.name;
}

TEST(ClassColour, FullIntensityColourForEachClass) {
    struct Row {
        BlobColour colour;
        uint32_t pixel;
    };
    const Row rows[] = {
        {ColourRed, 0x000000FF},
        {ColourGreen, 0x0000FF00},
        {ColourBlue, 0x00FF0000},
        {ColourYellow, 0x0000FFFF},
        {ColourPurple, 0x00FF00FF},
        {0, 0},
        {6, 0},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ClassColour(row.colour), row.pixel) << "colour " << row.colour;
}

TEST(MajorityColour, StrictlyMoreVotesTakeTheLeadAndTiesStayWithTheLowerNumber) {
    struct Row {
        const char *name;
        VoteCounts votes; // red, green, blue, yellow, purple
        BlobColour expected;
    };
    const Row rows[] = {
        {"no votes", {0, 0, 0, 0, 0}, ColourRed},
        {"722 green, 722 blue", {0, 722, 722, 0, 0}, ColourGreen},
        {"700 red, 744 purple", {700, 0, 0, 0, 744}, ColourPurple},
        {"722 red, 722 purple", {722, 0, 0, 0, 722}, ColourRed},
        {"all equal", {5, 5, 5, 5, 5}, ColourRed},
        {"yellow and purple tie", {0, 0, 1, 2, 2}, ColourYellow},
        {"purple alone", {0, 0, 0, 0, 1}, ColourPurple},
        {"green alone", {0, 1, 0, 0, 0}, ColourGreen},
        {"blue leads by one", {300, 400, 401, 343, 0}, ColourBlue},
        {"leader returns after a dip", {3, 1, 4, 1, 5}, ColourPurple},
    };
    for (const Row &row : rows)
        EXPECT_EQ(MajorityColour(row.votes), row.expected) << row.name;
}

TEST(CellArea, MarginsOfAnEighthAndASixteenthInEachHalf) {
    struct Row {
        const char *name;
        int32_t width, height;
        CellArea upper, lower;
    };
    const Row rows[] = {
        {"50 x 100 sample", 50, 100, {6, 6, 38, 38}, {6, 56, 38, 38}},
        {"16 x 32", 16, 32, {2, 2, 12, 12}, {2, 18, 12, 12}},
        {"odd height 101", 50, 101, {6, 6, 38, 38}, {6, 56, 38, 38}},
        {"too small for margins", 7, 15, {0, 0, 7, 7}, {0, 7, 7, 7}},
        {"empty", 0, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"1200 x 400", 1200, 400, {150, 25, 900, 150}, {150, 225, 900, 150}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        CellArea upper = UpperCellArea(row.width, row.height);
        CellArea lower = LowerCellArea(row.width, row.height);
        EXPECT_EQ(upper.left, row.upper.left);
        EXPECT_EQ(upper.top, row.upper.top);
        EXPECT_EQ(upper.columns, row.upper.columns);
        EXPECT_EQ(upper.rows, row.upper.rows);
        EXPECT_EQ(lower.left, row.lower.left);
        EXPECT_EQ(lower.top, row.lower.top);
        EXPECT_EQ(lower.columns, row.lower.columns);
        EXPECT_EQ(lower.rows, row.lower.rows);
    }
}

TEST(PixelHue, EveryEightBitColourGivesAWholeDegreeOnTheCircleAndAColour) {
    settings = defaultSettings;
    uint32_t failures = 0;
    uint32_t firstFailure = 0;
    for (uint32_t pixel = 0; pixel < 0x1000000; ++pixel) {
        double hue = PixelHue(pixel);
        int32_t degrees = HueDegrees(hue);
        BlobColour colour = ClassifyHue(hue);
        if (degrees < 0 || degrees > 359 || colour < ColourRed || colour > ColourPurple) {
            if (failures++ == 0)
                firstFailure = pixel;
        }
    }
    EXPECT_EQ(failures, 0u) << "first failing pixel 0x" << std::hex << firstFailure;
}

} // namespace
