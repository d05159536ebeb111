#include "app/sampling.h"

#include <algorithm>
#include <cstdint>

#include "recognition/move_check.h"
#include "recognition/pair_watch.h"
#include "recognition/recogniser.h"
#include "surface.h"

namespace {

PairWatch nextWatch;   // auto capture's watch of the next box
PairWatch secondWatch; // and of the second box, while there is one
MoveCheck moveCheck;   // the moves the two boxes' changes make
bool watchedLast;      // the watches saw the last tick's samples, and the regions stayed
std::vector<uint32_t> lastSamples[2]; // the samples of the last tick, to tell a still one
Surface nearby;          // one copy of the screen round both regions, grown as they need
CaptureRegion copied[2]; // the regions of the last tick

// A region with no pixels has nothing to copy, and one wider or taller than 32767 pixels either
// way cannot be copied: some display drivers end the process on either. Negative sizes mirror
// the copy.
bool CanBeSampled(const CaptureRegion &region) {
    const int32_t largest = 32767;
    return region.width != 0 && region.height != 0 && region.width >= -largest &&
           region.width <= largest && region.height >= -largest && region.height <= largest;
}

// The rectangle round both regions when it is small, as the game's two boxes are, and neither is
// mirrored: one copy of the screen then serves both samples.
bool NearEachOther(const CaptureRegion &a, const CaptureRegion &b, CaptureRegion &around) {
    if (a.width < 0 || a.height < 0 || b.width < 0 || b.height < 0)
        return false;
    // In 64 bits: a setting may put a region anywhere an integer reaches.
    const int64_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int64_t width = std::max((int64_t)a.x + a.width, (int64_t)b.x + b.width) - left;
    const int64_t height = std::max((int64_t)a.y + a.height, (int64_t)b.y + b.height) - top;
    const int64_t limit = 1 << 20; // a thousand pixels square, a copy of a few milliseconds
    if (width > 1 << 15 || height > 1 << 15 || width * height > limit)
        return false;
    around = {(int32_t)left, (int32_t)top, (int32_t)width, (int32_t)height};
    return true;
}

// Both samples from one copy of the screen, each scaled from memory.
void CopyBothFrom(const CaptureRegion &around) {
    if (nearby.width < around.width || nearby.height < around.height) {
        DeleteSurface(nearby);
        CreateSurface(nearby, std::max(nearby.width, around.width),
                      std::max(nearby.height, around.height), nullptr);
    }
    HDC screen = GetDC(nullptr);
    BitBlt(nearby.dc, 0, 0, around.width, around.height, screen, around.x, around.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const Surface *samples[2] = {&captureSurface, &secondSurface};
    for (int box = 0; box < 2; ++box) {
        const CaptureRegion &region = box ? settings.secondRegion : settings.region;
        StretchBlt(samples[box]->dc, 0, 0, samples[box]->width, samples[box]->height, nearby.dc,
                   region.x - around.x, region.y - around.y, region.width, region.height, SRCCOPY);
    }
}

// A watch's look at its sample, read from memory (flushed when the tick compared the samples): one
// call a pixel would cost every tick what a capture costs.
PairSighting Sight(const Surface &sample) {
    return SightPair(static_cast<const uint32_t *>(sample.bits), sample.width, sample.height);
}

} // namespace

bool SecondBoxSet() {
    return settings.secondRegion.width != 0 && settings.secondRegion.height != 0;
}

bool TakeSamples() {
    const bool moved =
        !SameRegion(settings.region, copied[0]) || !SameRegion(settings.secondRegion, copied[1]);
    copied[0] = settings.region;
    copied[1] = settings.secondRegion;
    if (moved) // another picture, not a new pair
        RestartWatches();
    watchedLast = watchedLast && !moved;
    const bool first = CanBeSampled(settings.region),
               second = SecondBoxSet() && CanBeSampled(settings.secondRegion);
    CaptureRegion around;
    if (first && second && NearEachOther(settings.region, settings.secondRegion, around)) {
        CopyBothFrom(around);
    } else {
        if (first)
            CopyScreen(captureSurface, settings.region);
        if (second)
            CopyScreen(secondSurface, settings.secondRegion);
    }
    // Both compared, each copy kept for the next tick's comparison.
    const bool still = SameAsLastCopy(captureSurface, lastSamples[0]);
    return (!SecondBoxSet() || SameAsLastCopy(secondSurface, lastSamples[1])) && still;
}

std::vector<RecordedMove> WatchBoxes(bool still) {
    std::vector<RecordedMove> moves;
    const bool again = still && watchedLast; // the same sightings as the last tick's
    const int32_t ticks = settings.settleTicks;
    if (!SecondBoxSet()) { // the next box alone, as auto capture was before the second box
        watchedLast = settings.autoCapture;
        if (settings.autoCapture && (again ? WatchSameSighting(nextWatch, ticks)
                                           : WatchPair(nextWatch, Sight(captureSurface), ticks)))
            moves.push_back(RecordedMove{RecognisePair(captureSurface)});
        return moves;
    }
    // Watched with auto capture off too: a press is checked against the second box's reading.
    watchedLast = true;
    const bool nextSettled = again ? WatchSameSighting(nextWatch, ticks)
                                   : WatchPair(nextWatch, Sight(captureSurface), ticks);
    const bool secondSettled = again ? WatchSameSighting(secondWatch, ticks)
                                     : WatchPair(secondWatch, Sight(secondSurface), ticks);
    moves = CheckMoves(moveCheck, nextWatch, nextSettled, nextWatch.lastSeen.empty, secondWatch,
                       secondSettled);
    if (!settings.autoCapture)
        moves.clear();
    if (!moves.empty()) // the middle and right views show the sample of this capture, as a press
        RecognisePair(captureSurface);
    return moves;
}

void RestartWatches() {
    RestartPairWatch(nextWatch);
    RestartPairWatch(secondWatch);
    RestartMoveCheck(moveCheck);
}

void RestartCount() {
    RestartMoveCheck(moveCheck);
}

RecordedMove PressedPair() {
    const BlobPair pair = RecognisePair(captureSurface);
    if (settings.autoCapture || !SecondBoxSet())
        return RecordedMove{pair};
    return PressedMove(moveCheck, pair);
}
