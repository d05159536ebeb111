// Puts the whole move record on the clipboard as the simulator link.
#pragma once

#include <windows.h>
#include <cstddef>

struct LinkExport {
    bool copied;         // the text reached the clipboard
    size_t pairsWritten; // codes in the text
    bool complete;       // every pair of the record is in the text
};

LinkExport BuildSimulatorLink(HWND window);
