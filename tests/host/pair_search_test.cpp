#include <gtest/gtest.h>

#include "../game_box.h"
#include "recognition/pair_search.h"

// Screens as PaintScreen draws them; the frame moved by quarters of the box, sized in tenths of it,
// what it holds left out (out). The box's pair is fitted, a cell a half; other pairs lie farther.
TEST(PairSearch, FitsTheRegionOntoThePairNearestTheFrame) {
    const struct {
        const char *name;
        int c, light, pair, second, field, first, right, down, size, out;
    } rows[] = {
        {"1x", 50, 0, 2, 1, 1, 0, 0, 0, 10, 0},     {"1.5x", 75, 1, 2, 1, 1, 0, 0, 0, 10, 0},
        {"2x", 100, 0, 2, 1, 1, 0, 0, 0, 10, 0},    {"12px", 14, 1, 2, 1, 1, 0, 0, 0, 10, 0},
        {"160px", 174, 0, 2, 1, 0, 0, 0, 0, 10, 0}, {"left", 50, 0, 2, 1, 1, 0, -1, 0, 10, 0},
        {"right", 50, 1, 2, 1, 1, 0, 1, 0, 10, 0},  {"up", 50, 0, 2, 1, 1, 0, 0, -1, 10, 0},
        {"down", 50, 0, 2, 1, 1, 0, 0, 1, 10, 0},   {"x1.5", 50, 0, 2, 1, 1, 0, 0, 0, 15, 0},
        {"x0.6", 50, 1, 2, 1, 1, 0, 0, 0, 6, 0},    {"up 2", 50, 0, 2, 1, 1, 0, 0, -2, 10, 0},
        {"down 2", 50, 0, 2, 0, 0, 0, 0, 2, 10, 0}, {"one", 50, 0, 1, 0, 0, 0, 0, 0, 10, 0},
        {"empty", 50, 1, 0, 0, 0, 0, 0, 0, 10, 0},  {"out", 50, 0, 2, 0, 0, 0, 0, 0, 10, 1},
        {"first", 50, 0, 2, 1, 1, 1, 0, 0, 10, 0},  {"unequal", 50, 0, 0, 0, 0, 2, 0, 0, 10, 0}};
    for (const auto &[name, c, light, pair, second, field, first, right, down, size, out] : rows) {
        const int w = c * size / 10, x = 8 * c + (c - w) / 2 + right * c / 4;
        const auto screen = PaintScreen(c, light ? 0xE8E8F0 : 0x202030, pair, second, field, first);
        CaptureRegion found = {}, frame = {x, 4 * c - w + down * c / 2, w, 2 * w};
        const bool any = FindPairNear(screen.data(), 10 * c, 11 * c, frame,
                                      std::vector<CaptureRegion>(out, frame), found);
        EXPECT_EQ(any, pair == 2 && !out) << name;
        const int32_t got[] = {found.x, found.y, found.width, found.height}, cells[] = {8, 3, 1, 2};
        for (int i = 0; any && i < 4; ++i)
            EXPECT_NEAR(got[i], cells[i] * c, 0.06 * c) << name << ", xywh " << i;
    }
}
