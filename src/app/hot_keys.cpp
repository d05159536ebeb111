#include "app/hot_keys.h"

#include <vector>

#include "app/texts.h"
#include "text_slots.h"

static HotKeys hotKeys;           // as loaded: the hook watches them, the notice tells them
static std::vector<int> heldKeys; // actions whose key another program holds
static bool keyDown[HotKeyCount]; // the hook saw the action's key go down, not up
static HHOOK repeatHook;          // DropHotKeyRepeats, removed at shutdown

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
        if (!hotKeys.keys[action].key || key->vkCode != hotKeys.keys[action].key)
            continue;
        const bool down = !(key->flags & LLKHF_UP), repeat = down && keyDown[action];
        keyDown[action] = down;
        if (repeat && ModifiersDown(hotKeys.keys[action].modifiers))
            return 1;
    }
    return CallNextHookEx(nullptr, code, message, lParam);
}

void RegisterHotKeys(HWND window, const HotKeys &loaded) {
    hotKeys = loaded;
    heldKeys.clear();
    for (int action = 0; action < HotKeyCount; ++action) {
        const KeyCombination &key = hotKeys.keys[action];
        if (key.key && !RegisterHotKey(window, (int)(HotkeyCaptureId + action),
                                       key.modifiers | MOD_NOREPEAT, key.key))
            heldKeys.push_back(action); // by another program, or another Tessivo
    }
    repeatHook = SetWindowsHookExW(WH_KEYBOARD_LL, DropHotKeyRepeats, GetModuleHandleW(nullptr), 0);
    if (!hotKeys.refusals.empty() || !heldKeys.empty())
        PostMessageW(window, HotKeyNoticeMessage, 0, 0);
}

void RemoveHotKeyHook() {
    UnhookWindowsHookEx(repeatHook);
}

// A refused value's line: why it is refused, then the key used instead or that there is none.
static std::wstring RefusedLine(const HotKeyRefusal &refused) {
    const KeyCombination &used = hotKeys.keys[refused.action];
    const std::wstring then =
        used.key ? Compose(texts->keyInstead, {KeyCombinationText(used)}) : texts->keyNone;
    const bool taken = refused.reading == KeyRead;
    const wchar_t *why = refused.reading == KeyUnreadable ? texts->keyUnreadable
                         : taken                          ? texts->keyTaken
                                                          : texts->keyReserved;
    return Compose(why, {hotKeyNames[refused.action], refused.value, then,
                         taken ? hotKeyNames[refused.takenBy] : L""});
}

std::wstring HotKeyNotice() {
    std::wstring notice;
    for (const HotKeyRefusal &refused : hotKeys.refusals)
        notice += RefusedLine(refused) + L"\n";
    for (int action : heldKeys)
        notice += Compose(texts->keyHeld, {KeyCombinationText(hotKeys.keys[action]),
                                           texts->keyActions[action], hotKeyNames[action]}) +
                  L"\n";
    return notice.substr(0, notice.size() - 1);
}

std::wstring KeyedText(const wchar_t *name, const KeyCombination &key) {
    std::wstring text = KeyCombinationText(key);
    if (text.empty())
        return name;
    if (keysInCapitals)
        for (wchar_t &c : text)
            c = (wchar_t)towupper(c);
    return Compose(texts->keyed, {name, text});
}
