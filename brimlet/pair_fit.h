// The fit of the region onto the game's next pair as the screen shows it now, and of the second
// region onto its second box's pair, and their undo.
#pragma once

#include <windows.h>

// Fits the region onto the game's pair nearest it, and the second region onto the second box's
// pair near that one, or none and says why; no pair found leaves both and says so.
void FitToPair(HWND window);

// Puts back both regions of before the last fit, once.
void UndoFit(HWND window);
