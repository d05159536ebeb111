// Each tick's samples: the next box's region and, when [REGION2] sets it, the game's second box,
// and auto capture's watch of both.
#pragma once

#include <vector>

#include "tessivo.h"

// A second region with an area: [REGION2] W and H both set.
bool SecondBoxSet();

// Copies the regions from the screen into captureSurface and secondSurface, both from one copy
// of the screen when the regions lie near each other. A region with no pixels, or one too large
// to be copied, keeps what its sample last held. True when every sample is, byte for byte, what
// the last tick left: still.
bool TakeSamples();

// After TakeSamples: the moves that auto capture records this tick, in order. Without a second
// box, the next box's pair as it settles, read by the recogniser; with one, each pair checked
// against the second box's reading. Nothing with auto capture off. Still samples that the watches
// saw at the last tick are the same sightings again: only their counts go on.
std::vector<RecordedMove> WatchBoxes(bool still);

// The watches forget what they saw: the pairs shown now count as recorded. A moved region, auto
// capture turned on or off, the game over.
void RestartWatches();

// The count starts again, the watches going on: nothing read so far checks what comes. A RESET,
// a pasted record.
void RestartCount();

// A press of the capture key or button: the next box's pair, read by the recogniser; with a
// second box and auto capture off, marked when it differs from the second box's reading.
RecordedMove PressedPair();
