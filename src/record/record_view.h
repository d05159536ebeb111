// Draws the move record into backBuffer as columns of two discs.
#pragma once

#include <windows.h>

void DrawMoveRecord(HWND window);
