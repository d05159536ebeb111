// How each of Brimlet's windows is made: a class of its own and one topmost popup of it.
#pragma once

#include <windows.h>

// Registers the class for the procedure, with the arrow for a cursor, and creates a topmost popup
// of it with the further extended style, owned by the owner (or none) at the place; null on
// failure.
HWND CreatePopup(HINSTANCE instance, const wchar_t *className, WNDPROC procedure, DWORD exStyle,
                 const wchar_t *title, HWND owner, const RECT &place);
