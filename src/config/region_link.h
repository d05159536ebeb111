// Receives capture-region records from the region-selection program by mailslot.
#pragma once

#include <windows.h>

extern HANDLE regionMailslot; // the server end; invalid when creation failed

const int MaxRecordsPerPoll = 256; // a writer that never stops cannot freeze the window

void OpenRegionLink();
void PollRegionLink();
