// Draws the move record into backBuffer as columns of two discs, the newest row in sight.
#pragma once

#include <windows.h>

#include <cstddef>

extern size_t recordBack; // rows the wheel went back from the newest; 0 after a capture

void DrawMoveRecord(HWND window);

// WM_MOUSEWHEEL: over the record, turning the wheel away from the user shows earlier rows,
// never past the first or the newest. False elsewhere.
bool ScrollRecord(HWND window, WPARAM wParam, LPARAM lParam);

// The move whose disc lies at a point of the client area, as the view draws it, and whether the
// upper disc; false between discs, past the newest move and off the record.
bool MoveAt(HWND window, POINT point, size_t &move, bool &upper);

// After a move put right in a record that held `before` moves: the rows in sight stay in sight
// as far as the record now lets them, though its newest row moved.
void KeepRowsInSight(HWND window, size_t before);
