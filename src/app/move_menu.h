// A move put right where it stands in the record: the menu that a click on one of its discs
// opens, above the record's own items, and what each of its items does.
#pragma once

#include <windows.h>

#include <cstddef>

// The move's items: the clicked disc's five colours (its own checked), delete, insert a copy
// before, and for a marked move the second box's pair ("?") and clearing the mark.
void AppendMoveItems(HMENU menu, size_t move, bool upper);

// A choice of those items, on the move the menu was opened for; nothing when that move has gone
// meanwhile. The record is kept and painted at once, the same rows in sight.
void EditMove(HWND window, WORD command);
