// Warnings shown one box at a time, in the order they come, and the kept record's notices.
#pragma once

#include <windows.h>

#include <string>

#include "keep/kept_record.h"

const UINT KeepNoticeMessage = WM_APP + 1; // posted with a KeepNotice to tell, after the handler

// What failed: a file not written, a link not copied, Brimlet not started.
void Warn(HWND window, const std::wstring &text);

// What the player should know, where nothing failed: a value refused, a reference near another.
void Note(HWND window, const std::wstring &text);

// A notice of the kept record, told once the handler has returned: the handler returns at once,
// and no tick runs inside a box of its own.
void Tell(HWND window, KeepNotice notice);
