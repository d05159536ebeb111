// Auto capture with the game's second box, which shows every pair one move before the next box
// does: each pair is read twice, and the next box's reading is checked against the second box's
// of the move before. Platform-free: it reads only the two boxes' watches.
#pragma once

#include <cstdint>
#include <vector>

#include "recognition/pair_watch.h"
#include "tessivo.h"

// Changes of the two boxes that settle within this many samples of each other are one move: the
// game moves both boxes together.
const int32_t MoveSpan = 2;

// The board alone in the next box for this many samples in a row (half a second at the default
// interval) is a pause, not a scroll, which shows it between two pairs for a few samples.
const int32_t EmptySpan = 20;

struct MoveCheck {
    bool secondKnown = false; // the second box's reading for the latest move
    BlobPair second = {0, 0};
    bool pending = false;        // a reading of the second box not yet part of a move
    BlobPair pendingPair = {0, 0};
    int32_t pendingAge = 0;      // samples since it settled
    int32_t sinceMove = MoveSpan + 1; // samples since the next box's last move while its second
                                      // box's reading is still to come; past MoveSpan: none
    bool glimpsed = false;   // the next box shows the second box's last reading clearly, unsettled
    BlobPair glimpse = {0, 0};
    bool pressKnown = false; // the second box's reading made before the next box last changed
    BlobPair pressSecond = {0, 0};
    int32_t emptyTicks = 0; // samples in a row that the next box showed the board
};

// One sample of both boxes, after their watches have seen it: whether each settled a new pair,
// and whether the next box showed the board. The moves to append, in order:
// - a pair settled in the next box, marked MarkDoubt (with the second box's pair) when the second
//   box showed another for the move before;
// - a pair the next box showed clearly on three samples or more, the one the second box showed
//   last, gone before it settled: MarkSeenAhead, before the other pair that settles next;
// - the next box's pair again, unmarked, when only the second box changed and it had shown that
//   pair: the same pair again in place, where nothing moves in the next box.
// The board alone in the next box for EmptySpan samples starts the count again: the next reading
// is unmarked.
std::vector<RecordedMove> CheckMoves(MoveCheck &check, const PairWatch &next, bool nextSettled,
                                     bool nextEmpty, const PairWatch &second, bool secondSettled);

// The count starts again: nothing read so far checks what comes.
void RestartMoveCheck(MoveCheck &check);

// A press with auto capture off: the pair read, marked when it differs from the second box's
// reading made before the next box last changed.
RecordedMove PressedMove(const MoveCheck &check, const BlobPair &pair);
