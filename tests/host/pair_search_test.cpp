// The fit of the region onto the next pair, on game screens that PaintScreen draws.
#include <gtest/gtest.h>

#include "../game_box.h"
#include "recognition/pair_search.h"

// Cells of c pixels (blobs of 12 to 160), the board, the box's blobs, a second box, a field, the
// frame off by quarters of the box right and down, its size in percent, and the box left out.
// The pair found must fill the box, each half a blob's cell: the field's and the second box's
// pairs lie farther from the frame. No pair: none found.
TEST(PairSearch, FitsTheRegionOntoThePairNearestTheFrame) {
    const struct {
        const char *row;
        int c, board, pair, second, field, right, down, size, out;
    } rows[] = {{"1x", 50, 0x202030, 2, 1, 1, 0, 0, 100, 0},
                {"1.5x light", 75, 0xE8E8F0, 2, 1, 1, 0, 0, 100, 0},
                {"2x", 100, 0x202030, 2, 1, 1, 0, 0, 100, 0},
                {"12 px", 14, 0x202030, 2, 1, 1, 0, 0, 100, 0},
                {"12 px light", 14, 0xE8E8F0, 2, 1, 1, 0, 0, 100, 0},
                {"160 px", 174, 0xE8E8F0, 2, 1, 0, 0, 0, 100, 0},
                {"left", 50, 0x202030, 2, 1, 1, -1, 0, 100, 0},
                {"right", 50, 0xE8E8F0, 2, 1, 1, 1, 0, 100, 0},
                {"up", 50, 0x202030, 2, 1, 1, 0, -1, 100, 0},
                {"down", 50, 0x202030, 2, 1, 1, 0, 1, 100, 0},
                {"1.5 times", 50, 0x202030, 2, 1, 1, 0, 0, 150, 0},
                {"0.6 times", 50, 0xE8E8F0, 2, 1, 1, 0, 0, 60, 0},
                {"half up", 50, 0x202030, 2, 1, 1, 0, -2, 100, 0},
                {"half right", 50, 0x202030, 2, 0, 0, 2, 0, 100, 0},
                {"half down", 50, 0x202030, 2, 0, 0, 0, 2, 100, 0},
                {"single blob", 50, 0x202030, 1, 0, 0, 0, 0, 100, 0},
                {"empty box", 50, 0xE8E8F0, 0, 0, 0, 0, 0, 100, 0},
                {"box left out", 50, 0x202030, 2, 0, 0, 0, 0, 100, 1}};
    for (const auto &r : rows) {
        const std::vector<uint32_t> screen = PaintScreen(r.c, r.board, r.pair, r.second, r.field);
        const int c = r.c, w = c * r.size / 100;
        CaptureRegion found = {}, box = {8 * c, 3 * c, c, 2 * c};
        const CaptureRegion frame = {box.x + (c - w) / 2 + r.right * c / 4,
                                     box.y + c - w + r.down * c / 2, w, 2 * w};
        const bool any = FindPairNear(screen.data(), 10 * c, 11 * c, frame,
                                      std::vector<CaptureRegion>(r.out, box), found);
        EXPECT_EQ(any, r.pair == 2 && !r.out) << r.row;
        const int32_t got[] = {found.x, found.y, found.width, found.height},
                      want[] = {box.x, box.y, box.width, box.height};
        for (int i = 0; any && i < 4; ++i)
            EXPECT_NEAR(got[i], want[i], 0.06 * c) << r.row << ", left top width height " << i;
    }
}
