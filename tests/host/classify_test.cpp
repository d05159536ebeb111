// Classification of hues against the reference hues of the settings.
#include <gtest/gtest.h>

#include <string>

#include "recognition/classify.h"
#include "recognition/colour.h"

namespace {

// A hue that lies inside the given whole degree.
double HueOfDegree(int32_t degrees) {
    return (degrees + 0.5) / 360.0;
}

void SetReferences(int32_t red, int32_t green, int32_t blue, int32_t yellow, int32_t purple) {
    settings = defaultSettings;
    settings.hueRed = red;
    settings.hueGreen = green;
    settings.hueBlue = blue;
    settings.hueYellow = yellow;
    settings.huePurple = purple;
}

TEST(ClassifyHue, PureColoursLandOnTheirWholeDegrees) {
    settings = defaultSettings;
    struct Row {
        const char *name;
        float red, green, blue;
        int32_t degrees;
        BlobColour colour;
    };
    const Row rows[] = {
        {"red", 1, 0, 0, 0, ColourRed},
        {"yellow", 1, 1, 0, 60, ColourYellow},
        {"green", 0, 1, 0, 120, ColourGreen},
        {"cyan, tie green-blue", 0, 1, 1, 180, ColourGreen},
        {"blue", 0, 0, 1, 240, ColourBlue},
        {"magenta truncated to 299", 1, 0, 1, 299, ColourPurple},
        {"black", 0, 0, 0, 0, ColourRed},
        {"white", 1, 1, 1, 0, ColourRed},
        {"grey", 0.5f, 0.5f, 0.5f, 0, ColourRed},
        {"(200, 0, 100)", 200 / 255.0f, 0, 100 / 255.0f, 330, ColourRed},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        double hue = RgbToHsv(row.red, row.green, row.blue).hue;
        EXPECT_EQ(HueDegrees(hue), row.degrees);
        EXPECT_EQ(ClassifyHue(hue), row.colour);
    }
}

TEST(ClassifyHue, HueJustBelowOneIsRed) {
    settings = defaultSettings;
    EXPECT_EQ(HueDegrees(0.99935), 359);
    EXPECT_EQ(ClassifyHue(0.99935), ColourRed);
}

TEST(ClassifyHue, DefaultReferencesDivideTheCircleWithTiesToTheEarlierColour) {
    settings = defaultSettings;
    // 36, 108, 180, 252 and 324 are exact ties between two neighbours.
    struct Row {
        int32_t first, last;
        BlobColour colour;
    };
    const Row rows[] = {
        {0, 36, ColourRed},     {37, 107, ColourYellow},  {108, 180, ColourGreen},
        {181, 252, ColourBlue}, {253, 323, ColourPurple}, {324, 359, ColourRed},
    };
    for (const Row &row : rows) {
        for (int32_t degrees = row.first; degrees <= row.last; ++degrees) {
            ASSERT_EQ(ClassifyHue(HueOfDegree(degrees)), row.colour)
                << "degrees " << degrees << " in row " << row.first << ".." << row.last;
        }
    }
}

TEST(ClassifyHue, EqualReferencesGoToTheColourTriedFirst) {
    struct Row {
        const char *name;
        int32_t references[5]; // red, green, blue, yellow, purple
        int32_t tieDegrees;
        BlobColour winner;
        BlobColour neverReturned;
        bool winnerEverywhere;
    };
    const Row rows[] = {
        {"all five equal", {50, 50, 50, 50, 50}, 50, ColourRed, ColourGreen, true},
        {"green and blue equal", {0, 144, 144, 72, 288}, 144, ColourGreen, ColourBlue, false},
        {"blue and yellow equal", {0, 144, 72, 72, 288}, 72, ColourBlue, ColourYellow, false},
        {"yellow and purple equal",
         {0, 144, 216, 300, 300},
         300,
         ColourYellow,
         ColourPurple,
         false},
        {"red and purple equal", {288, 144, 216, 72, 288}, 288, ColourRed, ColourPurple, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const int32_t *r = row.references;
        SetReferences(r[0], r[1], r[2], r[3], r[4]);
        EXPECT_EQ(ClassifyHue(HueOfDegree(row.tieDegrees)), row.winner);
        for (int32_t degrees = 0; degrees < 360; ++degrees) {
            BlobColour colour = ClassifyHue(HueOfDegree(degrees));
            ASSERT_NE(colour, row.neverReturned) << "degrees " << degrees;
            if (row.winnerEverywhere) {
                ASSERT_EQ(colour, row.winner) << "degrees " << degrees;
            }
        }
    }
}

TEST(ClassifyHue, ReferenceOutsideTheCircleDoesNotWinWithANegativeDistance) {
    // Taken as read, 400 would give degrees 0 the distance -40, and -72 would give
    // degrees 359 the distance -71: both would beat red at distance 0 or 1.
    SetReferences(0, 144, 216, 400, 288);
    EXPECT_EQ(ClassifyHue(HueOfDegree(0)), ColourRed);
    EXPECT_EQ(ClassifyHue(HueOfDegree(40)), ColourYellow);
    EXPECT_EQ(settings.hueYellow, 400) << "the settings keep the value as read";

    SetReferences(0, 144, -72, 72, 288);
    EXPECT_EQ(ClassifyHue(HueOfDegree(359)), ColourRed);
    EXPECT_EQ(ClassifyHue(HueOfDegree(288)), ColourBlue);
    EXPECT_EQ(settings.hueBlue, -72);
}

TEST(ClassifyHue, ReferenceOutsideTheCircleActsAsItsPlaceOnTheCircle) {
    struct Row {
        int32_t value;
        int32_t actsAs;
    };
    const Row rows[] = {
        {360, 0},   {400, 40}, {720, 0},    {1000, 280},      {-1, 359},
        {-72, 288}, {-360, 0}, {-400, 320}, {INT32_MAX, 127}, {INT32_MIN, 232},
    };
    struct Field {
        const char *name;
        int32_t Settings::*member;
    };
    const Field fields[] = {
        {"red", &Settings::hueRed},       {"green", &Settings::hueGreen},
        {"blue", &Settings::hueBlue},     {"yellow", &Settings::hueYellow},
        {"purple", &Settings::huePurple},
    };
    for (const Field &field : fields) {
        for (const Row &row : rows) {
            SCOPED_TRACE(std::string(field.name) + " = " + std::to_string(row.value));
            for (int32_t degrees = 0; degrees < 360; ++degrees) {
                settings = defaultSettings;
                settings.*field.member = row.actsAs;
                BlobColour expected = ClassifyHue(HueOfDegree(degrees));
                settings.*field.member = row.value;
                ASSERT_EQ(ClassifyHue(HueOfDegree(degrees)), expected) << "degrees " << degrees;
                ASSERT_EQ(settings.*field.member, row.value);
            }
        }
    }
}

} // namespace
