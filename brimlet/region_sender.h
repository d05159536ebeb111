// Delivers the chosen regions to Tessivo's mailslot and keeps them until delivered.
#pragma once

#include <windows.h>

#include "tessivo.h"

const UINT_PTR RetryTimerId = 1; // runs only while a region waits for Tessivo

// Sends the region as one record, and the second box's (SecondRegion) after it, and shows the
// region in the window's title. When Tessivo is not listening, the region is kept and the retry
// timer is started.
void SendRegion(HWND window, const CaptureRegion &region, bool resize);

// On the retry timer: sends the kept region again, whole.
void RetryUnsentRegion(HWND window);
