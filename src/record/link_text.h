// The simulator link: a fixed prefix, then a two-character code per pair.
#pragma once

#include <cstddef>

#include "tessivo.h"

const size_t LinkTextSize = 1024; // the text and the clipboard block, terminator included

extern const char linkPrefix[]; // "http://" host "/simu/ps.html?_"

// Code of a pair by lower (row) and upper (column); "a0" for colours outside 1..5.
const char *LinkCode(BlobPair pair);

// Zeroes the text, writes the prefix and as many whole codes as fit, oldest
// first. Returns the number of pairs written.
size_t BuildLinkText(char (&text)[LinkTextSize], const MoveRecord &record);
