// Where every change of the move record ends: what the picture shows of it, record.txt and the
// history.
#pragma once

#include <windows.h>

#include <cstddef>

// After any change of the record: the newest row shown or, for a move put right in place in a
// record that held `before` moves, the rows in sight kept as far as the record lets them;
// record.txt written (KEEP=1), a failure told; the picture painted anew.
void RecordChanged(HWND window, bool inPlace = false, size_t before = 0);

// The game on record ends, before the record is cleared or replaced (RESET, the game over, a
// paste): it stays in the history, and the next pair read is checked by nothing read before it.
void EndGame(HWND window);
