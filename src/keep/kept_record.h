// With KEEP=1 the record outlives the program: ./record.txt holds it after every change, its
// marks too, and ./links.txt gets a line with the whole record's link at every export, and at
// every RESET of a record that was not empty: time, what ended it, moves, link, and the codes
// with their marks when the game has any. Each is written before the command's handler returns.
#pragma once

#include <cstdint>
#include <string>

// What the player is to be told; each failure is told once, until a write succeeds again.
enum KeepNotice : int32_t {
    KeepNothingToTell,
    KeepBadRecordAside, // record.txt held no record: renamed to keepNoticePath, not read
    KeepNotWritten,     // keepNoticePath could not be written: the record is not being kept
    KeepOtherInstance,  // another Tessivo keeps this folder's files: this one keeps nothing
};

extern std::wstring keepNoticePath; // the file that the last notice names

// At start, before the first paint: takes the folder's files unless another Tessivo has
// them, and restores the record from record.txt.
KeepNotice StartKeeping();

// After every change of the record.
KeepNotice KeepRecord();

// A line of links.txt for the record as it is: what happened ("export" or "reset"). The
// history's page beside it is written anew from the whole file.
KeepNotice KeepHistoryLine(const char *what);

// The history's page, history.html beside links.txt, with KEEP=1.
std::wstring HistoryPagePath();
