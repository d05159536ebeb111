// Hot keys as a player writes them in setting.ini, and as Tessivo writes them back.
#include "config/key_combination.h"

#include <algorithm>

#include "config/setting_names.h"

namespace {

// The virtual-key codes that the rules name.
const uint32_t KeyTab = 0x09;   // the system's: no combination with it
const uint32_t KeyPause = 0x13; // one of the keys that may stand alone
const uint32_t KeyEsc = 0x1B;   // the system's, as Tab
const uint32_t KeyF1 = 0x70;    // F1 to F24: the others that may stand alone
const uint32_t KeyF24 = 0x87;

struct Named {
    uint32_t code;
    const wchar_t *name;
};

// In the order Tessivo writes them.
const Named modifierNames[] = {
    {ModControl, L"Ctrl"}, {ModAlt, L"Alt"}, {ModShift, L"Shift"}, {ModWin, L"Win"}};
// Tab and Esc are named only to be refused as reserved, which tells the player more than
// "unreadable" would.
const Named keyNames[] = {
    {0x20, L"Space"},  {0x21, L"PageUp"}, {0x22, L"PageDown"},  {0x23, L"End"},   {0x24, L"Home"},
    {0x2D, L"Insert"}, {0x2E, L"Delete"}, {KeyPause, L"Pause"}, {KeyTab, L"Tab"}, {KeyEsc, L"Esc"}};

// One name for each key, used both to read and to write, so that what is written reads back.
std::wstring KeyName(uint32_t key) {
    if (key >= KeyF1 && key <= KeyF24)
        return L"F" + std::to_wstring(key - KeyF1 + 1);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::wstring(1, wchar_t(key));
    if (key >= 0x60 && key <= 0x69)
        return L"NumPad" + std::to_wstring(key - 0x60);
    for (const Named &named : keyNames)
        if (named.code == key)
            return named.name;
    return L"";
}

bool SameCombination(const KeyCombination &a, const KeyCombination &b) {
    return a.modifiers == b.modifiers && a.key == b.key;
}

} // namespace

// Alt+F4 closes windows and Ctrl+V pastes a link into Tessivo itself; the system switches
// windows and opens its menus with Tab and Esc, and dialogs move and cancel with them.
const wchar_t *const reservedKeys[] = {L"Alt+F4", L"Ctrl+V", L"Tab", L"Esc"};

static bool Reserved(const KeyCombination &combination) {
    for (const wchar_t *reserved : reservedKeys)
        if (KeyCombinationText(combination) == reserved || KeyName(combination.key) == reserved)
            return true;
    return false;
}

KeyReading ReadKeyCombination(const std::wstring &text, KeyCombination &combination) {
    combination = {0, 0};
    if (Trimmed(text).empty())
        return KeyNone;
    KeyCombination read = {0, 0};
    for (size_t start = 0, end = 0; end < text.size(); start = end + 1) {
        end = std::min(text.find(L'+', start), text.size());
        const std::wstring part = Trimmed(text.substr(start, end - start));
        uint32_t modifier = 0;
        for (const Named &named : modifierNames)
            modifier = SameName(part, named.name) ? named.code : modifier;
        if (end < text.size() && (modifier == 0 || (read.modifiers & modifier) != 0))
            return KeyUnreadable; // only modifiers before the last "+", each once
        read.modifiers |= modifier;
        for (uint32_t key = 1; end == text.size() && key < 256 && read.key == 0; ++key)
            read.key = !part.empty() && SameName(part, KeyName(key)) ? key : 0;
    }
    // A key alone would be taken from every program; only keys that programs seldom use may.
    const bool alone = (read.key >= KeyF1 && read.key <= KeyF24) || read.key == KeyPause;
    if (read.key == 0 || (read.modifiers == 0 && !alone && !Reserved(read)))
        return KeyUnreadable;
    combination = read;
    return Reserved(read) ? KeyReserved : KeyRead;
}

std::wstring KeyCombinationText(const KeyCombination &combination) {
    const std::wstring key = KeyName(combination.key);
    if (key.empty())
        return L"";
    std::wstring text;
    for (const Named &named : modifierNames)
        if (combination.modifiers & named.code)
            text += named.name + std::wstring(L"+");
    return text + key;
}

const wchar_t *const hotKeyNames[HotKeyCount] = {L"CAPTURE", L"AUTO", L"GAMEOVER", L"UNDO"};

// Alt+F1 to Alt+F3 as before. UNDO takes Alt+F5, the next in that row past Alt+F4 (which
// closes windows): the system gives it no meaning, and Ctrl+Z stays with every program's own
// undo, which a hot key would take from them all.
const KeyCombination defaultHotKeys[HotKeyCount] = {
    {ModAlt, KeyF1}, {ModAlt, KeyF1 + 1}, {ModAlt, KeyF1 + 2}, {ModAlt, KeyF1 + 4}};

HotKeys SettleHotKeys(const std::wstring (&values)[HotKeyCount]) {
    HotKeys settled;
    KeyCombination(&keys)[HotKeyCount] = settled.keys;
    for (int action = 0; action < HotKeyCount; ++action) {
        KeyCombination read;
        HotKeyRefusal refusal = {HotKeyAction(action), values[action],
                                 ReadKeyCombination(values[action], read), HotKeyCount};
        int holder = 0; // the first earlier action that holds the combination read
        while (holder < action && !SameCombination(keys[holder], read))
            ++holder;
        if (refusal.reading == KeyRead && holder < action)
            refusal.takenBy = HotKeyAction(holder);
        keys[action] = read;
        if (refusal.reading == KeyNone || (refusal.reading == KeyRead && holder == action))
            continue;
        settled.refusals.push_back(refusal);
        // A default held by an earlier action leaves this one without a key rather than with
        // a combination of our choosing, which could be one the player keeps for another
        // program; the box says so.
        keys[action] = defaultHotKeys[action];
        for (int earlier = 0; earlier < action; ++earlier)
            if (SameCombination(keys[earlier], defaultHotKeys[action]))
                keys[action] = {0, 0};
    }
    return settled;
}
