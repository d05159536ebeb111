// The row of five buttons at the top of the main window, each as wide as its text needs.
#pragma once

#include <windows.h>

#include "config/key_combination.h"

extern HWND captureButton; // the capture button, its key on it or in its tip
extern HWND undoButton;    // the undo button, the same
extern HWND resetButton;   // RESET: the game ended, the record cleared
extern HWND linkButton;    // the simulator link's export
extern HWND regionButton;  // Brimlet started, or its open frame brought in front
extern HWND buttonTips;    // the tips of the capture and undo buttons

// The keys that the capture and undo buttons show, handed over at start-up, before the buttons
// are made.
void GiveButtonsKeys(const KeyCombination &capture, const KeyCombination &undo);

// Makes the buttons and labels them: the texts are picked and the keys given by then.
void CreateButtons(HWND window, HINSTANCE instance);

// Gives the buttons the interface font and their places at the picture's scale; false when
// their texts do not fit in the row.
bool ArrangeButtons(HWND window);

// The buttons' texts in the language picked, capture and undo with their hot keys where the row
// has room (in their tips where it has not), then arranged.
void LabelButtons(HWND window);
