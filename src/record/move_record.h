// The operations that change the move record.
#pragma once

#include <cstddef>

#include "tessivo.h"

// Appends a copy of the move. When memory for it cannot be had, the capture is
// dropped and the record stays as it was; returns whether the move was added.
bool AppendMove(const RecordedMove &move);
bool AppendPair(const BlobPair &pair); // a move as read, unmarked

// The moves of the record that carry a mark.
size_t MarkedMoves(const MoveRecord &record);
void RemoveLastPair();                  // nothing on an empty record
void ClearRecord();                     // keeps the storage for later appends
void ReplaceRecord(MoveRecord &record); // a pasted or restored record; the old one left in it

// The move a move's menu was opened on, and its disc. Auto capture and the hot keys go on while
// the menu is open: a removal or insertion at or before the move, or a new record, leaves it
// out of place, and the menu's choice then acts on nothing.
struct MenuTarget {
    size_t move;
    bool upper;
    bool inPlace;
};
extern MenuTarget menuTarget; // the open menu's move; set as the menu opens

// A move put right in place, at an index below the record's size. Any change to a marked move
// clears its mark; the colour a disc has already changes nothing.
void SetDiscColour(size_t move, bool upper, BlobColour colour);
void DeleteMove(size_t move);
void InsertCopyBefore(size_t move); // the copy unmarked; none when memory cannot be had
void UseSecondPair(size_t move);    // a move marked "?" becomes the pair the second box showed
void ClearMark(size_t move);
