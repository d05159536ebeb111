// A game's next-pair box as the scene shows it: 50 x 100 pixels, 0x00RRGGBB bottom-up. A board
// from 70 % at the top to its colour; blobs in rings from 70 %, a highlight and two eyes, at
// percent (150: half-way to white): the pair down pixels low; count 4: the leaving pair 100 above.
#include <algorithm>
#include <cstdint>

inline uint32_t ShadeRgb(uint32_t rgb, int part, int whiter) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t value = (rgb >> shift & 255) * part / 100;
        out |= (value + (255 - value) * whiter / 100) << shift;
    }
    return out;
}

inline void PaintBox(uint32_t *box, const uint32_t *blobs, int count, int down, int percent,
                     uint32_t board) {
    auto oval = [&](int left, int top, int right, int bottom, uint32_t rgb, int part) {
        for (int y = std::max(top, 0); y < std::min(bottom, 100); ++y)
            for (int x = left; x < right; ++x) {
                const double dx = (x + .5 - (left + right) / 2.) / (right - left),
                             dy = (y + .5 - (top + bottom) / 2.) / (bottom - top);
                if (dx * dx + dy * dy < .25)
                    box[(99 - y) * 50 + x] = ShadeRgb(rgb, part * std::min(percent, 100) / 100,
                                                      std::max(percent - 100, 0));
            }
    };
    for (int y = 0; y < 100; ++y)
        std::fill_n(&box[(99 - y) * 50], 50, ShadeRgb(board, 70 + 30 * y / 99, 0));
    for (int blob = 0; blob < count; ++blob) {
        const int top = down + 50 * (blob % 2) - 100 * (blob / 2);
        for (int ring = 0; ring < 4; ++ring)
            oval(2 + 3 * ring, top + 2 + 3 * ring, 48 - 3 * ring, top + 48 - 3 * ring, blobs[blob],
                 70 + 10 * ring);
        oval(10, top + 7, 19, top + 14, 0xFFFFFF, 100);
        oval(14, top + 18, 21, top + 29, 0x202020, 100);
        oval(29, top + 18, 36, top + 29, 0x202020, 100);
    }
}
