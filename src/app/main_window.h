// The main window class, the window with its five buttons, and the message loop.
#pragma once

#include <windows.h>

// Registers the class and creates the main window with its buttons; null when
// the class or the window cannot be made.
HWND CreateMainWindow(HINSTANCE instance);

// Runs the message loop; returns the code that WM_QUIT carries.
int RunMessageLoop();
