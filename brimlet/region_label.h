// A small window beside the frame that shows the region's numbers, readable at every
// size of the frame, and for a moment what a save did.
#pragma once

#include <windows.h>

#include <string>

void CreateRegionLabel(HINSTANCE instance);

HWND RegionLabelWindow();

const COLORREF PlateColour = RGB(255, 128, 0);

// Fills the area in the colour and writes the window's text in the text area on it in black, in
// the interface font at the display scale given: the frame's band and the label look alike.
void PaintPlate(HDC dc, HWND window, const RECT &area, RECT textArea, UINT format, int dpi,
                COLORREF colour = PlateColour);

// The label's font, padding and gap at the frame's display scale.
void ScaleLabel(int dpi);

// The region's numbers, shown unless a notice is up.
void ShowLabelRegion(const std::wstring &text);

// A notice shown for a few seconds in place of the numbers.
void ShowLabelNotice(const std::wstring &text);

// Below the part of the frame that shows (screen coordinates), or above it near the screen's
// bottom or where below it would cover the rectangle to avoid (the second frame, whose second box
// Tessivo samples), always on the screen.
void PlaceLabel(const RECT &shown, const RECT &avoid);
