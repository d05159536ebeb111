// The fit of the region onto the game's next pair as the screen shows it now, and its undo.
#pragma once

#include <windows.h>

// Fits the region onto the game's pair nearest it; nothing found leaves it and says so.
void FitToPair(HWND window);

// Puts back the region of before the last fit, once.
void UndoFit(HWND window);
