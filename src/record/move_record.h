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
void RemoveLastPair(); // nothing on an empty record
void ClearRecord();    // keeps the storage for later appends
