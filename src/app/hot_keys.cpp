#include "app/hot_keys.h"

#include <vector>

#include "app/texts.h"
#include "config/settings_file.h"

KeyCombination hotKeys[HotKeyCount];

static std::vector<HotKeyRefusal> refusedKeys; // values of [HOTKEY] that could not be used
static std::vector<int> heldKeys;              // actions whose key another program holds
static bool keyDown[HotKeyCount];              // the hook saw the action's key go down, not up

static bool ModifiersDown(uint32_t modifiers) {
    auto down = [](int key) { return GetAsyncKeyState(key) < 0; };
    const uint32_t held = (down(VK_MENU) ? ModAlt : 0) | (down(VK_CONTROL) ? ModControl : 0) |
                          (down(VK_SHIFT) ? ModShift : 0) |
                          (down(VK_LWIN) || down(VK_RWIN) ? ModWin : 0);
    return held == modifiers;
}

// A held key repeats, and each repeat would be one more capture: Windows before 7 ignores
// MOD_NOREPEAT, and so does Wine. This hook sees every key before the system looks for hot keys,
// and drops a hot key's key coming down again while it is down, before it becomes WM_HOTKEY.
static LRESULT CALLBACK DropHotKeyRepeats(int code, WPARAM message, LPARAM lParam) {
    const KBDLLHOOKSTRUCT *key = (const KBDLLHOOKSTRUCT *)lParam;
    for (int action = 0; code == HC_ACTION && action < HotKeyCount; ++action) {
        if (!hotKeys[action].key || key->vkCode != hotKeys[action].key)
            continue;
        const bool down = !(key->flags & LLKHF_UP), repeat = down && keyDown[action];
        keyDown[action] = down;
        if (repeat && ModifiersDown(hotKeys[action].modifiers))
            return 1;
    }
    return CallNextHookEx(nullptr, code, message, lParam);
}

void RegisterHotKeys(HWND window) {
    refusedKeys = LoadHotKeys(hotKeys);
    heldKeys.clear();
    for (int action = 0; action < HotKeyCount; ++action)
        if (hotKeys[action].key &&
            !RegisterHotKey(window, (int)(HotkeyCaptureId + action),
                            hotKeys[action].modifiers | MOD_NOREPEAT, hotKeys[action].key))
            heldKeys.push_back(action); // by another program, or another Tessivo
    SetWindowsHookExW(WH_KEYBOARD_LL, DropHotKeyRepeats, GetModuleHandleW(nullptr), 0);
    if (!refusedKeys.empty() || !heldKeys.empty())
        PostMessageW(window, HotKeyNoticeMessage, 0, 0);
}

std::wstring HotKeyNotice() {
    std::wstring notice;
    for (const HotKeyRefusal &refused : refusedKeys) {
        notice += L"[HOTKEY] " + std::wstring(hotKeyNames[refused.action]) + L"=" + refused.value;
        notice +=
            refused.reading == KeyUnreadable ? Say(texts->keyUnreadable)
            : refused.reading == KeyReserved
                ? Say(texts->keyReserved)
                : Say(texts->keyTaken) + hotKeyNames[refused.takenBy] + Say(texts->keyTakenEnd);
        const KeyCombination &used = hotKeys[refused.action];
        notice +=
            used.key ? Say(texts->keyInstead) + KeyCombinationText(used) + Say(texts->keyInsteadEnd)
                     : Say(texts->keyNone);
        notice += L"\n";
    }
    for (int action : heldKeys)
        notice += KeyCombinationText(hotKeys[action]) + Say(texts->keyHeld) +
                  texts->keyActions[action] + Say(texts->keyHeldWhere) + hotKeyNames[action] +
                  Say(texts->keyHeldEnd) + L"\n";
    return notice.substr(0, notice.size() - 1);
}

std::wstring KeyedText(const wchar_t *name, const KeyCombination &key) {
    std::wstring text = KeyCombinationText(key);
    if (text.empty())
        return name;
    if (keysInCapitals)
        for (wchar_t &c : text)
            c = (wchar_t)towupper(c);
    return Say(name) + Say(texts->keyOpening) + text + L")";
}
