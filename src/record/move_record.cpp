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

void RemoveLastPair() {
    if (!moveRecord.empty())
        moveRecord.pop_back();
}

void ClearRecord() {
    moveRecord.clear(); // clear keeps the capacity
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
