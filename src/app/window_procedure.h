// The main window's message handler: start-up, sampling tick, capture, commands,
// paint, size limit and shutdown.
#pragma once

#include <windows.h>

#include "app/hot_keys.h"

const UINT_PTR SamplingTimerId = 0;
const UINT RefusedHostMessage = WM_APP; // posted at start-up: the host of the settings is refused

extern HWND desktopWindow; // fetched on the window procedure's first run

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
