#include "recognition/move_check.h"

namespace {

// The next box has moved: the second box's reading of the same move is the one that settled
// within MoveSpan samples before, or comes within MoveSpan samples after.
void StartMove(MoveCheck &check) {
    check.pressKnown = check.secondKnown;
    check.pressSecond = check.second;
    check.secondKnown = check.pending;
    check.second = check.pendingPair;
    check.sinceMove = check.pending ? MoveSpan + 1 : 0;
    check.pending = false;
}

// The pair glimpsed in the next box, recorded as a move of its own. The second box moved on as
// fast: it has no reading of that move.
void RecordGlimpse(MoveCheck &check, std::vector<RecordedMove> &moves) {
    RecordedMove move = {check.glimpse};
    move.mark = MarkSeenAhead;
    moves.push_back(move);
    check.glimpsed = false;
    check.pressKnown = check.secondKnown;
    check.pressSecond = check.second;
    check.secondKnown = false;
}

} // namespace

std::vector<RecordedMove> CheckMoves(MoveCheck &check, const PairWatch &next, bool nextSettled,
                                     bool nextEmpty, const PairWatch &second, bool secondSettled) {
    std::vector<RecordedMove> moves;
    // The second box's last reading, clear in the next box and not settled yet: a pair the
    // player may drop before it settles. Three samples: a scroll's frame of the pair leaving,
    // seen twice, can show its lower blob over a board of the second reading's colour.
    if (!nextSettled && CandidateIsNew(next) && next.sameTicks >= 3 && check.secondKnown &&
        SamePair(next.candidate, check.second)) {
        check.glimpsed = true;
        check.glimpse = next.candidate;
    }
    // Known for what it was once another pair settles, or the box empties.
    const bool glimpseGone = nextSettled ? !SamePair(next.settledPair, check.glimpse) : nextEmpty;
    if (check.glimpsed && glimpseGone)
        RecordGlimpse(check, moves);
    check.glimpsed = check.glimpsed && !nextSettled;
    check.emptyTicks = nextEmpty ? check.emptyTicks + 1 : 0;
    if (check.emptyTicks >= EmptySpan) {
        RestartMoveCheck(check);
        return moves;
    }
    if (nextSettled) {
        RecordedMove move = {next.settledPair};
        if (check.secondKnown && !SamePair(move, check.second)) {
            move.mark = MarkDoubt;
            move.second = check.second;
        }
        moves.push_back(move);
        StartMove(check);
    }
    if (secondSettled && check.sinceMove <= MoveSpan) { // this move's second reading
        check.secondKnown = true;
        check.second = second.settledPair;
        check.sinceMove = MoveSpan + 1;
    } else if (secondSettled) {
        check.pending = true;
        check.pendingPair = second.settledPair;
        check.pendingAge = 0;
    }
    if (check.sinceMove <= MoveSpan)
        ++check.sinceMove;
    if (!check.pending || ++check.pendingAge <= MoveSpan)
        return moves;
    // Only the second box changed. Had it shown the pair that stands in the next box, the game
    // put the same pair again in place: nothing moved there.
    const bool nextStill = next.settledKnown && next.sameTicks > 0 &&
                           SamePair(next.candidate, next.settledPair) && !CandidateIsNew(next);
    if (nextStill && check.secondKnown && SamePair(check.second, next.settledPair)) {
        moves.push_back(RecordedMove{next.settledPair});
        check.pressKnown = true;
        check.pressSecond = check.second;
    }
    check.secondKnown = true;
    check.second = check.pendingPair;
    check.pending = false;
    return moves;
}

void RestartMoveCheck(MoveCheck &check) {
    check = MoveCheck();
}

RecordedMove PressedMove(const MoveCheck &check, const BlobPair &pair) {
    RecordedMove move = {pair};
    if (check.pressKnown && !SamePair(pair, check.pressSecond)) {
        move.mark = MarkDoubt;
        move.second = check.pressSecond;
    }
    return move;
}
