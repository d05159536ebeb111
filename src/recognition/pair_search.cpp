#include "recognition/pair_search.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "recognition/blob_look.h"
#include "recognition/classify.h"
#include "recognition/colour.h"

namespace {

// A blob's rings are its colour darkened toward the rim, which keeps its hue within a few
// degrees; a neighbour of another colour, touching it in a field, lies further round.
const int32_t HueReach = 10;

// Blobs are 12 to 160 pixels across; the margins keep a blob cut by a neighbour in a field.
const int32_t SmallestBlob = 10, LargestBlob = 180;

// Of the area of the ellipse in a patch's bounds, how much the patch may miss or pass it by:
// a pixelled disc of 12 pixels misses it by about a twentieth, while three blobs of one colour
// merged into an L miss it by a third.
const double RoundMismatch = 0.2;

const int16_t NotBlob = -1;

struct Patch {
    int32_t left, top, right, bottom; // bounds, right and bottom past the last pixel
};

struct Blob {
    double x, y; // centre
    double size; // across: the mean of its width and height
};

// Each pixel's hue in whole degrees, or NotBlob where it is grey, dark, pale or left out.
std::vector<int16_t> BlobHues(const uint32_t *pixels, int32_t width, int32_t height,
                              const std::vector<CaptureRegion> &exclude) {
    std::vector<int16_t> hues((size_t)width * (size_t)height, NotBlob);
    HsvColour hsv;
    for (size_t i = 0; i < hues.size(); ++i)
        if (IsBlobColoured(pixels[i], hsv))
            hues[i] = (int16_t)HueDegrees(hsv.hue);
    for (const CaptureRegion &out : exclude)
        for (int64_t y = std::max(out.y, 0);
             y < std::min<int64_t>((int64_t)out.y + out.height, height); ++y)
            for (int64_t x = std::max(out.x, 0);
                 x < std::min<int64_t>((int64_t)out.x + out.width, width); ++x)
                hues[(size_t)y * (size_t)width + (size_t)x] = NotBlob;
    return hues;
}

// Labels the patch that holds the seed: pixels joined side by side, each within HueReach of the
// seed's hue. The highlight and eyes inside a blob are left as holes.
Patch LabelPatch(const std::vector<int16_t> &hues, int32_t width, size_t seed, int32_t label,
                 std::vector<int32_t> &labels, std::vector<size_t> &stack) {
    const int32_t height = (int32_t)(hues.size() / (size_t)width);
    Patch patch = {width, height, 0, 0};
    stack.assign(1, seed);
    labels[seed] = label;
    while (!stack.empty()) {
        const size_t at = stack.back();
        stack.pop_back();
        const int32_t x = (int32_t)(at % (size_t)width), y = (int32_t)(at / (size_t)width);
        patch = {std::min(patch.left, x), std::min(patch.top, y), std::max(patch.right, x + 1),
                 std::max(patch.bottom, y + 1)};
        auto visit = [&](bool inside, size_t next) {
            if (inside && !labels[next] && hues[next] != NotBlob &&
                HueDistance(hues[next], hues[seed]) <= HueReach) {
                labels[next] = label;
                stack.push_back(next);
            }
        };
        visit(x > 0, at - 1);
        visit(x + 1 < width, at + 1);
        visit(y > 0, at - (size_t)width);
        visit(y + 1 < height, at + (size_t)width);
    }
    return patch;
}

// Whether the patch, its holes filled row by row, matches the ellipse in its bounds: a blob
// does, while blobs of one colour merged in a field, a board or a frame line do not.
bool IsRound(const std::vector<int32_t> &labels, int32_t width, const Patch &patch, int32_t label) {
    const double a = (patch.right - patch.left) / 2.0, b = (patch.bottom - patch.top) / 2.0;
    const double centreX = patch.left + a, centreY = patch.top + b;
    double mismatch = 0;
    for (int32_t y = patch.top; y < patch.bottom; ++y) {
        const int32_t *row = &labels[(size_t)y * (size_t)width];
        int32_t first = patch.right, last = patch.left; // every row of a patch has a pixel
        for (int32_t x = patch.left; x < patch.right; ++x)
            if (row[x] == label) {
                first = std::min(first, x);
                last = x + 1;
            }
        const double dy = (y + 0.5 - centreY) / b, half = a * std::sqrt(std::max(0.0, 1 - dy * dy));
        const double overlap = std::max(0.0, std::min<double>(last, centreX + half) -
                                                 std::max<double>(first, centreX - half));
        mismatch += (last - first) + 2 * half - 2 * overlap;
    }
    return mismatch <= RoundMismatch * 3.14159265 * a * b;
}

// Whether the patch's inside has a blob's detail as the watch measures it, the step to the
// pixel two over or two down scaled to the blob (46 pixels across in the watch's box): a game
// scaled up spreads an edge over more pixels. A plain coloured disc has none. The inset keeps
// every neighbour compared inside the patch's bounds.
bool HasPatchDetail(const uint32_t *pixels, int32_t width, const Patch &patch) {
    const int32_t across = (patch.right - patch.left + patch.bottom - patch.top) / 2;
    const int32_t step = std::max(2, (2 * across + 23) / 46), inset = across / 5; // inset >= step
    const uint32_t *topLeft =
        pixels + (size_t)(patch.top + inset) * (size_t)width + (patch.left + inset);
    return HasBlobDetail(topLeft, width, patch.right - patch.left - 2 * inset,
                         patch.bottom - patch.top - 2 * inset, step, step);
}

bool IsBlob(const uint32_t *pixels, int32_t width, const std::vector<int32_t> &labels,
            const Patch &patch, int32_t label) {
    const int32_t w = patch.right - patch.left, h = patch.bottom - patch.top;
    return std::min(w, h) >= SmallestBlob && std::max(w, h) <= LargestBlob &&
           4 * std::max(w, h) <= 5 * std::min(w, h) && IsRound(labels, width, patch, label) &&
           HasPatchDetail(pixels, width, patch);
}

// Whether two blobs are a pair, upper over lower: in one column, of about one size, about one
// size apart.
bool IsPair(const Blob &upper, const Blob &lower) {
    const double across = (upper.size + lower.size) / 2, down = lower.y - upper.y;
    return 4 * std::abs(lower.x - upper.x) <= across &&
           std::abs(upper.size - lower.size) <= 0.3 * std::max(upper.size, lower.size) &&
           down >= 0.8 * across && down <= 1.3 * across;
}

// The blobs in the area, in the order their first pixels come in the screen's reading order.
std::vector<Blob> FindBlobs(const uint32_t *pixels, int32_t width, int32_t height,
                            const std::vector<CaptureRegion> &exclude) {
    const std::vector<int16_t> hues = BlobHues(pixels, width, height, exclude);
    std::vector<int32_t> labels(hues.size(), 0);
    std::vector<size_t> stack;
    std::vector<Blob> blobs;
    int32_t label = 0;
    for (size_t i = 0; i < hues.size(); ++i) {
        if (hues[i] == NotBlob || labels[i])
            continue;
        const Patch patch = LabelPatch(hues, width, i, ++label, labels, stack);
        if (IsBlob(pixels, width, labels, patch, label))
            blobs.push_back({(patch.left + patch.right) / 2.0, (patch.top + patch.bottom) / 2.0,
                             (patch.right - patch.left + patch.bottom - patch.top) / 2.0});
    }
    return blobs;
}

// Fits the region onto the pair of blobs whose midpoint lies nearest the frame's centre: in a
// field, stacked blobs of two colours are pairs too, and the one the user put the frame on is the
// one nearest its centre. False when no two blobs are a pair.
bool FitNearestPair(const std::vector<Blob> &blobs, const CaptureRegion &frame,
                    CaptureRegion &found) {
    const double centreX = frame.x + frame.width / 2.0, centreY = frame.y + frame.height / 2.0;
    double nearest = HUGE_VAL;
    for (const Blob &upper : blobs)
        for (const Blob &lower : blobs) {
            const double x = (upper.x + lower.x) / 2, y = (upper.y + lower.y) / 2;
            const double distance = std::hypot(x - centreX, y - centreY);
            if (!IsPair(upper, lower) || distance >= nearest)
                continue;
            nearest = distance;
            const double pitch = std::hypot(lower.x - upper.x, lower.y - upper.y);
            found = {(int32_t)std::lround(x - pitch / 2), (int32_t)std::lround(y - pitch),
                     (int32_t)std::lround(pitch), (int32_t)std::lround(2 * pitch)};
        }
    return nearest < HUGE_VAL;
}

} // namespace

bool FindPairNear(const uint32_t *pixels, int32_t width, int32_t height, const CaptureRegion &frame,
                  const std::vector<CaptureRegion> &exclude, CaptureRegion &found) {
    if (pixels == nullptr || width <= 0 || height <= 0)
        return false;
    return FitNearestPair(FindBlobs(pixels, width, height, exclude), frame, found);
}
