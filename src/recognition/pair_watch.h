// Auto capture's watch: from each tick's sample, tells when a new pair has arrived and
// settled. Reads pixels from memory, so that a tick pays little for it.
#pragma once

#include <cstdint>

#include "tessivo.h"

// One tick's look at the sample's two cells: the colour with most votes in each, and
// whether both show a blob. A cell shows a blob when coloured pixels of one colour fill at
// least half of it (grey, dark and pale pixels do not vote) and it has detail: a blob is
// shaded, with a highlight and eyes, while a board is plain or a faint gradient or pattern,
// however coloured. A cell without detail is the board: the pair has left the box. A cell
// with detail but no blob (a pair dimmed, moving or half drawn) is neither.
struct PairSighting {
    BlobPair pair;
    bool clear; // both cells show a blob
    bool empty; // a cell shows the board
};

// The sighting of a 32-bit sample as a device-independent bitmap holds it in memory:
// rows bottom-up, each pixel 0x00RRGGBB (not the drawing interface's 0x00BBGGRR).
PairSighting SightPair(const uint32_t *pixels, int32_t width, int32_t height);

// True once for each new pair: the same clear pair has been seen on more than settleTicks
// ticks in a row, and it is another pair than the one settled last, or the box was empty
// since then. A sighting neither clear nor empty changes nothing.
bool WatchPair(const PairSighting &seen, int32_t settleTicks);

// Forgets what was seen: the pair that the next sighting shows counts as already
// recorded, and any other pair after it is new; after an empty box, the first pair is
// new. For the picture shown when the watch starts, and for a region that was moved.
void RestartPairWatch();
