// Draws the move record into backBuffer as columns of two discs, the newest row in sight.
#pragma once

#include <windows.h>

#include <cstddef>

extern size_t recordBack; // rows the wheel went back from the newest; 0 after each change

void DrawMoveRecord(HWND window);

// WM_MOUSEWHEEL: over the record, turning the wheel away from the user shows earlier rows,
// never past the first or the newest. False elsewhere.
bool ScrollRecord(HWND window, WPARAM wParam, LPARAM lParam);
