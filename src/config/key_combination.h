// A hot key as setting.ini holds it ([HOTKEY] CAPTURE, AUTO, GAMEOVER, UNDO): read, written
// and settled among the four actions, without the platform. Numbers are the platform's own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The modifiers as RegisterHotKey takes them, one bit each.
const uint32_t ModAlt = 1;
const uint32_t ModControl = 2;
const uint32_t ModShift = 4;
const uint32_t ModWin = 8;

struct KeyCombination {
    uint32_t modifiers; // ModAlt, ModControl, ModShift, ModWin together
    uint32_t key;       // a virtual key; 0: no hot key
};

enum KeyReading { KeyRead, KeyNone, KeyUnreadable, KeyReserved };

// Reads modifiers among Ctrl, Alt, Shift and Win, each at most once and in any order, then one
// key, joined by "+" with blanks around each part allowed, names in any case. Keys: F1 to F24,
// A to Z, 0 to 9, Space, Insert, Delete, Home, End, PageUp, PageDown, Pause, NumPad0 to NumPad9;
// only F1 to F24 and Pause stand alone. Blanks only: KeyNone. A reserved key: KeyReserved, with
// the combination given; otherwise refused: {0, 0}.
KeyReading ReadKeyCombination(const std::wstring &text, KeyCombination &combination);

// The keys the system or Tessivo itself uses, as Tessivo writes them: a combination, or a key
// named alone, reserved with any modifiers.
extern const wchar_t *const reservedKeys[4];

// As Tessivo writes it: "Ctrl+Alt+Shift+Win+F1" order ("Alt+F1", "NumPad5"); "" for no key.
std::wstring KeyCombinationText(const KeyCombination &combination);

enum HotKeyAction { HotKeyCapture, HotKeyAuto, HotKeyGameOver, HotKeyUndo, HotKeyCount };
extern const wchar_t *const hotKeyNames[HotKeyCount]; // the keys of [HOTKEY]
extern const KeyCombination defaultHotKeys[HotKeyCount];

struct HotKeyRefusal {
    HotKeyAction action;
    std::wstring value;   // as written
    KeyReading reading;   // KeyUnreadable, KeyReserved, or KeyRead: an earlier action holds it
    HotKeyAction takenBy; // that action, when KeyRead
};

struct HotKeys {
    KeyCombination keys[HotKeyCount];    // each action's key; key 0: none
    std::vector<HotKeyRefusal> refusals; // the values that could not be used
};

// The actions' hot keys from their values in order (a key left out given as its default's
// text), and each value refused: a value that cannot be used, or that an earlier action holds,
// leaves the action its default, or no key when an earlier action holds that too.
HotKeys SettleHotKeys(const std::wstring (&values)[HotKeyCount]);
