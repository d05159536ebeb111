// Names as a player writes them in setting.ini, in either program's text (char or wchar_t):
// blanks and tabs around them left out, letters in any case.
#pragma once

#include <string>
#include <type_traits>

// The text without the blanks and tabs around it.
template <typename Char> std::basic_string<Char> Trimmed(const std::basic_string<Char> &text) {
    const Char blanks[] = {Char(' '), Char('\t'), Char(0)};
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::basic_string<Char>::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Folds ASCII letters only: names are ASCII, and a locale's folding could match a letter that
// merely looks alike. The second name takes the first's type, so that it may be a literal.
template <typename Char>
bool SameName(const std::basic_string<Char> &a,
              const std::common_type_t<std::basic_string<Char>> &b) {
    auto upper = [](Char c) { return c >= Char('a') && c <= Char('z') ? Char(c - 'a' + 'A') : c; };
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i]))
            return false;
    return true;
}
