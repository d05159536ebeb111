// The three operations that change the move record.
#include "move_record.h"

#include <new>

bool AppendPair(const BlobPair &pair) {
    // push_back leaves the record as it was when new storage cannot be had; the
    // capture is then dropped so that the program keeps running.
    try {
        moveRecord.push_back(pair);
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
