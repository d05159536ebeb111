// The four hot keys: registered for the main window, each acting once a press however long it is
// held, and what could not be had told at start.
#pragma once

#include <windows.h>

#include <string>

#include "config/key_combination.h"

// Identifiers of the hot keys, in the order of the actions.
const WPARAM HotkeyCaptureId = 9252;  // Alt+F1 unless setting.ini gives another
const WPARAM HotkeyAutoId = 9253;     // Alt+F2: auto capture on and off
const WPARAM HotkeyGameOverId = 9254; // Alt+F3: the game is over, as RESET
const WPARAM HotkeyUndoId = 9255;     // Alt+F5: the last pair taken back

const UINT HotKeyNoticeMessage = WM_APP + 2; // posted at start-up: keys refused or held

// Registers each key of setting.ini for the window and hooks the keyboard to drop a held key's
// repeats. A value refused, or a key another program holds, is told once the window stands
// (HotKeyNoticeMessage, then HotKeyNotice).
void RegisterHotKeys(HWND window, const HotKeys &loaded);

// At shutdown: the hook goes (the keys go with the window).
void RemoveHotKeyHook();

// Every value refused and every key held by another program, a line each.
std::wstring HotKeyNotice();

// A button's text with its action's key, as "キャプチャ(ALT+F1)" or "Capture (Alt+F1)"; the
// name alone for an action without a key.
std::wstring KeyedText(const wchar_t *name, const KeyCombination &key);
