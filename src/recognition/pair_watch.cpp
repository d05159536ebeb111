#include "recognition/pair_watch.h"

#include <cstddef>

#include "recognition/classify.h"
#include "recognition/colour.h"
#include "recognition/pixel_hue.h"

namespace {

// Below these a pixel is grey, dark or pale: the backdrop of an empty box, not a blob.
const float MinimumSaturation = 0.25f;
const float MinimumValue = 0.2f;

// The state of the watch.
BlobPair settledPair;  // the pair seen settled last
bool settledKnown;     // settledPair holds a pair
BlobPair candidate;    // the clear pair seen on the last ticks
int32_t sameTicks;     // ticks in a row that candidate was seen, up to one past settling; 0: none
bool pictureChanged;   // the picture changed since the pair settled last
bool restarted = true; // the next sighting shows what was on screen at the restart

// The majority of a cell's coloured pixels, and whether they fill half of the cell.
BlobColour SightCell(const uint32_t *pixels, int32_t width, int32_t height, const CellArea &cell,
                     bool &clear) {
    VoteCounts votes = {};
    for (int32_t y = cell.top; y < cell.top + cell.rows; ++y) {
        const uint32_t *row = pixels + (size_t)(height - 1 - y) * (size_t)width;
        for (int32_t x = cell.left; x < cell.left + cell.columns; ++x) {
            HsvColour hsv = RgbToHsv(ChannelFraction(row[x], 16), ChannelFraction(row[x], 8),
                                     ChannelFraction(row[x], 0));
            if (hsv.saturation >= MinimumSaturation && hsv.value >= MinimumValue)
                ++votes[ClassifyHue(hsv.hue) - 1];
        }
    }
    BlobColour colour = MajorityColour(votes);
    clear = clear && 2 * (int64_t)votes[colour - 1] >= (int64_t)cell.columns * cell.rows &&
            votes[colour - 1] > 0;
    return colour;
}

bool SamePair(const BlobPair &a, const BlobPair &b) {
    return a.lower == b.lower && a.upper == b.upper;
}

} // namespace

PairSighting SightPair(const uint32_t *pixels, int32_t width, int32_t height) {
    PairSighting seen = {{0, 0}, pixels != nullptr && width > 0 && height > 0};
    if (!seen.clear)
        return seen;
    seen.pair.upper = SightCell(pixels, width, height, UpperCellArea(width, height), seen.clear);
    seen.pair.lower = SightCell(pixels, width, height, LowerCellArea(width, height), seen.clear);
    return seen;
}

bool WatchPair(const PairSighting &seen, int32_t settleTicks) {
    if (restarted) { // only the pair on screen now counts as recorded; whatever follows is new
        restarted = false;
        settledPair = seen.pair;
        settledKnown = seen.clear;
        pictureChanged = false;
    }
    if (!seen.clear) {
        sameTicks = 0;
        pictureChanged = true;
        return false;
    }
    if (sameTicks > 0 && SamePair(seen.pair, candidate)) {
        if (sameTicks > settleTicks) // settled already: the count stops, and cannot overflow
            return false;
        ++sameTicks;
    } else {
        sameTicks = 1;
        candidate = seen.pair;
        if (settledKnown && !SamePair(candidate, settledPair))
            pictureChanged = true;
    }
    if (sameTicks <= settleTicks) // a frame that stays settleTicks ticks or fewer is no pair
        return false;
    bool capture = pictureChanged;
    settledPair = candidate;
    settledKnown = true;
    pictureChanged = false;
    return capture;
}

void RestartPairWatch() {
    sameTicks = 0;
    restarted = true;
}
