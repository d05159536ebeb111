// Receives capture-region records from the region-selection program by mailslot.
#pragma once

#include <windows.h>

extern HANDLE regionMailslot; // the server end; invalid when creation failed

const int MaxRecordsPerPoll = 256; // a writer that never stops cannot freeze the window

void OpenRegionLink();
void PollRegionLink();

// Lets the open frame of Brimlet come to the front, as this program may (it is in front, or was
// just started), and asks it to.
void BringFrameForward(HWND frame);
