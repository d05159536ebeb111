// The simulator link: a fixed prefix, then a two-character code per pair.
#pragma once

#include <cstddef>
#include <string>

#include "tessivo.h"

const size_t LinkTextSize = 1024; // the text and the clipboard block, terminator included

const size_t MaxHostLength = 253; // a host name's limit; its prefix always fits the text

extern std::string linkPrefix; // "http://" host "/simu/ps.html?_"

// Letters, digits, hyphens and dots only: labels of 1 to 63 characters, neither beginning
// nor ending with a hyphen, at most MaxHostLength characters in all.
bool IsPlainHostName(const std::wstring &host);

// The link points at the host from here on; a host that is not plain is refused (false)
// and the built-in one is used.
bool UseSimulatorHost(const std::wstring &host);

// Names that no one can reach, reserved for documentation, tests and invalid names.
extern const char *const reservedHosts[7];

// The host is, or ends in "." and, one of reservedHosts, in any case.
bool IsReservedHost(const std::string &host);

// The link's host, as it is used now, is such a name: the link leads nowhere.
bool LinkLeadsNowhere();

// Code of a pair by lower (row) and upper (column); "a0" for colours outside 1..5.
const char *LinkCode(BlobPair pair);

// The codes of every pair, oldest first, with no cut.
std::string LinkCodes(const MoveRecord &record);

// The codes with their marks, as record.txt keeps them: a move seen only in the second box
// followed by "+", one read otherwise than the second box showed it by "?" and the second box's
// code ("c1?01").
std::string MarkedCodes(const MoveRecord &record);

// The record of a text of codes, as LinkCodes writes them (with marks: as MarkedCodes writes
// them), blanks and line ends anywhere between moves. False, and the record untouched, for any
// other text.
bool ReadLinkCodes(const std::string &text, MoveRecord &record, bool marks = false);

// Zeroes the text, writes the prefix and as many whole codes as fit, oldest
// first. Returns the number of pairs written.
size_t BuildLinkText(char (&text)[LinkTextSize], const MoveRecord &record);
