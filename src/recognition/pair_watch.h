// Auto capture's watch: from each tick's sample, tells when a new pair has arrived and
// settled. Reads pixels from memory, so that a tick pays little for it.
#pragma once

#include <cstdint>
#include <vector>

#include "recognition/pixel_hue.h"
#include "tessivo.h"

// One tick's look at the sample's two cells: the colour with most votes in each, and
// whether both show a blob. A cell shows a blob when coloured pixels of one colour fill at
// least half of it (grey, dark and pale pixels do not vote) and it has detail: a blob is
// shaded, with a highlight and eyes, while a board is plain or a faint gradient or pattern,
// however coloured. A cell without detail is the board: the pair has left the box. A cell
// with detail but no blob (a pair dimmed, moving or half drawn) is neither.
struct PairSighting {
    BlobPair pair;
    bool clear;                 // both cells show a blob
    bool empty;                 // a cell shows the board
    std::vector<uint8_t> looks; // each pixel of the upper cell, then the lower: its colour, or
                                // whether it is dark grey or pale (see PictureMoved)
    int32_t lit[2][5];          // each cell's lit pixels of each colour, red to purple (see
                                // SettledPairAway); the upper cell first
    int32_t cellPixels;         // the pixels of one cell
};

// The typical hue of a cell's blob-coloured pixels, in whole degrees 0..359 (truncated, as
// the classifier takes hues): the mean of those within 15 degrees of the most common hue
// (give or take 2 degrees), so that a blob's own hue wins over a board's corners, and a hue
// near 0 is taken round the circle. False for a cell that those pixels do not fill half of.
bool CellHue(const uint32_t *pixels, int32_t width, int32_t height, const CellArea &cell,
             int32_t &degrees);

// The sighting of a 32-bit sample as a device-independent bitmap holds it in memory:
// rows bottom-up, each pixel 0x00RRGGBB (not the drawing interface's 0x00BBGGRR).
PairSighting SightPair(const uint32_t *pixels, int32_t width, int32_t height);

inline bool SamePair(const BlobPair &a, const BlobPair &b) {
    return a.lower == b.lower && a.upper == b.upper;
}

// The watch of one box: what settled there, and what it shows on the last ticks.
struct PairWatch {
    BlobPair settledPair = {0, 0}; // the pair seen settled last
    bool settledKnown = false;     // settledPair holds a pair
    BlobPair candidate = {0, 0};   // the clear pair seen on the last ticks
    int32_t sameTicks = 0;       // ticks in a row that candidate was seen, up to one past settling
    bool pictureChanged = false; // the box was empty, or its picture moved, since the pair settled
    bool restarted = true;       // the next sighting shows what was on screen at the restart
    int32_t awayTicks = 0;       // ticks in a row that the settled pair was away from its place
    PairSighting lastSeen = {{0, 0}, false, true, {}, {}, 0}; // the last sighting; its looks:
                                                              // previousLooks
    std::vector<uint8_t> settledLooks;  // the look of each cell pixel when the pair settled last
    std::vector<uint8_t> previousLooks; // and at the last tick
};

// True once for each new pair: the same clear pair has been seen on more than settleTicks
// ticks in a row, and it is another pair than the one settled last, or the box has changed
// since then: it was empty, or the game scrolled (the next pair leaves upwards and the one
// after it comes in from below, and that one may be the same pair). A scroll shows as the
// settled pair away from its place for a few ticks, or upside down; a face's blink, analog
// noise, a combed frame or a spark or a count crossing the box leave it in place, and a pair
// dimmed, flashed or blurred in place does not move. A clear sighting of another pair (but
// the pair upside down) is judged by settling alone, so a pair misread for a tick changes
// nothing.
bool WatchPair(PairWatch &watch, const PairSighting &seen, int32_t settleTicks);

// The clear pair of the last ticks, not settled yet, would be captured if it settled.
bool CandidateIsNew(const PairWatch &watch);

// WatchPair with the sighting it was given last, for a sample that has not changed since, at the
// cost of the count alone. The watch ends as it would have on that sighting itself.
bool WatchSameSighting(PairWatch &watch, int32_t settleTicks);

// Forgets what was seen: the pair that the next sighting shows counts as already
// recorded, and any other pair after it is new; after an empty box, the first pair is
// new. For the picture shown when the watch starts, and for a region that was moved.
void RestartPairWatch(PairWatch &watch);
