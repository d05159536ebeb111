// The row of five buttons at the top of the main window, each as wide as its text needs.
#pragma once

#include <windows.h>

extern HWND captureButton;
extern HWND undoButton;
extern HWND resetButton;
extern HWND linkButton;
extern HWND regionButton;

void CreateButtons(HWND window, HINSTANCE instance);

// Gives the buttons the interface font and their places at the picture's scale.
void ArrangeButtons(HWND window);
