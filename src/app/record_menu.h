// The record view's menu: a move's items (move_menu.h), the history's page opened in the
// browser, and a link pasted back as the record, which Ctrl+V does too.
#pragma once

#include <windows.h>

// On WM_CONTEXTMENU (where in screen coordinates, or -1 from the keyboard: then where the
// mouse points): the menu, when the point lies on the record view, below the three views. On a
// disc, the move's items come first; from the keyboard, the newest move's. A left click
// (discOnly) opens it on a disc alone.
bool OpenRecordMenu(HWND window, LPARAM where, bool discOnly = false);

// The history's page in the default browser; a box when no history is kept or no page has
// been written yet.
void OpenHistory(HWND window);

// The clipboard's link becomes the record, the record it replaces going into the history as
// RESET would send it; anything else on the clipboard is named in a box, the record untouched.
void PasteLink(HWND window);

// Ctrl+V anywhere in Tessivo's window, a button holding the focus too: true when the message
// was taken for it.
bool TranslatePasteKey(MSG &message);
