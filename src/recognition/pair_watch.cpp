#include "recognition/pair_watch.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "recognition/blob_look.h"
#include "recognition/classify.h"
#include "recognition/colour.h"
#include "recognition/pixel_hue.h"

namespace {

// A pixel's look, to tell a picture that moved from one dimmed or flashed in place: its colour
// while it is saturated, however dim (dimming keeps a pixel's hue and saturation), dark grey
// (the eyes), or nothing to go by: pale or light grey (a highlight, a flash), or too near black
// for its hue to mean anything (a black board, a fade to black).
const float DimmestColour = 0.0625f; // 16 of 255 levels
const uint8_t LookDarkGrey = 6;      // past the five colours
const uint8_t LookPale = 0;          // nothing to go by

uint8_t PixelLook(const HsvColour &hsv) {
    if (hsv.value < DimmestColour)
        return LookPale;
    if (hsv.saturation >= MinimumSaturation)
        return (uint8_t)ClassifyHue(hsv.hue, settings.hues);
    return hsv.value < MinimumValue ? LookDarkGrey : LookPale;
}

// A lit pixel is brighter than a game's dark board behind the blobs (a wooden board of a real
// game reads as dim yellow up to 0.26) and than a blob's own darkest shading.
const float LitValue = 0.3f;

// The majority of a cell's coloured pixels; the cell shows a blob when they fill half of it
// and it has detail, and the board when it has no detail.
BlobColour SightCell(const uint32_t *pixels, int32_t width, int32_t height, int32_t index,
                     PairSighting &seen) {
    const CellArea cell = index == 0 ? UpperCellArea(width, height) : LowerCellArea(width, height);
    VoteCounts votes = {};
    for (int32_t y = cell.top; y < cell.top + cell.rows; ++y) {
        const uint32_t *row = pixels + (size_t)(height - 1 - y) * (size_t)width;
        HsvColour hsv;
        for (int32_t x = cell.left; x < cell.left + cell.columns; ++x) {
            const bool coloured = IsBlobColoured(row[x], hsv);
            const uint8_t look = PixelLook(hsv); // a blob-coloured pixel's look is its colour
            if (coloured)
                ++votes[look - 1];
            if (coloured && hsv.value >= LitValue)
                ++seen.lit[index][look - 1];
            seen.looks.push_back(look);
        }
    }
    BlobColour colour = MajorityColour(votes);
    const bool detailed = CellHasDetail(pixels, width, height, cell);
    // The blob's colour bleeds into its rim on an analog picture (a green blob's rim reads yellow):
    // coloured pixels fill half the cell, and the majority's are two in three of them.
    int64_t coloured = 0;
    for (int32_t count : votes)
        coloured += count;
    seen.clear = seen.clear && detailed && 2 * coloured >= (int64_t)cell.columns * cell.rows &&
                 5 * (int64_t)votes[colour - 1] >= 3 * coloured && votes[colour - 1] > 0;
    seen.empty = seen.empty || !detailed;
    return colour;
}

// Whether the picture has moved since the looks were taken: a colour shows where it did not, or
// dark grey where a colour did, on one pixel of the cells in pixelsPerMove. Dimming keeps each
// pixel's colour, a flash turns colour pale; a pair moving up or down puts its colours, its eyes
// and the board's gap between the blobs where other colours were.
bool PictureMoved(const std::vector<uint8_t> &looks, const std::vector<uint8_t> &before,
                  int64_t pixelsPerMove) {
    if (looks.size() != before.size() || looks.empty())
        return false;
    int64_t moved = 0;
    for (size_t i = 0; i < looks.size(); ++i)
        moved += looks[i] != before[i] && looks[i] != LookPale &&
                 (looks[i] != LookDarkGrey || before[i] != LookPale);
    return moved * pixelsPerMove >= (int64_t)looks.size();
}

// Whether a sighting shows the settled pair gone from its place: a cell holds less than one pixel
// in seven lit in its settled colour. Played on real games, a face's blink, analog noise, a combed
// frame, sparks and a chain's count crossing the box leave at least that for all but two ticks in
// a row, while a scroll, however quick, leaves a cell without the pair's colour for nine ticks or
// more, the same pair scrolling in after itself too.
bool SettledPairAway(const PairWatch &watch, const PairSighting &seen) {
    const BlobColour settled[2] = {watch.settledPair.upper, watch.settledPair.lower};
    for (int cell = 0; cell < 2; ++cell) {
        const int32_t colour = settled[cell];
        if (colour < ColourRed || colour > ColourPurple ||
            7 * (int64_t)seen.lit[cell][colour - 1] < seen.cellPixels)
            return true;
    }
    return false;
}

// Ticks in a row that a settled pair must be away before what settles next is new: twice the
// longest absence of a pair that stayed, and half the shortest scroll's.
const int32_t AwayTicks = 4;

} // namespace

bool CellHue(const uint32_t *pixels, int32_t width, int32_t height, const CellArea &cell,
             int32_t &degrees) {
    int64_t counts[360] = {};
    double parts[360] = {}; // the degrees past each whole one, summed
    for (int32_t y = cell.top; y < cell.top + cell.rows; ++y) {
        const uint32_t *row = pixels + (size_t)(height - 1 - y) * (size_t)width;
        HsvColour hsv;
        for (int32_t x = cell.left; x < cell.left + cell.columns; ++x)
            if (IsBlobColoured(row[x], hsv)) {
                int32_t whole = HueDegrees(hsv.hue);
                ++counts[whole];
                parts[whole] += hsv.hue * 360.0 - whole;
            }
    }
    // The most common hue, give or take 2 degrees, wins; the mean is taken within 15 degrees
    // of it, so a board's corners a little further round the circle do not pull it.
    const int32_t peak = 2, reach = 15;
    int64_t best = 0, near = 0;
    for (int32_t centre = 0; centre < 360; ++centre) {
        int64_t sum = 0;
        for (int32_t d = -peak; d <= peak; ++d)
            sum += counts[(centre + d + 360) % 360];
        if (sum > best) {
            best = sum;
            degrees = centre;
        }
    }
    double offsets = 0;
    for (int32_t d = -reach; d <= reach; ++d) {
        const int32_t bin = (degrees + d + 360) % 360;
        near += counts[bin];
        offsets += d * counts[bin] + parts[bin];
    }
    // One colour must fill half the cell, as a blob fills it, plain or shaded: a skin of plain
    // discs is fitted as one with eyes.
    if (near == 0 || 2 * near < (int64_t)cell.columns * cell.rows)
        return false;
    // Whole degrees truncated, as the classifier takes them, and round the circle.
    degrees = (int32_t)std::floor(degrees + offsets / near + 360) % 360;
    return true;
}

PairSighting SightPair(const uint32_t *pixels, int32_t width, int32_t height) {
    const bool sampled = pixels != nullptr && width > 0 && height > 0;
    PairSighting seen = {{0, 0}, sampled, !sampled, {}, {}, 0};
    if (!sampled)
        return seen;
    const CellArea upper = UpperCellArea(width, height); // the lower one is as large
    seen.looks.reserve(2 * (size_t)std::max(upper.columns, 0) * (size_t)std::max(upper.rows, 0));
    seen.cellPixels = upper.columns * upper.rows;
    seen.pair.upper = SightCell(pixels, width, height, 0, seen);
    seen.pair.lower = SightCell(pixels, width, height, 1, seen);
    return seen;
}

// Only the pair on screen now, with the looks of the last tick, counts as recorded; whatever
// follows is new.
static void RestartFrom(PairWatch &watch, const PairSighting &seen) {
    watch.restarted = false;
    watch.settledPair = seen.pair;
    watch.settledKnown = seen.clear;
    watch.pictureChanged = false;
    watch.awayTicks = 0;
    watch.settledLooks = watch.previousLooks;
}

// What the last sighting does to the count once its looks are weighed: true when its pair settles
// as a new one.
static bool CountLastSighting(PairWatch &watch, int32_t settleTicks) {
    const PairSighting &seen = watch.lastSeen;
    if (!seen.clear) {
        watch.sameTicks = 0;
        watch.pictureChanged = watch.pictureChanged || seen.empty; // the pair has left the box
        return false;
    }
    if (watch.sameTicks > 0 && SamePair(seen.pair, watch.candidate)) {
        if (watch.sameTicks > settleTicks) // settled already: the count stops, cannot overflow
            return false;
        ++watch.sameTicks;
    } else {
        watch.sameTicks = 1;
        watch.candidate = seen.pair;
    }
    if (watch.sameTicks <= settleTicks) // a frame that stays settleTicks ticks or fewer is no pair
        return false;
    // Another pair counts only once it has settled: a frame misread for a tick is no change.
    bool capture = watch.pictureChanged || !watch.settledKnown ||
                   !SamePair(watch.candidate, watch.settledPair);
    watch.settledPair = watch.candidate;
    watch.settledLooks = watch.previousLooks;
    watch.settledKnown = true;
    watch.pictureChanged = false;
    watch.awayTicks = 0; // counted against the pair settled before
    return capture;
}

bool WatchPair(PairWatch &watch, const PairSighting &seen, int32_t settleTicks) {
    if (watch.restarted) {
        watch.previousLooks = seen.looks;
        RestartFrom(watch, seen);
    }
    // A scroll, whatever settles next is new, even the same pair: the settled pair is away from
    // its place for AwayTicks ticks in a row, or a pair of two colours shows upside down (what a
    // scroll shows half-way). Both only while the picture moved from the settled pair's, so that a
    // pair dimmed or flashed in place is not away. A sighting that reads clear counts toward the
    // away ticks like any other: a noisy board of a blob's hue, between a pair and the same pair
    // again, reads as a pair of that colour, and the settled pair is away all the same; a pair
    // misread in place keeps its colours lit and is not away. The picture is not asked whether it
    // moved from the last tick's: on an analog picture, one frame differs from the next by a tenth
    // of its pixels and more while the pair stands still.
    const BlobPair swapped = {watch.settledPair.upper, watch.settledPair.lower};
    const bool moved = watch.settledKnown && PictureMoved(seen.looks, watch.settledLooks, 11);
    const bool upsideDown = seen.clear && SamePair(seen.pair, swapped) &&
                            watch.settledPair.upper != watch.settledPair.lower;
    watch.awayTicks = moved && SettledPairAway(watch, seen) ? watch.awayTicks + 1 : 0;
    if (moved && (upsideDown || watch.awayTicks >= AwayTicks))
        watch.pictureChanged = true;
    watch.previousLooks = seen.looks;
    watch.lastSeen = {seen.pair, seen.clear, seen.empty, {}, {}, 0};
    return CountLastSighting(watch, settleTicks);
}

// Seen again, the looks compare with the settled pair's as they did, or are the settled pair's
// (it settled on them, or the watch restarted on them), and are the last tick's: they change
// nothing, and only the count goes on.
bool WatchSameSighting(PairWatch &watch, int32_t settleTicks) {
    if (watch.restarted)
        RestartFrom(watch, watch.lastSeen);
    if (watch.awayTicks > 0 && ++watch.awayTicks >= AwayTicks) // away still
        watch.pictureChanged = true;
    return CountLastSighting(watch, settleTicks);
}

void RestartPairWatch(PairWatch &watch) {
    watch.sameTicks = 0;
    watch.restarted = true;
}

bool CandidateIsNew(const PairWatch &watch) {
    return watch.sameTicks > 0 && (watch.pictureChanged || !watch.settledKnown ||
                                   !SamePair(watch.candidate, watch.settledPair));
}
