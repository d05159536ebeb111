// What both programs need to show their texts on any system: the texts handed to the
// wide (W) functions, and the interface font at the scale of the display.
#pragma once

#include <windows.h>

#include <string>

// The text converted from its code page, whatever the system's own code page is.
std::wstring WideText(const char *text, UINT codePage);

// The system's interface font (the default GUI font) at a display scale, in DPI.
HFONT InterfaceFont(int dpi);

// The display scale of the monitor the window stands on, in DPI (96 at 100 %).
int WindowDpi(HWND window);
