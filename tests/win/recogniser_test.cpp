// Pair recognition on real DIB sections: the votes, the hue view and the class view.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/surface.h"
#include "recognition/classify.h"
#include "recognition/pixel_hue.h"
#include "recognition/recogniser.h"
#include "win_test_support.h"

namespace {

const COLORREF Red = 0x000000FF;
const COLORREF Green = 0x0000FF00;
const COLORREF Blue = 0x00FF0000;
const COLORREF Yellow = 0x0000FFFF;
const COLORREF Cyan = 0x00FFFF00;
const COLORREF Magenta = 0x00FF00FF;
const COLORREF Black = 0x00000000;
const COLORREF White = 0x00FFFFFF;
const COLORREF Leftover = 0x00123456; // painted into both views before each capture

// The cell areas of the 50 x 100 sample: x 6..43, y 6..43 (upper) and 56..93 (lower).
bool InUpperArea(int x, int y) {
    return x >= 6 && x <= 43 && y >= 6 && y <= 43;
}
bool InLowerArea(int x, int y) {
    return x >= 6 && x <= 43 && y >= 56 && y <= 93;
}

void FillSurface(const Surface &surface, int left, int top, int right, int bottom,
                 COLORREF colour) {
    RECT rectangle = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(surface.dc, &rectangle, brush);
    DeleteObject(brush);
}

// Sets the first `count` pixels of an area, taken column by column, to `first` and the
// rest to `second`.
void PaintSplitArea(int left, int top, int count, COLORREF first, COLORREF second) {
    int n = 0;
    for (int x = left; x < left + 38; ++x) {
        for (int y = top; y < top + 38; ++y)
            SetPixel(captureSurface.dc, x, y, n++ < count ? first : second);
    }
}

// Compares every pixel of a view; reports the number of wrong pixels and the first.
template <typename Expected>
void ExpectView(const Surface &view, const char *name, Expected expected) {
    int wrong = 0;
    std::string first;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 50; ++x) {
            COLORREF actual = GetPixel(view.dc, x, y);
            COLORREF wanted = expected(x, y);
            if (actual != wanted && wrong++ == 0) {
                char text[96];
                snprintf(text, sizeof text, "(%d, %d) is 0x%08lX, expected 0x%08lX", x, y,
                         (unsigned long)actual, (unsigned long)wanted);
                first = text;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << name << ": first wrong pixel " << first;
}

// classView after a capture: the class colours inside the areas, black around them.
void ExpectClassView(COLORREF upper, COLORREF lower) {
    ExpectView(classView, "classView", [&](int x, int y) {
        return InUpperArea(x, y) ? upper : InLowerArea(x, y) ? lower : Black;
    });
}

class Recogniser : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        CreateSurface(captureSurface, 50, 100, GetDesktopWindow());
        CreateSurface(hueView, 50, 100, GetDesktopWindow());
        CreateSurface(classView, 50, 100, GetDesktopWindow());
    }
    void SetUp() override {
        settings = defaultSettings;
        FillSurface(hueView, 0, 0, 50, 100, Leftover);
        FillSurface(classView, 0, 0, 50, 100, Leftover);
    }
};

TEST_F(Recogniser, SurfacesAreRealDibSections) {
    DIBSECTION section = {};
    ASSERT_EQ(GetObjectA(captureSurface.bitmap, sizeof section, &section), (int)sizeof section);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(GetCurrentObject(captureSurface.dc, OBJ_BITMAP), captureSurface.bitmap);
}

TEST_F(Recogniser, UniformSampleGivesOneColourTwiceAndPaintsBothViews) {
    struct Row {
        const char *name;
        COLORREF fill;
        BlobColour lower, upper;
        COLORREF hue, classColour;
    };
    const Row rows[] = {
        {"pure red", Red, ColourRed, ColourRed, Red, Red},
        {"black", Black, ColourRed, ColourRed, Red, Red},
        {"white", White, ColourRed, ColourRed, Red, Red},
        {"grey", 0x00808080, ColourRed, ColourRed, Red, Red},
        {"pure green", Green, ColourGreen, ColourGreen, Green, Green},
        {"pure blue", Blue, ColourBlue, ColourBlue, Blue, Blue},
        {"yellow", Yellow, ColourYellow, ColourYellow, Yellow, Yellow},
        {"cyan, tie between green and blue", Cyan, ColourGreen, ColourGreen, Cyan, Green},
        {"magenta at 299 degrees", Magenta, ColourPurple, ColourPurple, Magenta, Magenta},
        {"dark magenta (100, 0, 100)", 0x00640064, ColourPurple, ColourPurple, Magenta, Magenta},
        {"(200, 0, 100) at 330 degrees, hue blue byte 127", 0x006400C8, ColourRed, ColourRed,
         0x007F00FF, Red},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        FillSurface(captureSurface, 0, 0, 50, 100, row.fill);
        BlobPair pair = RecognisePair(captureSurface);
        EXPECT_EQ(pair.lower, row.lower);
        EXPECT_EQ(pair.upper, row.upper);
        ExpectView(hueView, "hueView", [&](int, int) { return row.hue; });
        ExpectClassView(row.classColour, row.classColour);
    }
}

TEST_F(Recogniser, GreenOverBlueGivesBlueLowerAndGreenUpper) {
    FillSurface(captureSurface, 0, 0, 50, 50, Green);
    FillSurface(captureSurface, 0, 50, 50, 100, Blue);
    BlobPair pair = RecognisePair(captureSurface);
    EXPECT_EQ(pair.lower, ColourBlue);
    EXPECT_EQ(pair.upper, ColourGreen);
    ExpectView(hueView, "hueView", [](int, int y) { return y < 50 ? Green : Blue; });
    ExpectClassView(Green, Blue);
}

TEST_F(Recogniser, MajorityOfTheCellAreaWinsAndEqualCountsGoToTheLowerNumber) {
    struct Row {
        const char *name;
        COLORREF first;
        int firstCount;
        COLORREF second;
        BlobColour expected;
    };
    const Row rows[] = {
        {"722 green, then 722 blue", Green, 722, Blue, ColourGreen},
        {"722 blue, then 722 green", Blue, 722, Green, ColourGreen},
        {"700 red, then 744 purple", Red, 700, Magenta, ColourPurple},
        {"744 purple, then 700 red", Magenta, 744, Red, ColourPurple},
        {"722 black (red), then 722 purple", Black, 722, Magenta, ColourRed},
        {"721 red, then 723 purple", Red, 721, Magenta, ColourPurple},
        {"722 purple, then 722 yellow", Magenta, 722, Yellow, ColourYellow},
        {"1443 blue, then 1 green", Blue, 1443, Green, ColourBlue},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        // Upper area split as the row says, lower area split the other way round.
        FillSurface(captureSurface, 0, 0, 50, 100, Black);
        PaintSplitArea(6, 6, row.firstCount, row.first, row.second);
        PaintSplitArea(6, 56, 1444 - row.firstCount, row.second, row.first);
        BlobPair pair = RecognisePair(captureSurface);
        EXPECT_EQ(pair.upper, row.expected);
        EXPECT_EQ(pair.lower, row.expected);

        // Every voted pixel shows its own class, so classView holds the counts.
        int upperVotes = 0, lowerVotes = 0;
        COLORREF firstClass = ClassColour(ClassifyHue(PixelHue(row.first)));
        for (int x = 6; x <= 43; ++x) {
            for (int y = 6; y <= 43; ++y)
                upperVotes += GetPixel(classView.dc, x, y) == firstClass;
            for (int y = 56; y <= 93; ++y)
                lowerVotes += GetPixel(classView.dc, x, y) == firstClass;
        }
        EXPECT_EQ(upperVotes, row.firstCount);
        EXPECT_EQ(lowerVotes, row.firstCount);
    }
}

TEST_F(Recogniser, MarginsNeverCount) {
    struct Row {
        const char *name;
        COLORREF margin, upper, lower;
        BlobColour upperColour, lowerColour;
    };
    const Row rows[] = {
        {"green margins around blue over yellow", Green, Blue, Yellow, ColourBlue, ColourYellow},
        {"blue margins around black", Blue, Black, Black, ColourRed, ColourRed},
        {"magenta margins around green over red", Magenta, Green, Red, ColourGreen, ColourRed},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        // Columns 0..5 and 44..49, rows 0..5, 44..55 and 94..99 hold the margin colour.
        FillSurface(captureSurface, 0, 0, 50, 100, row.margin);
        FillSurface(captureSurface, 6, 6, 44, 44, row.upper);
        FillSurface(captureSurface, 6, 56, 44, 94, row.lower);
        BlobPair pair = RecognisePair(captureSurface);
        EXPECT_EQ(pair.upper, row.upperColour);
        EXPECT_EQ(pair.lower, row.lowerColour);
        ExpectView(hueView, "hueView", [&](int x, int y) {
            COLORREF source = InUpperArea(x, y)   ? row.upper
                              : InLowerArea(x, y) ? row.lower
                                                  : row.margin;
            return (COLORREF)PureHuePixel(PixelHue(source));
        });
        ExpectClassView(ClassColour(row.upperColour), ClassColour(row.lowerColour));
    }
}

// A different colour in every pixel: the views follow the source pixel by pixel, with
// x and y the right way round.
TEST_F(Recogniser, ViewsFollowTheSourcePixelByPixel) {
    auto sourceColour = [](int x, int y) {
        return (COLORREF)RGB((x * 53 + y * 7) & 255, (y * 29 + x) & 255, (x * y * 3 + 17) & 255);
    };
    for (int x = 0; x < 50; ++x) {
        for (int y = 0; y < 100; ++y)
            SetPixel(captureSurface.dc, x, y, sourceColour(x, y));
    }
    RecognisePair(captureSurface);
    ExpectView(captureSurface, "captureSurface (unchanged)", sourceColour);
    ExpectView(hueView, "hueView",
               [&](int x, int y) { return (COLORREF)PureHuePixel(PixelHue(sourceColour(x, y))); });
    ExpectView(classView, "classView", [&](int x, int y) {
        if (!InUpperArea(x, y) && !InLowerArea(x, y))
            return Black;
        return (COLORREF)ClassColour(ClassifyHue(PixelHue(sourceColour(x, y))));
    });
}

TEST_F(Recogniser, ReadsTheReferenceHuesOfTheSettings) {
    struct Row {
        const char *name;
        int32_t references[5]; // red, green, blue, yellow, purple
        COLORREF fill;
        BlobColour expected;
    };
    const Row rows[] = {
        {"all five equal: green is red", {144, 144, 144, 144, 144}, Green, ColourRed},
        {"red and green swapped: green is red", {120, 0, 216, 72, 288}, Green, ColourRed},
        {"red and green swapped: red is green", {120, 0, 216, 72, 288}, Red, ColourGreen},
        {"yellow 400 acts as 40: red stays red", {0, 144, 216, 400, 288}, Red, ColourRed},
        {"purple -60 acts as 300: magenta is purple",
         {0, 144, 216, 72, -60},
         Magenta,
         ColourPurple},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        settings.hueRed = row.references[0];
        settings.hueGreen = row.references[1];
        settings.hueBlue = row.references[2];
        settings.hueYellow = row.references[3];
        settings.huePurple = row.references[4];
        FillSurface(captureSurface, 0, 0, 50, 100, row.fill);
        BlobPair pair = RecognisePair(captureSurface);
        EXPECT_EQ(pair.lower, row.expected);
        EXPECT_EQ(pair.upper, row.expected);
        ExpectClassView(ClassColour(row.expected), ClassColour(row.expected));
    }
}

TEST_F(Recogniser, VoteAreaPaintsOnlyItsOwnPixels) {
    struct Row {
        const char *name;
        int32_t left, top, columns, rows;
        BlobColour expected;
    };
    const Row rows[] = {
        {"3 x 4 at (10, 20)", 10, 20, 3, 4, ColourBlue},
        {"one pixel at (49, 99)", 49, 99, 1, 1, ColourBlue},
        {"no columns", 6, 6, 0, 38, ColourRed},
        {"no rows", 6, 6, 38, 0, ColourRed},
        {"negative size", 6, 6, -5, -5, ColourRed},
    };
    FillSurface(captureSurface, 0, 0, 50, 100, Blue);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        EXPECT_EQ(VoteArea(captureSurface, row.left, row.top, row.columns, row.rows), row.expected);
        ExpectView(classView, "classView", [&](int x, int y) {
            bool inside = x >= row.left && x < row.left + row.columns && y >= row.top &&
                          y < row.top + row.rows;
            return inside ? Blue : Leftover;
        });
    }
}

} // namespace
