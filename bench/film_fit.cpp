// Tries Brimlet's F on the screens of real films: on one frame of each of six films, with both
// players' next boxes showing a pair, the frame is placed roughly over each box (a quarter of it
// off, a fifth too small or too large), and the region F fits must lie within 3 pixels of the
// pair's own, the one its centres in truth.json give. A frame placed over a pair of the field
// must fit that pair. Prints a line a film and player; exits 1 unless every fit is right. The
// frames are decoded by ffmpeg.
//   film_fit FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "film_truth.h"
#include "recognition/pair_search.h"

namespace {

const int32_t FilmWidth = 720, FilmHeight = 480, Tolerance = 3;

// The films tried, and a pair of the first one's field that a frame is placed over: green over
// purple in the left field's first column on its frame below, as read off that frame.
const char *const Films[] = {"film02", "film04", "film06", "film08", "film10", "film12"};
const char FieldFilm[] = "film01";
const int64_t FieldFrame = 349;
const double FieldX = 85, FieldY = 306, FieldPitch = 32;

// The frame of the film, 0x00RRGGBB top-down; empty when ffmpeg cannot give it.
std::vector<uint32_t> DecodeFrame(const std::string &film, int64_t frame) {
    const std::string command = "ffmpeg -v error -i '" + film + "' -vf 'select=eq(n\\," +
                                std::to_string(frame) + "),scale=" + std::to_string(FilmWidth) +
                                ":" + std::to_string(FilmHeight) +
                                "' -frames:v 1 -f rawvideo -pix_fmt rgb24 -";
    std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<uint8_t> rgb((size_t)3 * FilmWidth * FilmHeight);
    if (!pipe || std::fread(rgb.data(), rgb.size(), 1, pipe.get()) != 1)
        return {};
    std::vector<uint32_t> pixels(rgb.size() / 3);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (uint32_t)rgb[3 * i] << 16 | (uint32_t)rgb[3 * i + 1] << 8 | rgb[3 * i + 2];
    return pixels;
}

// F as Brimlet runs it: the screen searched within the frame's width and height on every side.
bool Fit(const std::vector<uint32_t> &screen, const CaptureRegion &frame, CaptureRegion &found) {
    const int32_t left = std::max(frame.x - frame.width, 0),
                  top = std::max(frame.y - frame.height, 0),
                  right = std::min(frame.x + 2 * frame.width, FilmWidth),
                  bottom = std::min(frame.y + 2 * frame.height, FilmHeight);
    if (right <= left || bottom <= top)
        return false;
    std::vector<uint32_t> area;
    for (int32_t y = top; y < bottom; ++y)
        area.insert(area.end(), screen.begin() + y * FilmWidth + left,
                    screen.begin() + y * FilmWidth + right);
    const CaptureRegion within = {frame.x - left, frame.y - top, frame.width, frame.height};
    if (!FindPairNear(area.data(), right - left, bottom - top, within, {}, found))
        return false;
    found.x += left;
    found.y += top;
    return true;
}

// How far the fitted region's farthest edge lies from the pair's own region; -1 for no fit.
int32_t EdgeError(const CaptureRegion &found, bool any, const CaptureRegion &own) {
    if (!any)
        return -1;
    return std::max({std::abs(found.x - own.x), std::abs(found.y - own.y),
                     std::abs(found.x + found.width - own.x - own.width),
                     std::abs(found.y + found.height - own.y - own.height)});
}

// The region fitted on a pair by its centres: as wide as they are apart, twice as high.
CaptureRegion OwnRegion(double x, double y, double pitch) {
    return {(int32_t)std::lround(x - pitch / 2), (int32_t)std::lround(y - pitch),
            (int32_t)std::lround(pitch), (int32_t)std::lround(2 * pitch)};
}

// The frame placed roughly over a pair's own region: moved by quarters of it, sized by fifths.
std::vector<CaptureRegion> RoughFrames(const CaptureRegion &own) {
    const double placings[][3] = {{0, 0, 1}, {1, 1, 0.8}, {-1, -1, 0.8}, {1, -1, 1.2}, {-1, 1, 1}};
    std::vector<CaptureRegion> frames;
    for (const auto &[right, down, size] : placings) {
        const int32_t w = (int32_t)std::lround(own.width * size);
        frames.push_back({own.x + (own.width - w) / 2 + (int32_t)(right * own.width / 4),
                          own.y + (own.height - 2 * w) / 2 + (int32_t)(down * own.height / 4), w,
                          2 * w});
    }
    return frames;
}

// The frame of the film on which both players' boxes show a pair longest: the middle of it.
int64_t BothShowing(const Json &film) {
    int64_t best = -1, longest = 0;
    for (const Json &left : film["left"]["frames"].items)
        for (const Json &right : film["right"]["frames"].items) {
            const int64_t from = (int64_t)std::max(left.items[0].number, right.items[0].number),
                          to = (int64_t)std::min(left.items[1].number, right.items[1].number);
            if (to - from > longest) {
                longest = to - from;
                best = (from + to) / 2;
            }
        }
    return best;
}

// F from every rough frame over each player's box of one frame of the film.
bool TryFilm(const std::string &folder, const std::string &name, const Json &truth) {
    const int64_t frame = BothShowing(truth["films"][name]);
    const std::vector<uint32_t> screen =
        frame < 0 ? std::vector<uint32_t>() : DecodeFrame(folder + "/" + name + ".mp4", frame);
    if (screen.empty()) {
        std::printf("%s: not tried (%s)\n", name.c_str(), frame < 0 ? "no truth" : "no frame");
        return false;
    }
    bool right = true;
    for (const char *side : {"left", "right"}) {
        const Json &box = truth["boxes"][side];
        const Json &upper = box["upper_centre"], &lower = box["lower_centre"];
        if (upper.items.size() != 2 || lower.items.size() != 2)
            continue;
        const CaptureRegion own =
            OwnRegion((upper.items[0].number + lower.items[0].number) / 2,
                      (upper.items[1].number + lower.items[1].number) / 2,
                      std::hypot(lower.items[0].number - upper.items[0].number,
                                 lower.items[1].number - upper.items[1].number));
        int32_t worst = 0, fitted = 0, tried = 0;
        for (const CaptureRegion &rough : RoughFrames(own)) {
            CaptureRegion found = {};
            const int32_t error = EdgeError(found, Fit(screen, rough, found), own);
            fitted += error >= 0 && error <= Tolerance;
            worst = error < 0 || worst < 0 ? -1 : std::max(worst, error);
            ++tried;
        }
        std::printf("%s frame %4lld %-5s fitted from %d of %d rough frames, farthest edge %s\n",
                    name.c_str(), (long long)frame, side, fitted, tried,
                    worst < 0 ? "(a frame fitted nothing)"
                              : (std::to_string(worst) + " px").c_str());
        right = right && fitted == tried;
    }
    return right;
}

// F from a frame over a pair of the field fits that pair, not the next box beside.
bool TryField(const std::string &folder) {
    const std::vector<uint32_t> screen = DecodeFrame(folder + "/" + FieldFilm + ".mp4", FieldFrame);
    const CaptureRegion own = OwnRegion(FieldX, FieldY, FieldPitch);
    CaptureRegion found = {};
    const int32_t error = screen.empty() ? -1 : EdgeError(found, Fit(screen, own, found), own);
    std::printf("%s frame %4lld field pair: %s\n", FieldFilm, (long long)FieldFrame,
                error < 0 ? "nothing fitted"
                          : ("fitted, farthest edge " + std::to_string(error) + " px").c_str());
    return error >= 0 && error <= Tolerance;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: film_fit FOLDER\n");
        return 2;
    }
    Json truth;
    if (!ReadTruth(argv[1], "film_fit", truth))
        return 0;
    bool right = TryField(argv[1]);
    for (const char *name : Films)
        right = TryFilm(argv[1], name, truth) && right;
    std::printf("film_fit: %s\n", right ? "every fit right" : "NOT EVERY FIT RIGHT");
    return right ? 0 : 1;
}
