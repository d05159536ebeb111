// The main window's message handler: start-up, sampling tick, capture, commands,
// paint, size limit and shutdown.
#pragma once

#include <windows.h>

const WPARAM HotkeyCaptureId = 9252;  // Alt+F1
const WPARAM HotkeyAutoId = 9253;     // Alt+F2: auto capture on and off
const WPARAM HotkeyGameOverId = 9254; // Alt+F3: the game is over, as RESET
const UINT_PTR SamplingTimerId = 0;
const UINT RefusedHostMessage = WM_APP; // posted at start-up: the host of the settings is refused

extern HWND desktopWindow; // fetched on the window procedure's first run

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
