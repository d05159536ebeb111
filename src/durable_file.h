// Writes a file a user keeps so that a crash, a kill or a power cut at any instant leaves
// the old file or the new one whole: the new text goes into a file beside it, is flushed to
// the disk, and only then is moved over the old one, which on one volume is a single step.
// Its writers find the full path of such a file here too.
#pragma once

#include <windows.h>

#include <string>

// The steps of one write, in order. Between any two of them the file holds its old text.
struct DurableWrite {
    std::wstring path;      // the file kept
    std::wstring temporary; // the new text's file beside it: path and ".new"
    HANDLE file;            // the temporary, open until it is swapped in
};

// Makes the temporary, empty (one left by an interrupted write is overwritten). False when
// the file is read-only or the folder cannot be written.
bool OpenDurableWrite(DurableWrite &write, const std::wstring &path);

// Writes the whole text into the temporary and flushes it to the disk.
bool WriteDurableText(DurableWrite &write, const std::string &text);

// Closes the temporary and moves it over the file; false when another program holds the
// file open.
bool SwapDurableWrite(DurableWrite &write);

// What a failed write leaves: the temporary closed and gone, the file as it was.
void AbandonDurableWrite(DurableWrite &write);

// All the steps; false when one fails, the file then as it was.
bool WriteFileDurably(const std::wstring &path, const std::string &text);

// The whole file, false when it cannot be read or holds more than limit bytes.
bool ReadWholeFile(const std::wstring &path, size_t limit, std::string &text);

// The full path of a file named from the working folder; false when the platform gives none
// within MAX_PATH characters, full then the name as given.
bool FindFullPath(const wchar_t *name, std::wstring &full);
