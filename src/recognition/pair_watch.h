// Auto capture's watch: from each tick's sample, tells when a new pair has arrived and
// settled. Reads pixels from memory, so that a tick pays little for it.
#pragma once

#include <cstdint>

#include "tessivo.h"

// One tick's look at the sample's two cells: the colour with most votes in each, and
// whether both are clear, that is coloured pixels of one colour fill at least half of
// each cell. Grey, dark and pale pixels do not vote: an empty box is never clear.
struct PairSighting {
    BlobPair pair;
    bool clear;
};

// The sighting of a 32-bit sample as a device-independent bitmap holds it in memory:
// rows bottom-up, each pixel 0x00RRGGBB (not the drawing interface's 0x00BBGGRR).
PairSighting SightPair(const uint32_t *pixels, int32_t width, int32_t height);

// True once for each new pair: after the picture changed (a sighting not clear, or a
// clear one of another pair than the last settled one), the same clear pair has been
// seen on more than settleTicks ticks in a row.
bool WatchPair(const PairSighting &seen, int32_t settleTicks);

// Forgets what was seen: the pair that the next sighting shows counts as already
// recorded, and any other pair after it is new; after an empty box, the first pair is
// new. For the picture shown when the watch starts, and for a region that was moved.
void RestartPairWatch();
