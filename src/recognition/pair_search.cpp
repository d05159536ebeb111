#include "recognition/pair_search.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "recognition/blob_look.h"
#include "recognition/classify.h"
#include "recognition/colour.h"
#include "recognition/pixel_hue.h"

namespace {

// A blob's hue strays from its core's toward the rim and in a noisy picture: a real game's green
// spans 95 to 128 degrees. A neighbour of another colour, touching it in a field, lies 50 degrees
// or more round.
const int32_t HueReach = 30;

// A blob's pixels are at least this bright. The dark outline a game draws round each blob, and a
// dark board of the blob's own hue (navy under blue: value 0.27), stay out, so that a blob stands
// alone even where the capture has blurred its rim into them; the darkest shading of a real blob,
// a third of its brightest, stays in.
const float SearchedValue = 0.3f;

// Blobs are 12 to 160 pixels across; the margins keep a blob cut by a neighbour in a field.
const int32_t SmallestBlob = 10; // pixels across
const int32_t LargestBlob = 180;

// A blob's bounds: a real game's blobs are squashed and tilted to 1.3 times as wide as high;
// two blobs of one colour merged in a field are twice as long as wide.
const double LongestSide = 1.4;

// A blob's outline, gaps and holes closed (its hull), is an ellipse of any tilt: the hull's area
// is within 0.93 of an ellipse's of the same spread (a disc, a tilted egg and a teardrop give
// 0.98 and over, three blobs in an L 0.81). It fills at most 0.93 of its bounds, where a box's
// plank or a frame's rectangle fills them whole; and the patch fills at least 0.6 of its hull,
// where a highlight at the rim bites a fifth out of a blob and an L leaves a third empty.
const double EllipseLikeness = 0.93; // the hull's area to an ellipse's
const double MostOfBounds = 0.93;    // the most of its bounds a blob fills
const double LeastOfHull = 0.6;      // the least of its hull the patch fills

// A second box's pair is 0.5 to 0.9 times the next pair's size, within four of its widths of it;
// of two candidates at about one distance (the nearer within 1.25 of it), neither is taken.
const double SmallestSecond = 0.5; // times the next pair's size
const double LargestSecond = 0.9;
const double SecondReach = 4;    // of the next pair's widths
const double AboutAsNear = 1.25; // the farther to the nearer

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

// A corner of a pixel, on the hull of a patch.
struct Corner {
    double x, y;
};

// Each pixel's hue in whole degrees, or NotBlob where it is grey, dark, pale or left out.
std::vector<int16_t> BlobHues(const Area &area, const std::vector<CaptureRegion> &exclude) {
    const CaptureRegion &in = area.place;
    std::vector<int16_t> hues((size_t)in.width * (size_t)in.height, NotBlob);
    HsvColour hsv;
    for (int32_t y = 0; y < in.height; ++y)
        for (int32_t x = 0; x < in.width; ++x)
            if (IsBlobColoured(area.topLeft[y * area.stride + x], hsv) &&
                hsv.value >= SearchedValue)
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

// Labels the patch that holds the seed: pixels within HueReach of the seed's hue, joined side by
// side or over one row, since interlace combs a moving blob into lines with dark rows between.
// The highlight and eyes inside a blob are left as holes.
Patch LabelPatch(const std::vector<int16_t> &hues, int32_t width, int32_t height, size_t seed,
                 int32_t label, std::vector<int32_t> &labels, std::vector<size_t> &stack) {
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
            if (!inside || labels[next] || hues[next] == NotBlob ||
                HueDistance(hues[next], hues[seed]) > HueReach)
                return;
            labels[next] = label;
            stack.push_back(next);
        };
        visit(x > 0, at - 1);
        visit(x + 1 < width, at + 1);
        visit(y > 0, at - (size_t)width);
        visit(y + 1 < height, at + (size_t)width);
        visit(y > 1, at - 2 * (size_t)width);
        visit(y + 2 < height, at + 2 * (size_t)width);
    }
    return patch;
}

// The convex hull of the patch's rows, each from its first pixel to past its last, and the
// pixels those rows hold (a row combed away holds what the one above it held).
std::vector<Corner> RowsHull(const std::vector<int32_t> &labels, int32_t width, const Patch &patch,
                             int32_t label, double &held) {
    std::vector<Corner> corners;
    double lastRow = 0;
    held = 0;
    for (int32_t y = patch.top; y < patch.bottom; ++y) {
        const int32_t *row = &labels[(size_t)y * (size_t)width];
        int32_t first = patch.right, last = patch.left;
        for (int32_t x = patch.left; x < patch.right; ++x)
            if (row[x] == label) {
                first = std::min(first, x);
                last = x + 1;
            }
        if (last > first) {
            lastRow = last - first;
            corners.insert(corners.end(), {{(double)first, (double)y},
                                           {(double)last, (double)y},
                                           {(double)first, y + 1.0},
                                           {(double)last, y + 1.0}});
        }
        held += lastRow;
    }
    // Andrew's monotone chain: the lower hull left to right, then the upper back.
    std::sort(corners.begin(), corners.end(), [](const Corner &a, const Corner &b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    auto turn = [](const Corner &o, const Corner &a, const Corner &b) {
        return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
    };
    std::vector<Corner> hull(2 * corners.size());
    size_t k = 0;
    for (size_t i = 0; i < corners.size(); ++i) {
        while (k >= 2 && turn(hull[k - 2], hull[k - 1], corners[i]) <= 0)
            --k;
        hull[k++] = corners[i];
    }
    for (size_t i = corners.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && turn(hull[k - 2], hull[k - 1], corners[i]) <= 0)
            --k;
        hull[k++] = corners[i];
    }
    hull.resize(k - 1);
    return hull;
}

// Whether the patch has a blob's outline: its hull an ellipse of any tilt, not a rectangle, and
// mostly filled. An ellipse of area A has A = 4 pi sqrt(det C), C the covariance of its points;
// the hull's area and moments come from its edges (Green's theorem).
bool IsRound(const std::vector<int32_t> &labels, int32_t width, const Patch &patch, int32_t label) {
    double held = 0;
    const std::vector<Corner> hull = RowsHull(labels, width, patch, label, held);
    double area = 0, sumX = 0, sumY = 0, sumXX = 0, sumYY = 0, sumXY = 0;
    for (size_t i = 0; i < hull.size(); ++i) {
        const Corner &p = hull[i], &q = hull[(i + 1) % hull.size()];
        const double cross = p.x * q.y - q.x * p.y;
        area += cross / 2;
        sumX += (p.x + q.x) * cross / 6;
        sumY += (p.y + q.y) * cross / 6;
        sumXX += (p.x * p.x + p.x * q.x + q.x * q.x) * cross / 12;
        sumYY += (p.y * p.y + p.y * q.y + q.y * q.y) * cross / 12;
        sumXY += (p.x * q.y + 2 * p.x * p.y + 2 * q.x * q.y + q.x * p.y) * cross / 24;
    }
    if (area <= 0)
        return false;
    const double x = sumX / area, y = sumY / area;
    const double xx = sumXX / area - x * x, yy = sumYY / area - y * y, xy = sumXY / area - x * y;
    const double spread = std::sqrt(std::max(xx * yy - xy * xy, 1e-9));
    const double bounds = (double)(patch.right - patch.left) * (patch.bottom - patch.top);
    return area >= EllipseLikeness * 4 * 3.14159265 * spread && area <= MostOfBounds * bounds &&
           held >= LeastOfHull * area;
}

bool IsBlob(const Area &area, const std::vector<int32_t> &labels, const Patch &patch,
            int32_t label) {
    const int32_t w = patch.right - patch.left, h = patch.bottom - patch.top;
    return std::min(w, h) >= SmallestBlob && std::max(w, h) <= LargestBlob &&
           std::max(w, h) <= LongestSide * std::min(w, h) &&
           IsRound(labels, area.place.width, patch, label);
}

// Whether two blobs are a pair, upper over lower: in one column, of about one size, one to one
// and a half sizes apart (a real game's blobs fill three quarters of their cells, drawn ones the
// whole).
bool IsPair(const Blob &upper, const Blob &lower) {
    const double across = (upper.size + lower.size) / 2, down = lower.y - upper.y;
    return 4 * std::abs(lower.x - upper.x) <= across &&
           std::abs(upper.size - lower.size) <= 0.3 * std::max(upper.size, lower.size) &&
           down >= 0.8 * across && down <= 1.5 * across;
}

// The blobs in the area, in the coordinates of the whole. Patches are grown from the brightest
// pixel left first, so that each seed lies in a blob's core, whose hue is the blob's own, not on
// a rim the capture has blurred into what lies beside it.
std::vector<Blob> FindBlobs(const Area &area, const std::vector<CaptureRegion> &exclude) {
    const std::vector<int16_t> hues = BlobHues(area, exclude);
    const int32_t width = area.place.width;
    std::vector<size_t> seeds(hues.size()), first(257, 0); // counting sort, brightest first
    auto brightness = [&](size_t at) {
        return Brightness(area.topLeft[(ptrdiff_t)(at / (size_t)width) * area.stride +
                                       (ptrdiff_t)(at % (size_t)width)]);
    };
    for (size_t i = 0; i < hues.size(); ++i)
        ++first[256 - brightness(i)];
    for (size_t level = 1; level < first.size(); ++level)
        first[level] += first[level - 1];
    for (size_t i = 0; i < hues.size(); ++i)
        seeds[first[255 - brightness(i)]++] = i;
    std::vector<int32_t> labels(hues.size(), 0);
    std::vector<size_t> stack;
    std::vector<Blob> blobs;
    int32_t label = 0;
    for (const size_t seed : seeds) {
        if (hues[seed] == NotBlob || labels[seed])
            continue;
        const Patch patch =
            LabelPatch(hues, width, area.place.height, seed, ++label, labels, stack);
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

bool HalfHoldsBlob(const uint32_t *pixels, int32_t width, int32_t height, int32_t half) {
    if (pixels == nullptr || width <= 0 || height < 2)
        return false;
    if (CellHasDetail(pixels, width, height,
                      half ? LowerCellArea(width, height) : UpperCellArea(width, height)))
        return true;
    const int32_t top = half ? height / 2 : 0, rows = half ? height - height / 2 : height / 2;
    const Area area = {pixels + (size_t)(height - 1 - top) * (size_t)width,
                       -(ptrdiff_t)width,
                       {0, 0, width, rows}};
    for (const Blob &blob : FindBlobs(area, {}))
        if (2 * blob.size >= std::min(width, rows))
            return true;
    return false;
}

bool FindPairNear(const uint32_t *pixels, int32_t width, int32_t height,
                  const CaptureRegion &region, const std::vector<CaptureRegion> &exclude,
                  CaptureRegion &found) {
    if (pixels == nullptr || width <= 0 || height <= 0)
        return false;
    // In a field, stacked blobs of two colours are pairs too: the one the user put the frame on
    // is the one nearest its centre.
    const std::vector<Pair> pairs =
        PairsByDistance(FindBlobs(AreaOf(pixels, width, height, {0, 0, width, height}), exclude),
                        region.x + region.width / 2.0, region.y + region.height / 2.0);
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
