// The three operations that change the move record.
#pragma once

#include "tessivo.h"

// Appends a copy of the pair. When memory for it cannot be had, the capture is
// dropped and the record stays as it was; returns whether the pair was added.
bool AppendPair(const BlobPair &pair);
void RemoveLastPair(); // nothing on an empty record
void ClearRecord();    // keeps the storage for later appends
