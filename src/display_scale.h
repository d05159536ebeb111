// What both programs need to draw: a fill of one colour and, at the scale of the display, the
// interface font, a text's size in it and the scale of the monitor a window stands on.
#pragma once

#include <windows.h>

// Fills the area with the colour through a brush of its own, deleted after.
void FillWithColour(HDC dc, const RECT &area, COLORREF colour);

// The system's interface font (the default GUI font) at a display scale, in DPI.
HFONT InterfaceFont(int dpi);

// The size of the first length characters of the text in the interface font at the scale, as
// the window's drawing context measures them.
SIZE TextSize(HWND window, int dpi, const wchar_t *text, int length);

// The display scale of the monitor the window stands on, in DPI (96 at 100 %).
int WindowDpi(HWND window);
