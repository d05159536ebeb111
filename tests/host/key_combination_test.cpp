// Hot keys as a player writes them and as Tessivo writes them back.
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
