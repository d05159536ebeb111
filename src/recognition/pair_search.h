// The fit of the next box's region onto the game's next pair, and of a second region onto its
// second box: a search of the screen in and around the region for two blobs one over the other.
// Reads pixels from memory; no platform.
#pragma once

#include <cstdint>
#include <vector>

#include "tessivo.h"

// Searches the whole of an area of the screen, width x height pixels 0x00RRGGBB with rows
// top-down (unlike the watch's bottom-up samples), for pairs of blobs, and fits a region onto
// the pair whose midpoint lies nearest the centre of region (Brimlet's frame now, in the area's
// coordinates; the caller captures at least its width and height on every side of it). Pixels
// in the rectangles of exclude (the frame's own drawing, the program's window) count as board.
// A blob is a patch of one hue, saturated and bright enough (IsBlobColoured, and a value of 0.3),
// 12 to 160 pixels across, whose outline is an ellipse of any tilt: a face, a plain disc, a
// shaded ball, blurred, noisy or combed by interlace; a pair is two of about one size, one over
// the other one to one and a half sizes apart. The region found is as wide as the pair's
// centres are apart and twice as high, centred on its midpoint: each half covers one blob.
// False when there is no pair: a single blob, an empty box, no game.
bool FindPairNear(const uint32_t *pixels, int32_t width, int32_t height,
                  const CaptureRegion &region, const std::vector<CaptureRegion> &exclude,
                  CaptureRegion &found);

// Whether a half of a sample (rows bottom-up, as the watch reads it; 0 the upper) holds a blob
// whose colour the player may take: its cell has a blob's detail as the watch tells it, or a blob
// as F tells one fills half the half across. A plain disc, a face and a shaded ball pass; a board,
// flat, graded or faintly patterned, however coloured, does not.
bool HalfHoldsBlob(const uint32_t *pixels, int32_t width, int32_t height, int32_t half);

// What the search for the second box found.
enum SecondPairFit {
    SecondPairFound,
    NoSecondPair,   // no pair 0.5 to 0.9 times the next pair's size near it
    TwoSecondPairs, // two such pairs about as near: which is the second box cannot be told
};

// After the next pair's region (next, from FindPairNear): the second box's pair, which games show
// smaller beside or below the next box. Searched within four of the next pair's widths around it,
// in the same pixels with the same rectangles left out: the pair nearest the next one, other than
// it, 0.5 to 0.9 times its size (a field's pairs are its size), fitted by the same rule. None when
// there is no such pair, or when a second one lies about as near.
SecondPairFit FindSecondPair(const uint32_t *pixels, int32_t width, int32_t height,
                             const CaptureRegion &next, const std::vector<CaptureRegion> &exclude,
                             CaptureRegion &found);
