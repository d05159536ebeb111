// The operations that change the move record.
#include "move_record.h"

#include <new>

bool AppendMove(const RecordedMove &move) {
    // push_back leaves the record as it was when new storage cannot be had; the
    // capture is then dropped so that the program keeps running.
    try {
        moveRecord.push_back(move);
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

MenuTarget menuTarget;

// The moves from this index on are no longer where they were.
static void MovedFrom(size_t first) {
    if (menuTarget.move >= first)
        menuTarget.inPlace = false;
}

// The pair alone: a move's mark and the second box's pair go with any change to it.
static RecordedMove Unmarked(const BlobPair &pair) {
    return RecordedMove{pair};
}

void RemoveLastPair() {
    if (!moveRecord.empty())
        moveRecord.pop_back();
    MovedFrom(moveRecord.size());
}

void ClearRecord() {
    moveRecord.clear(); // clear keeps the capacity
    MovedFrom(0);
}

void ReplaceRecord(MoveRecord &record) {
    moveRecord.swap(record);
    MovedFrom(0);
}

void SetDiscColour(size_t move, bool upper, BlobColour colour) {
    BlobPair pair = moveRecord[move];
    BlobColour &disc = upper ? pair.upper : pair.lower;
    if (disc == colour)
        return;
    disc = colour;
    moveRecord[move] = Unmarked(pair);
}

void DeleteMove(size_t move) {
    moveRecord.erase(moveRecord.begin() + (ptrdiff_t)move);
    MovedFrom(move);
}

void InsertCopyBefore(size_t move) {
    try {
        moveRecord.insert(moveRecord.begin() + (ptrdiff_t)move, Unmarked(moveRecord[move]));
    } catch (const std::bad_alloc &) {
        return; // the record as it was, as a capture without memory leaves it
    }
    MovedFrom(move);
}

void UseSecondPair(size_t move) {
    if (moveRecord[move].mark == MarkDoubt)
        moveRecord[move] = Unmarked(moveRecord[move].second);
}

void ClearMark(size_t move) {
    moveRecord[move] = Unmarked(moveRecord[move]);
}

bool AppendPair(const BlobPair &pair) {
    return AppendMove(RecordedMove{pair});
}

size_t MarkedMoves(const MoveRecord &record) {
    size_t marked = 0;
    for (const RecordedMove &move : record)
        marked += move.mark != MarkNone;
    return marked;
}
