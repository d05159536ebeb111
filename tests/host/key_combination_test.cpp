// Hot keys as a player writes them and as Tessivo writes them back; the four actions settled.
#include <gtest/gtest.h>

#include <algorithm>

#include "config/key_combination.h"

// Rows: a value, and after "=" its reading (Read, None, Unreadable, reServed), the combination
// read (modifiers, key in hex) and its text.
TEST(KeyCombination, EveryShapeReadAndWrittenBackOrRefused) {
    const std::wstring rows =
        L"Alt+F1=R 170 Alt+F1| ctrl + SHIFT +z\t=R 65A Ctrl+Shift+Z|"
        L"win+Shift+aLT+Ctrl+f24=R F87 Ctrl+Alt+Shift+Win+F24|F13=R 7C F13| pause =R 13 Pause|"
        L"Alt+a=R 141 Alt+A|Win+0=R 830 Win+0|Shift+9=R 439 Shift+9|"
        L"Ctrl+numpad0=R 260 Ctrl+NumPad0|Alt+NUMPAD9=R 169 Alt+NumPad9|"
        L"Alt+space=R 120 Alt+Space|Alt+pageup=R 121 Alt+PageUp|"
        L"Alt+PageDown=R 122 Alt+PageDown|Alt+End=R 123 Alt+End|Alt+Home=R 124 Alt+Home|"
        L"Alt+Insert=R 12D Alt+Insert|Alt+Delete=R 12E Alt+Delete|"
        L"Ctrl+Alt+F4=R 373 Ctrl+Alt+F4|Shift+Ctrl+V=R 656 Ctrl+Shift+V|=N 0 | \t =N 0 |"
        L"Alt+Foo=U 0 |Alt+F25=U 0 |Alt+Page Up=U 0 |Alt+A+B=U 0 |Ctrl+Shift=U 0 |Alt=U 0 |"
        L"Alt+=U 0 |+F1=U 0 |Alt+Alt+F1=U 0 |Alt++F1=U 0 |F1+Alt=U 0 |a=U 0 |7=U 0 |Home=U 0 |"
        L"NumPad1=U 0 |alt+f4=S 173 Alt+F4|Ctrl+v=S 256 Ctrl+V|Alt+Tab=S 109 Alt+Tab|"
        L"Alt+Esc=S 11B Alt+Esc|Ctrl+Shift+esc=S 61B Ctrl+Shift+Esc";
    for (size_t start = 0, end; start < rows.size(); start = end + 1) {
        end = std::min(rows.find(L'|', start), rows.size());
        const std::wstring row = rows.substr(start, end - start);
        KeyCombination read = {9, 9};
        const KeyReading reading = ReadKeyCombination(row.substr(0, row.find(L'=')), read);
        wchar_t combination[16];
        swprintf(combination, 16, L"%c %X ", L"RNUS"[reading], read.modifiers << 8 | read.key);
        EXPECT_EQ(combination + KeyCombinationText(read), row.substr(row.find(L'=') + 1)) << row;
    }
}

// The four values, the keys settled (- none) and each refusal: the value and why (U, S, or the
// earlier action that holds it). A default held too leaves no key; no key holds nothing.
TEST(KeyCombination, FourValuesSettledTheLaterActionRefused) {
    const wchar_t *rows[][5] = {
        {L"Alt+F1", L"alt+f1", L"Ctrl+V", L"Alt+X+Y",
         L"Alt+F1 Alt+F2 Alt+F3 Alt+F5 AUTO=alt+f1:CAPTURE GAMEOVER=Ctrl+V:S UNDO=Alt+X+Y:U "},
        {L"Alt+F2", L"Alt+F2", L"", L"Alt+F3", L"Alt+F2 - - Alt+F3 AUTO=Alt+F2:CAPTURE "},
        {L"", L"Alt+F1", L"Alt+F1", L"Alt+F2", L"- Alt+F1 Alt+F3 Alt+F2 GAMEOVER=Alt+F1:AUTO "},
        {L"Alt+F5", L"F5", L"Win+F7", L"Alt+Tab", L"Alt+F5 F5 Win+F7 - UNDO=Alt+Tab:S "}};
    for (const auto &row : rows) {
        const std::wstring values[HotKeyCount] = {row[0], row[1], row[2], row[3]};
        const HotKeys hotKeys = SettleHotKeys(values);
        std::wstring settled;
        for (const KeyCombination &key : hotKeys.keys)
            settled += (key.key ? KeyCombinationText(key) : L"-") + L" ";
        for (const HotKeyRefusal &refusal : hotKeys.refusals)
            settled += hotKeyNames[refusal.action] + (L"=" + refusal.value) + L":" +
                       (refusal.reading ? std::wstring(1, L"RNUS"[refusal.reading])
                                        : hotKeyNames[refusal.takenBy]) +
                       L" ";
        EXPECT_EQ(settled, row[4]) << row[0] << L" " << row[1] << L" " << row[2];
    }
}
