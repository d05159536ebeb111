// A link of the simulator's shape, pasted by a player or kept in the history, read back into a
// record.
#pragma once

#include <cstddef>
#include <string>

#include "tessivo.h"

// "http://" or "https://", a plain host name, "/simu/ps.html?_", then the two-character codes
// of the link's table, oldest first, with blanks and line ends before and after it only. False,
// and the record untouched, for anything else: "a0" too, the code of a pair that was never
// recognised, which no colour can be drawn for nor captured again.
bool ReadPastedLink(const std::wstring &text, MoveRecord &record);

// The first line of the text that is not blank, cut to at most limit characters, "..." after
// it when anything but blanks was left out: what a box can name. Empty for a blank text.
std::wstring FirstLine(const std::wstring &text, size_t limit);
