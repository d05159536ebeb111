// The main window's message handler: start-up, sampling tick, capture, commands,
// paint, size limit and shutdown.
#pragma once

#include <windows.h>

#include <string>

const WPARAM HotkeyCaptureId = 9252; // Alt+F1
const WPARAM HotkeyAutoId = 9253;    // Alt+F2: auto capture on and off
const UINT_PTR SamplingTimerId = 0;
const UINT RefusedHostMessage = WM_APP; // posted at start-up: the host of the settings is refused
const UINT KeepNoticeMessage = WM_APP + 1; // posted with a KeepNotice to tell, after the handler

enum Command : WORD {
    CmdCapture = 0,
    CmdUndo = 1,
    CmdReset = 2,
    CmdMakeLink = 3,
    CmdSelectRegion = 4,
    CmdSetReference = 10, // and up to 14: the reference menu's colours, red to purple
};

extern HWND desktopWindow; // fetched on the window procedure's first run

// One warning box at a time, in the order they come.
void Warn(HWND window, const std::wstring &text);

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
