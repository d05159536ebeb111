// Where a context menu was asked for: at the mouse, or at the cursor for the menu key and
// Shift+F10, which send -1.
#pragma once

#include <windows.h>

// The point in screen coordinates, where the menu opens; the same point in the window's client
// coordinates goes to client.
POINT MenuPoint(HWND window, LPARAM where, POINT &client);
