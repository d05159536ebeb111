// What both programs need to show their texts on any system: the texts handed to the
// wide (W) functions, and one font of a fixed pixel size.
#pragma once

#include <windows.h>

#include <string>

// The text converted from its code page, whatever the system's own code page is.
std::wstring WideText(const char *text, UINT codePage);

// The default GUI font at the pixel height it has at 96 DPI: the windows keep their
// pixel layout at every display scale, and the texts keep fitting it.
HFONT InterfaceFont();
