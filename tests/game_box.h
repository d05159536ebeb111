// A game's box as the scene shows it: 50 x 100, 0x00RRGGBB bottom-up, a board from 70 % at the top;
// blobs at percent (150: half-way to white), down pixels low; count 4: the leaving pair 100 above.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

inline uint32_t ShadeRgb(uint32_t rgb, int part, int whiter) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t value = (rgb >> shift & 255) * part / 100;
        out |= (value + (255 - value) * whiter / 100) << shift;
    }
    return out;
}

// A face: highlight and eyes, eyes shut, eyes alone, none, or a real game's (pale eyes, rings to 40
// %).
enum BlobFace { Face, Blink, NoHighlight, PlainDisc, RealFace };

// A blob in a cell of 50 x 50 pixels times scale, its top left at (left, top) of an image w x h.
inline void PaintBlob(uint32_t *image, int w, int h, bool bottomUp, int left, int top, double scale,
                      uint32_t rgb, int percent, BlobFace face = Face) {
    auto at = [scale](int origin, int offset) { return origin + (int)std::lround(offset * scale); };
    auto oval = [&](int x0, int y0, int x1, int y1, uint32_t colour, int part) {
        const int l = at(left, x0), t = at(top, y0), r = at(left, x1), b = at(top, y1);
        for (int y = std::max(t, 0); y < std::min(b, h); ++y)
            for (int x = std::max(l, 0); x < std::min(r, w); ++x) {
                const double dx = (x + .5 - (l + r) / 2.) / (r - l),
                             dy = (y + .5 - (t + b) / 2.) / (b - t);
                if (dx * dx + dy * dy < .25)
                    image[(bottomUp ? h - 1 - y : y) * w + x] = ShadeRgb(
                        colour, part * std::min(percent, 100) / 100, std::max(percent - 100, 0));
            }
    };
    for (int ring = 0; ring < 4; ++ring)
        oval(2 + 3 * ring, 2 + 3 * ring, 48 - 3 * ring, 48 - 3 * ring, rgb,
             face == RealFace ? 40 + 20 * ring : 70 + 10 * ring);
    if (face == Face || face == Blink)
        oval(10, 7, 19, 14, 0xFFFFFF, 100);
    const int open = face == Blink ? 4 : 0; // shut eyes: a short dark line each
    if (face != PlainDisc)
        for (int eye : {14, 29})
            oval(eye, 18 + open, eye + 7, 29 - open, face == RealFace ? 0xC8D0C8 : 0x202020, 100);
}

// An analog capture of a picture w x h: colour bled to the right, noise of up to `noise` levels,
// and, moving, every other row `comb` rows lower (the field before: interlace combs it).
inline void Roughen(uint32_t *image, int w, int h, int noise, int comb, unsigned seed) {
    std::mt19937 random(seed);
    const std::vector<uint32_t> before(image, image + w * h);
    for (int i = 0; i < w * h; ++i) {
        const int from = i / w % 2 && i / w >= comb ? i - comb * w : i, left = from - (i % w > 0);
        image[i] = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int value =
                (2 * (before[from] >> shift & 255) + (before[left] >> shift & 255)) / 3;
            image[i] |= std::clamp(value + (int)(random() % (2 * noise + 1)) - noise, 0, 255)
                        << shift;
        }
    }
}

// A board with its top byte set is grained, as a real game's wooden tile: a darker line every
// few pixels, sharp enough to be detail, so that its empty box is never plain.
inline void PaintBox(uint32_t *box, const uint32_t *blobs, int count, int down, int percent,
                     uint32_t board, BlobFace face = Face) {
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 50; ++x) {
            const int line = board >> 24 && (x + 2 * y) % 7 < 4 ? 55 : 100;
            box[(99 - y) * 50 + x] = ShadeRgb(board & 0xFFFFFF, (70 + 30 * y / 99) * line / 100, 0);
        }
    for (int blob = 0; blob < count; ++blob)
        PaintBlob(box, 50, 100, true, 0, down + 50 * (blob % 2) - 100 * (blob / 2), 1, blobs[blob],
                  percent, face);
}

// A game's skin, r g b y p, and its hues.
inline const uint32_t skin[] = {0xE66827, 0x75E627, 0x27E4E6, 0xE6C727, 0x4827E6};
inline const std::array<int32_t, 5> skinHues = {20, 95, 180, 50, 250};

// Green, purple, yellow, red, and blue of hue 217 as a game's.
inline const uint32_t gameColours[] = {0x30C040, 0xB040D0, 0xE0D030, 0xE03030, 0x3073E0};

// A screen of 10 x 11 cells of c pixels, top-down: the next box at (8, 3) cells, `pair` blobs
// (green over purple, turned by `turn`) in frame lines; `second` 1 a box 0.7 as large below (yellow
// over green), 2 one above too, 3 one as large; `field`: touching blobs 1.1 cells across at the
// left; `first` 1 a pair at (1, 0.5), farther but first read, 2 its lower 0.65x. Looks: 1 plain
// discs, 2 eyes alone, 3 a real capture (its faces, blobs 3/4 of the box's cells, a light outline
// hugging it, planks beside, Roughen), 4 that combed.
inline std::vector<uint32_t> PaintScreen(int c, uint32_t board, int pair, int second, bool field,
                                         int first = 0, int turn = 0, int look = 0) {
    const BlobFace face = look == 1 ? PlainDisc : look == 2 ? NoHighlight : look ? RealFace : Face;
    const double fill = look >= 3 ? 0.75 : 1; // of its cell, that a blob of the box fills
    uint32_t colours[5];
    std::rotate_copy(gameColours, gameColours + turn % 5, gameColours + 5, colours);
    const uint32_t after[] = {colours[2], colours[0]};
    std::vector<uint32_t> screen(110 * c * c, board);
    auto box = [&](double x, double y, double scale, int count, const uint32_t *blobs) {
        const int l = (int)(x * c), t = (int)(y * c), w = (int)std::lround(50 * scale);
        const int out = look >= 3 ? 0 : 2; // the frame lines, 1 pixel out or 3, light or blue
        for (int i = -out - 2; i < w + out + 2; ++i)
            for (int j = -out - 2; j < 2 * w + out + 2; ++j)
                if (i < -out || j < -out || i >= w + out || j >= 2 * w + out)
                    screen[(t + j) * 10 * c + l + i] = look >= 3 ? 0xD8E0F0 : 0x8090C0;
        for (int blob = 0; blob < count; ++blob)
            PaintBlob(&screen[0], 10 * c, 11 * c, false, l + (int)(w * (1 - fill) / 2),
                      t + (int)(w * (blob + (1 - fill) / 2)), scale * fill, blobs[blob], 100, face);
    };
    box(8, 3, c / 50., pair, colours);
    box(8.15, 5.6, (second == 3 ? 1 : .7) * c / 50., second ? 2 : 0, after);
    if (second == 2)
        box(8.15, 1, .7 * c / 50., 2, after);
    for (int blob = 0; first && blob < 2; ++blob) // blue over red, without frame lines
        PaintBlob(&screen[0], 10 * c, 11 * c, false, c, c / 2 + blob * c,
                  (blob && first == 2 ? .65 : 1) * c / 50., colours[4 - blob], 100);
    const char *columns[] = {"3044", "22", "10343", "0", "423001", "11204"}; // from the bottom
    for (int i = 0; field && i < 6; ++i)
        for (int j = 0; columns[i][j]; ++j)
            PaintBlob(&screen[0], 10 * c, 11 * c, false, (int)((0.45 + i) * c),
                      (int)((9.45 - j) * c), 1.1 * c / 46., colours[columns[i][j] - '0'], 100,
                      face);
    for (int i = 0; look >= 3 && i < 36 * c * c / 100; ++i) // a real frame's planks, left of it
        for (int plank = 0; plank < 2; ++plank)
            screen[(32 * c / 10 + 3 * plank * c / 4 + i / (6 * c / 10)) * 10 * c + 69 * c / 10 +
                   i % (6 * c / 10)] = 0xC8A050;
    if (look >= 3)
        Roughen(screen.data(), 10 * c, 11 * c, 12, look == 4 ? 2 : 0, 46);
    return screen;
}

// Frame k of `of` of a scroll, as a real game's: the pair before rises out (0), the board alone
// (1), the pair rises in from below (2); `down` goes to PaintBox.
inline int ScrollPart(int k, int of, int &down) {
    const int part = 3 * k / of;
    down = part == 0 ? -300 * k / of : part == 2 ? 300 - 300 * k / of : 0;
    return part;
}

// A game's next and second boxes step by step: "NNSSsh" brings pair NN into the next box and SS
// into the second (upper, lower of "rgbyp"; "--" the board; "==" the box still) by a scroll of s
// samples, then holds them h samples. Each sample: both boxes' blobs, two or none, and `down`.
struct BoxFrame {
    uint32_t blobs[4];
    int count, down;
    bool stepEnds; // the last sample of its step
};
inline std::vector<std::vector<BoxFrame>> PlayGame(const std::string &steps, const uint32_t *skin) {
    std::vector<std::vector<BoxFrame>> film;
    std::string shown[2] = {"--", "--"};
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        const int scroll = step[4] - '0', hold = std::stoi(step.substr(5));
        std::string to[2] = {step.substr(0, 2), step.substr(2, 2)};
        for (int k = 1; k <= scroll + hold; ++k) {
            film.emplace_back();
            for (int box = 0; box < 2; ++box) {
                int down = 0;
                const int part =
                    k > scroll || to[box] == "==" ? 2 : ScrollPart(k, scroll + 1, down);
                const std::string pair = part == 1                      ? "--"
                                         : part == 0 || to[box] == "==" ? shown[box]
                                                                        : to[box];
                BoxFrame frame = {{}, 0, down, k == scroll + hold};
                for (int blob = 0; blob < 2; ++blob)
                    if (pair[blob] != '-')
                        frame.blobs[frame.count++] = skin[std::string("rgbyp").find(pair[blob])];
                film.back().push_back(frame);
            }
        }
        for (int box = 0; box < 2; ++box)
            shown[box] = to[box] == "==" ? shown[box] : to[box];
    }
    return film;
}

// A game of 40 random steps: two quick drops (3 samples), one shown otherwise than in the second
// box, one the same pair again with the next box still; its record with the second box and without.
inline void PlayedGame(std::string &steps, std::string &marked, std::string &plain) {
    std::mt19937 random(38);
    std::vector<std::string> pairs;
    for (int i = 0; i < 42; ++i)
        pairs.push_back({"rgbyp"[random() % 5], "rgbyp"[random() % 5]});
    pairs[21] = pairs[20];
    for (int i = 0; i < 40; ++i) {
        const bool quick = i == 9 || i == 30, again = i == 21, misread = i == 15;
        std::string shown =
            misread ? pairs[i].substr(1) + (pairs[i][0] == 'r' ? "g" : "r") : pairs[i];
        steps += (again ? "==" : shown) + pairs[i + 1] + (quick ? "33 " : "98 ");
        marked += (i ? " " : "") + shown + (quick ? "+" : misread ? "?" + pairs[i] : "");
        if (!quick && !again)
            plain += (plain.empty() ? "" : " ") + shown;
    }
}
