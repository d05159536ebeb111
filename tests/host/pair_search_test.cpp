#include <gtest/gtest.h>

#include "../game_box.h"
#include "recognition/pair_search.h"

// Screens of cells c (blobs 12 to 160 across), a light board, the box's blobs, a second box's, a
// field; the frame off by quarters of the box right and down, its size in tenths of the box's, what
// it holds left out. The region found must be the box's (a cell a half); other pairs lie farther.
TEST(PairSearch, FitsTheRegionOntoThePairNearestTheFrame) {
    const char *names[] = {"1x",   "1.5x", "2x",   "12px", "160px",  "left", "right", "up",
                           "down", "x1.5", "x0.6", "up 2", "down 2", "one",  "empty", "out"};
    const int rows[][9] = {{50, 0, 2, 1, 1, 0, 0, 10, 0},  {75, 1, 2, 1, 1, 0, 0, 10, 0},
                           {100, 0, 2, 1, 1, 0, 0, 10, 0}, {14, 1, 2, 1, 1, 0, 0, 10, 0},
                           {174, 0, 2, 1, 0, 0, 0, 10, 0}, {50, 0, 2, 1, 1, -1, 0, 10, 0},
                           {50, 1, 2, 1, 1, 1, 0, 10, 0},  {50, 0, 2, 1, 1, 0, -1, 10, 0},
                           {50, 0, 2, 1, 1, 0, 1, 10, 0},  {50, 0, 2, 1, 1, 0, 0, 15, 0},
                           {50, 1, 2, 1, 1, 0, 0, 6, 0},   {50, 0, 2, 1, 1, 0, -2, 10, 0},
                           {50, 0, 2, 0, 0, 0, 2, 10, 0},  {50, 0, 1, 0, 0, 0, 0, 10, 0},
                           {50, 1, 0, 0, 0, 0, 0, 10, 0},  {50, 0, 2, 0, 0, 0, 0, 10, 1}};
    for (int row = 0; row < 16; ++row) {
        const auto &[c, light, pair, second, field, right, down, size, out] = rows[row];
        const int w = c * size / 10;
        const auto screen = PaintScreen(c, light ? 0xE8E8F0 : 0x202030, pair, second, field);
        CaptureRegion found = {}, frame = {8 * c + (c - w) / 2 + right * c / 4,
                                           4 * c - w + down * c / 2, w, 2 * w};
        const bool any = FindPairNear(screen.data(), 10 * c, 11 * c, frame,
                                      std::vector<CaptureRegion>(out, frame), found);
        EXPECT_EQ(any, pair == 2 && !out) << names[row];
        const int32_t got[] = {found.x, found.y, found.width, found.height}, cells[] = {8, 3, 1, 2};
        for (int i = 0; any && i < 4; ++i)
            EXPECT_NEAR(got[i], cells[i] * c, 0.06 * c) << names[row] << ", xywh " << i;
    }
}
