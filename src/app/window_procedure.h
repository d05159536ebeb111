// The main window's message handler: start-up, sampling tick, capture, commands,
// paint, size limit and shutdown.
#pragma once

#include <windows.h>

#include <string>

#include "keep/kept_record.h"

const WPARAM HotkeyCaptureId = 9252; // Alt+F1
const WPARAM HotkeyAutoId = 9253;    // Alt+F2: auto capture on and off
const WPARAM HotkeyGameOverId = 9254; // Alt+F3: the game is over, as RESET
const UINT_PTR SamplingTimerId = 0;
const UINT RefusedHostMessage = WM_APP; // posted at start-up: the host of the settings is refused
const UINT KeepNoticeMessage = WM_APP + 1; // posted with a KeepNotice to tell, after the handler
const LONG MaxTrackWidth = 1200;
const LONG MaxTrackHeight = 400;

enum Command : WORD {
    CmdCapture = 0,
    CmdUndo = 1,
    CmdReset = 2,
    CmdMakeLink = 3,
    CmdSelectRegion = 4,
    CmdSetReference = 10, // and up to 14: the reference menu's colours, red to purple
    CmdOpenHistory = 20,  // the record view's menu
    CmdPasteLink = 21,    // and Ctrl+V
};

extern HWND desktopWindow; // fetched on the window procedure's first run

// A notice of the kept record, told once the handler has returned.
void Tell(HWND window, KeepNotice notice);

// One warning box at a time, in the order they come.
void Warn(HWND window, const std::wstring &text);

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
