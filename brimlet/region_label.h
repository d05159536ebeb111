// A small window beside the frame that shows the region's numbers, readable at every
// size of the frame, and for a moment what a save did.
#pragma once

#include <windows.h>

#include <string>

void CreateRegionLabel(HINSTANCE instance);

HWND RegionLabelWindow();

// Fills the area in the frame's colour and writes the text on it in black: the frame's
// band and the label look alike.
// In the interface font at the display scale given.
void PaintPlate(HDC dc, const RECT &area, const wchar_t *text, RECT textArea, UINT format, int dpi);

// The label's font, padding and gap at the frame's display scale.
void ScaleLabel(int dpi);

// The region's numbers, shown unless a notice is up.
void ShowLabelRegion(const std::wstring &text);

// A notice shown for a few seconds in place of the numbers.
void ShowLabelNotice(const std::wstring &text);

// Below the frame (the part that shows, in screen coordinates), or above it near the screen's
// bottom, always on the screen.
void PlaceLabel(const RECT &frame);
