// Small helpers shared by the Windows test programs.
#pragma once

#include <windows.h>
#include <string>

// Dispatches this thread's messages for the given time.
void PumpMessages(DWORD milliseconds);

// A new empty folder under the system's temporary folder, ending in a backslash.
std::string MakeTempFolder(const char *prefix);

// Writes a file whole; returns false when it cannot.
bool WriteWholeFile(const std::string &path, const std::string &contents);
