#include "text_slots.h"

#include <vector>

std::wstring Compose(const wchar_t *sentence, std::initializer_list<std::wstring> slots) {
    const std::vector<std::wstring> values(slots);
    std::wstring text;
    for (const wchar_t *at = sentence; *at; ++at) {
        const bool slot = at[0] == L'{' && at[1] >= L'1' && at[1] <= L'9' && at[2] == L'}';
        if (!slot) {
            text += *at;
            continue;
        }
        const size_t index = (size_t)(at[1] - L'1');
        if (index < values.size())
            text += values[index];
        at += 2;
    }
    return text;
}
