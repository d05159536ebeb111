// Fitting the reference hues to a game's skin: each cell's hue is shown beside the views, and
// a right click on a view sets a colour's reference to the hue of the cell under it.
#pragma once

#include <windows.h>

#include "tessivo.h"

extern int32_t cellHues[2];     // the typical hue of the sample's upper and lower cell; -1: none
extern int32_t capturedHues[2]; // the same of the last capture, which the other two views show

// From the sample's memory, at every tick.
void ReadCellHues();

// At a capture: the hues of the sample it read, as the hue and class views now show it.
void KeepCapturedHues();

// The cell (0 upper, 1 lower) under a point of the client area on any of the three views, and
// the view (0 the sample, 1 its hues, 2 its classes); -1 elsewhere.
int32_t CellAt(int x, int y, int &view);

// On WM_CONTEXTMENU (where in screen coordinates, or -1 from the keyboard: then where the
// mouse points): the colours' menu for the cell there. False off the views.
bool OpenReferenceMenu(HWND window, LPARAM where);

// The menu's choice: the colour's reference becomes the hue of the cell, used from the next
// capture on and saved into the settings file; a reference within 20 degrees of another's
// is set all the same, and told.
void SetReference(HWND window, BlobColour colour);
