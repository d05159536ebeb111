// Delivers the regions to Tessivo's mailslot, and tells while they have not reached it.
#pragma once

#include <windows.h>

#include "tessivo.h"

const UINT_PTR RetryTimerId = 1; // runs only while the regions wait for Tessivo

// Sends the next box's region as one record and the second box's after it (width 0: none), and
// shows the next box's in the window's title and the label. When Tessivo is not listening, the
// retry timer is started and the title says so.
void SendRegions(HWND window, const CaptureRegion &next, const CaptureRegion &second, bool resize);

// On the retry timer: sends the regions again, whole, while the last ones did not reach Tessivo.
void RetryUnsentRegions(HWND window, const CaptureRegion &next, const CaptureRegion &second);
