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

// A board of a blob's own hue is told from the blob by brightness: a patch keeps to pixels
// within 1.5 times its first pixel's brightness. A blob's rings, darkened toward the rim to 70 %,
// stay within it; a dark board, half as bright as the rim or less, does not. A rim that fades
// into the board over a few pixels stays out as well, where a sharp one is stopped by its edge.
const int32_t BrightnessSpreadTimesTwo = 3;

// A second box's pair is 0.5 to 0.9 times the next pair's size, within four of its widths of it;
// of two candidates at about one distance (the nearer within 1.25 of it), neither is taken.
const double SmallestSecond = 0.5, LargestSecond = 0.9, SecondReach = 4, AboutAsNear = 1.25;

const int16_t NotBlob = -1;

// The part of the pixels searched: its top left pixel, the pixels from a row to the one below,
// and where it lies among them.
struct Area {
    const uint32_t *topLeft;
    ptrdiff_t stride;
    CaptureRegion place;
};

struct Patch {
    int32_t left, top, right, bottom; // bounds, right and bottom past the last pixel
};

struct Blob {
    double x, y; // centre
    double size; // across: the mean of its width and height
};

// Two blobs one over the other: the region fitted on them and how far it lies from a point.
struct Pair {
    double x, y;  // midpoint
    double pitch; // how far apart the centres are: the width of the region fitted on it
    double distance;
};

// Each pixel's hue in whole degrees, or NotBlob where it is grey, dark, pale or left out.
std::vector<int16_t> BlobHues(const Area &area, const std::vector<CaptureRegion> &exclude) {
    const CaptureRegion &in = area.place;
    std::vector<int16_t> hues((size_t)in.width * (size_t)in.height, NotBlob);
    HsvColour hsv;
    for (int32_t y = 0; y < in.height; ++y)
        for (int32_t x = 0; x < in.width; ++x)
            if (IsBlobColoured(area.topLeft[y * area.stride + x], hsv))
                hues[(size_t)y * (size_t)in.width + (size_t)x] = (int16_t)HueDegrees(hsv.hue);
    for (const CaptureRegion &out : exclude)
        for (int64_t y = std::max(out.y - in.y, 0);
             y < std::min<int64_t>((int64_t)out.y - in.y + out.height, in.height); ++y)
            for (int64_t x = std::max(out.x - in.x, 0);
                 x < std::min<int64_t>((int64_t)out.x - in.x + out.width, in.width); ++x)
                hues[(size_t)y * (size_t)in.width + (size_t)x] = NotBlob;
    return hues;
}

// A pixel's brightness: its brightest channel.
int32_t Brightness(uint32_t pixel) {
    return std::max({pixel >> 16 & 255, pixel >> 8 & 255, pixel & 255});
}

// Labels the patch that holds the seed: pixels joined side by side, each within HueReach of the
// seed's hue and within its brightness spread, and no sharp step from the pixel it joins. The
// highlight and eyes inside a blob are left as holes.
Patch LabelPatch(const Area &area, const std::vector<int16_t> &hues, size_t seed, int32_t label,
                 std::vector<int32_t> &labels, std::vector<size_t> &stack) {
    const int32_t width = area.place.width, height = area.place.height;
    auto pixel = [&](size_t at) {
        return area.topLeft[(ptrdiff_t)(at / (size_t)width) * area.stride +
                            (ptrdiff_t)(at % (size_t)width)];
    };
    const int32_t seedBrightness = Brightness(pixel(seed));
    Patch patch = {width, height, 0, 0};
    stack.assign(1, seed);
    labels[seed] = label;
    while (!stack.empty()) {
        const size_t at = stack.back();
        stack.pop_back();
        const int32_t x = (int32_t)(at % (size_t)width), y = (int32_t)(at / (size_t)width);
        patch = {std::min(patch.left, x), std::min(patch.top, y), std::max(patch.right, x + 1),
                 std::max(patch.bottom, y + 1)};
        const uint32_t here = pixel(at);
        auto visit = [&](bool inside, size_t next) {
            if (!inside || labels[next] || hues[next] == NotBlob ||
                HueDistance(hues[next], hues[seed]) > HueReach)
                return;
            const uint32_t there = pixel(next);
            const int32_t brightness = Brightness(there);
            if (2 * std::max(brightness, seedBrightness) >
                    BrightnessSpreadTimesTwo * std::min(brightness, seedBrightness) ||
                IsSharpStep(here, there))
                return;
            labels[next] = label;
            stack.push_back(next);
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
bool HasPatchDetail(const Area &area, const Patch &patch) {
    const int32_t across = (patch.right - patch.left + patch.bottom - patch.top) / 2;
    const int32_t step = std::max(2, (2 * across + 23) / 46), inset = across / 5; // inset >= step
    const uint32_t *topLeft =
        area.topLeft + (patch.top + inset) * area.stride + (patch.left + inset);
    return HasBlobDetail(topLeft, area.stride, patch.right - patch.left - 2 * inset,
                         patch.bottom - patch.top - 2 * inset, step, step);
}

bool IsBlob(const Area &area, const std::vector<int32_t> &labels, const Patch &patch,
            int32_t label) {
    const int32_t w = patch.right - patch.left, h = patch.bottom - patch.top;
    return std::min(w, h) >= SmallestBlob && std::max(w, h) <= LargestBlob &&
           4 * std::max(w, h) <= 5 * std::min(w, h) &&
           IsRound(labels, area.place.width, patch, label) && HasPatchDetail(area, patch);
}

// Whether two blobs are a pair, upper over lower: in one column, of about one size, about one
// size apart.
bool IsPair(const Blob &upper, const Blob &lower) {
    const double across = (upper.size + lower.size) / 2, down = lower.y - upper.y;
    return 4 * std::abs(lower.x - upper.x) <= across &&
           std::abs(upper.size - lower.size) <= 0.3 * std::max(upper.size, lower.size) &&
           down >= 0.8 * across && down <= 1.3 * across;
}

// The blobs in the area, in the coordinates of the whole, in the order their first pixels come
// in the screen's reading order.
std::vector<Blob> FindBlobs(const Area &area, const std::vector<CaptureRegion> &exclude) {
    const std::vector<int16_t> hues = BlobHues(area, exclude);
    std::vector<int32_t> labels(hues.size(), 0);
    std::vector<size_t> stack;
    std::vector<Blob> blobs;
    int32_t label = 0;
    for (size_t i = 0; i < hues.size(); ++i) {
        if (hues[i] == NotBlob || labels[i])
            continue;
        const Patch patch = LabelPatch(area, hues, i, ++label, labels, stack);
        if (IsBlob(area, labels, patch, label))
            blobs.push_back({area.place.x + (patch.left + patch.right) / 2.0,
                             area.place.y + (patch.top + patch.bottom) / 2.0,
                             (patch.right - patch.left + patch.bottom - patch.top) / 2.0});
    }
    return blobs;
}

// Every pair of the blobs, nearest the point first.
std::vector<Pair> PairsByDistance(const std::vector<Blob> &blobs, double x, double y) {
    std::vector<Pair> pairs;
    for (const Blob &upper : blobs)
        for (const Blob &lower : blobs)
            if (IsPair(upper, lower)) {
                const double midX = (upper.x + lower.x) / 2, midY = (upper.y + lower.y) / 2;
                pairs.push_back({midX, midY, std::hypot(lower.x - upper.x, lower.y - upper.y),
                                 std::hypot(midX - x, midY - y)});
            }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair &a, const Pair &b) { return a.distance < b.distance; });
    return pairs;
}

// As wide as the centres are apart and twice as high, centred on the midpoint: each half covers
// one blob.
CaptureRegion RegionOn(const Pair &pair) {
    return {(int32_t)std::lround(pair.x - pair.pitch / 2),
            (int32_t)std::lround(pair.y - pair.pitch), (int32_t)std::lround(pair.pitch),
            (int32_t)std::lround(2 * pair.pitch)};
}

// The area searched: the whole of width x height pixels, or the part of it within reach of a
// region.
Area AreaOf(const uint32_t *pixels, int32_t width, int32_t height, const CaptureRegion &reach) {
    const int32_t left = std::max(reach.x, 0), top = std::max(reach.y, 0);
    const int32_t right = (int32_t)std::min<int64_t>((int64_t)reach.x + reach.width, width);
    const int32_t bottom = (int32_t)std::min<int64_t>((int64_t)reach.y + reach.height, height);
    return {pixels + (ptrdiff_t)top * width + left,
            width,
            {left, top, std::max(right - left, 0), std::max(bottom - top, 0)}};
}

} // namespace

bool FindPairNear(const uint32_t *pixels, int32_t width, int32_t height, const CaptureRegion &frame,
                  const std::vector<CaptureRegion> &exclude, CaptureRegion &found) {
    if (pixels == nullptr || width <= 0 || height <= 0)
        return false;
    // In a field, stacked blobs of two colours are pairs too: the one the user put the frame on
    // is the one nearest its centre.
    const std::vector<Pair> pairs =
        PairsByDistance(FindBlobs(AreaOf(pixels, width, height, {0, 0, width, height}), exclude),
                        frame.x + frame.width / 2.0, frame.y + frame.height / 2.0);
    if (pairs.empty())
        return false;
    found = RegionOn(pairs[0]);
    return true;
}

SecondPairFit FindSecondPair(const uint32_t *pixels, int32_t width, int32_t height,
                             const CaptureRegion &next, const std::vector<CaptureRegion> &exclude,
                             CaptureRegion &found) {
    if (pixels == nullptr || width <= 0 || height <= 0 || next.width <= 0)
        return NoSecondPair;
    const int64_t reach = (int64_t)SecondReach * next.width;
    const CaptureRegion within = {(int32_t)std::max<int64_t>(next.x - reach, INT32_MIN),
                                  (int32_t)std::max<int64_t>(next.y - reach, INT32_MIN),
                                  (int32_t)std::min<int64_t>(next.width + 2 * reach, INT32_MAX),
                                  (int32_t)std::min<int64_t>(next.height + 2 * reach, INT32_MAX)};
    const Area area = AreaOf(pixels, width, height, within);
    if (area.place.width <= 0 || area.place.height <= 0)
        return NoSecondPair;
    // The next pair is found here too, and a blob split into a rim and its inside is paired
    // twice: pairs about one midpoint are one.
    std::vector<Pair> candidates;
    for (const Pair &pair : PairsByDistance(FindBlobs(area, exclude), next.x + next.width / 2.0,
                                            next.y + next.height / 2.0)) {
        const bool sized =
            pair.pitch >= SmallestSecond * next.width && pair.pitch <= LargestSecond * next.width;
        bool seen = 2 * pair.distance < next.width;
        for (const Pair &candidate : candidates)
            seen = seen || 2 * std::hypot(pair.x - candidate.x, pair.y - candidate.y) < pair.pitch;
        if (sized && !seen)
            candidates.push_back(pair);
    }
    if (candidates.empty())
        return NoSecondPair;
    if (candidates.size() > 1 && candidates[1].distance <= AboutAsNear * candidates[0].distance)
        return TwoSecondPairs;
    found = RegionOn(candidates[0]);
    return SecondPairFound;
}
