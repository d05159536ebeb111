// The composed picture and the record view, drawn on real DIB sections for a real
// window whose client size the tests set.
#include <gtest/gtest.h>

#include "app/picture.h"
#include "app/surface.h"
#include "record/record_view.h"
#include "tessivo.h"
#include "win_test_support.h"

static HWND testWindow; // borderless, so the client size is the window size

static void SetClientSize(int width, int height) {
    SetWindowPos(testWindow, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(testWindow, &client);
    ASSERT_EQ(client.right, width);
    ASSERT_EQ(client.bottom, height);
}

static void FillSurface(const Surface &surface, COLORREF colour) {
    RECT all = {0, 0, surface.width, surface.height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(surface.dc, &all, brush);
    DeleteObject(brush);
}

static void Compose() {
    HDC dc = GetDC(testWindow);
    ComposePicture(testWindow, dc);
    ReleaseDC(testWindow, dc);
}

static COLORREF BackPixel(int x, int y) {
    return GetPixel(backBuffer.dc, x, y);
}

// The middle of the upper and the lower disc of a pair drawn at (x, y).
static COLORREF UpperDisc(int x, int y) {
    return BackPixel(x + 10, y + 10);
}
static COLORREF LowerDisc(int x, int y) {
    return BackPixel(x + 10, y + 30);
}

class Picture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        testWindow =
            CreateTestWindow("PictureTestWindow", 0, WS_POPUP | WS_VISIBLE, {0, 0, 344, 300});
        ASSERT_NE(testWindow, nullptr);
        CreateSurface(backBuffer, 1200, 400, testWindow);
        CreateSurface(captureSurface, 50, 100, GetDesktopWindow());
        CreateSurface(hueView, 50, 100, GetDesktopWindow());
        CreateSurface(classView, 50, 100, GetDesktopWindow());
    }
    void SetUp() override {
        moveRecord.clear();
        // Something other than the background, so that an unfilled pixel shows.
        FillSurface(backBuffer, 0x123456);
    }
};

TEST_F(Picture, BackgroundAndViewsSitAtTheirPlaces) {
    SetClientSize(344, 300);
    FillSurface(captureSurface, 0x0000AA);
    FillSurface(hueView, 0x00BB00);
    FillSurface(classView, 0xCC0000);
    Compose();
    // The last two lie beyond the client size: they never reach the window.
    struct {
        int x, y;
        COLORREF expected;
    } rows[] = {
        {0, 0, 0x888888},    {4, 4, 0x888888},    {5, 5, 0x0000AA},    {54, 104, 0x0000AA},
        {55, 5, 0x888888},   {59, 50, 0x888888},  {60, 5, 0x00BB00},   {109, 104, 0x00BB00},
        {110, 50, 0x888888}, {114, 50, 0x888888}, {115, 5, 0xCC0000},  {164, 104, 0xCC0000},
        {165, 50, 0x888888}, {5, 105, 0x888888},  {50, 200, 0x888888}, {343, 299, 0x888888},
        {344, 10, 0x123456}, {10, 300, 0x123456},
    };
    for (auto &row : rows)
        EXPECT_EQ(BackPixel(row.x, row.y), row.expected) << "at " << row.x << ", " << row.y;
}

TEST_F(Picture, BackgroundIsRefilledOnEveryPaint) {
    SetClientSize(344, 300);
    moveRecord = {{ColourRed, ColourRed}};
    Compose();
    moveRecord.clear();
    Compose();
    EXPECT_EQ(UpperDisc(5, 110), 0x888888u);
    EXPECT_EQ(LowerDisc(5, 110), 0x888888u);
}

TEST_F(Picture, DiscsTakeTheirColoursAndPlaces) {
    SetClientSize(344, 300);
    moveRecord = {{ColourBlue, ColourYellow},
                  {ColourRed, ColourGreen},
                  {ColourPurple, ColourPurple},
                  {0, 6},
                  {-1, ColourBlue}};
    Compose();
    struct {
        const char *name;
        int index;
        COLORREF upper, lower;
    } rows[] = {
        {"blue under yellow", 0, 0x00FFFF, 0xFF0000},
        {"red under green", 1, 0x00FF00, 0x0000FF},
        {"purple discs are (200, 0, 200)", 2, 0xC800C8, 0xC800C8},
        {"codes outside 1..5 are white", 3, 0xFFFFFF, 0xFFFFFF},
        {"negative code is white", 4, 0xFF0000, 0xFFFFFF},
    };
    for (auto &row : rows) {
        int x = 5 + 20 * row.index;
        EXPECT_EQ(UpperDisc(x, 110), row.upper) << row.name;
        EXPECT_EQ(LowerDisc(x, 110), row.lower) << row.name;
    }
    // The one-pixel black outline of the default pen, and the grey corners outside it.
    EXPECT_EQ(BackPixel(15, 110), 0x000000u);
    EXPECT_EQ(BackPixel(15, 149), 0x000000u);
    EXPECT_EQ(BackPixel(5, 110), 0x888888u);
    EXPECT_EQ(BackPixel(24, 149), 0x888888u);
    EXPECT_EQ(BackPixel(5 + 20 * 5 + 10, 120), 0x888888u) << "nothing after the last pair";
}

TEST_F(Picture, PairsPerRowFollowTheClientWidth) {
    struct {
        int width;
        int index; // a pair of a 40-pair record
        int x, y;  // where it is drawn
    } rows[] = {
        {344, 15, 305, 110}, {344, 16, 5, 150}, {345, 16, 325, 110}, {345, 17, 5, 150},
        {45, 1, 25, 110},    {45, 2, 5, 150},   {44, 1, 5, 150},     {25, 1, 5, 150},
        {25, 3, 5, 230},     {24, 1, 5, 150},   {10, 2, 5, 190},     {1, 1, 5, 150},
        {0, 1, 5, 150},
    };
    for (auto &row : rows) {
        SCOPED_TRACE("client width " + std::to_string(row.width) + ", pair " +
                     std::to_string(row.index));
        moveRecord.assign(40, BlobPair{ColourRed, ColourRed});
        moveRecord[row.index] = BlobPair{ColourBlue, ColourGreen};
        FillSurface(backBuffer, 0x123456);
        SetClientSize(row.width, 300);
        Compose();
        EXPECT_EQ(UpperDisc(row.x, row.y), 0x00FF00u);
        EXPECT_EQ(LowerDisc(row.x, row.y), 0xFF0000u);
    }
}

// A pair that starts below what reaches the window is skipped; one that shows by a
// single row is still drawn.
TEST_F(Picture, OnlyPairsThatCanBeSeenAreDrawn) {
    struct {
        int clientHeight;
        bool secondRowDrawn;
    } rows[] = {{171, true}, {170, false}, {300, true}};
    for (auto &row : rows) {
        SCOPED_TRACE("client height " + std::to_string(row.clientHeight));
        moveRecord.assign(10000, BlobPair{ColourGreen, ColourBlue});
        SetClientSize(344, row.clientHeight);
        Compose();
        EXPECT_EQ(UpperDisc(5, 110), 0xFF0000u);
        EXPECT_EQ(UpperDisc(5, 150) == 0xFF0000u, row.secondRowDrawn);
    }
}

TEST_F(Picture, DrawingLeavesTheStockWhiteBrushAndNoBrushBehind) {
    SetClientSize(344, 420); // 8 rows of 16 pairs reach the screen
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    moveRecord.assign(200, BlobPair{ColourYellow, ColourPurple});
    DrawMoveRecord(testWindow);
    EXPECT_EQ(GetCurrentObject(backBuffer.dc, OBJ_BRUSH), white);

    // Two brushes per visible pair and paint: were even one a pair left undeleted,
    // the platform's table of about 64,000 handles would run out before the last paint.
    for (int paint = 0; paint < 600; ++paint)
        DrawMoveRecord(testWindow);
    moveRecord[0] = BlobPair{ColourGreen, ColourRed};
    FillSurface(backBuffer, 0x123456);
    Compose();
    EXPECT_EQ(UpperDisc(5, 110), 0x0000FFu);
    EXPECT_EQ(LowerDisc(5, 110), 0x00FF00u);
    EXPECT_EQ(GetCurrentObject(backBuffer.dc, OBJ_BRUSH), white);
}

TEST_F(Picture, CopiedToTheWindowBelowTheButtonRow) {
    SetClientSize(344, 300);
    FillSurface(captureSurface, 0x0000AA);
    HDC dc = GetDC(testWindow);
    RECT all = {0, 0, 344, 300};
    HBRUSH brush = CreateSolidBrush(0x00FF00);
    FillRect(dc, &all, brush); // stands for the buttons' row
    DeleteObject(brush);
    ComposePicture(testWindow, dc);
    EXPECT_EQ(GetPixel(dc, 10, 10), 0x00FF00u) << "the top 20 rows are not painted";
    EXPECT_EQ(GetPixel(dc, 2, 22), 0x888888u);
    EXPECT_EQ(GetPixel(dc, 5, 25), 0x0000AAu);
    EXPECT_EQ(GetPixel(dc, 54, 124), 0x0000AAu);
    EXPECT_EQ(GetPixel(dc, 55, 124), 0x888888u);
    ReleaseDC(testWindow, dc);
}
