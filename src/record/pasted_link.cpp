#include "record/pasted_link.h"

#include <algorithm>

#include "record/link_text.h"

static const wchar_t blanks[] = L" \t\r\n";

bool ReadPastedLink(const std::wstring &text, MoveRecord &record) {
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos)
        return false;
    const std::wstring link = text.substr(first, text.find_last_not_of(blanks) + 1 - first);
    const std::wstring path = L"/simu/ps.html?_";
    const size_t host = link.compare(0, 7, L"http://") == 0    ? 7
                        : link.compare(0, 8, L"https://") == 0 ? 8
                                                               : 0;
    const size_t slash = link.find(L'/', host);
    if (!host || slash == std::wstring::npos || !IsPlainHostName(link.substr(host, slash - host)) ||
        link.compare(slash, path.size(), path) != 0)
        return false;
    const std::wstring codes = link.substr(slash + path.size());
    // Letters and digits only, so that the reader of the kept record, which takes blanks
    // between codes, sees none, and every character is ASCII.
    for (wchar_t c : codes)
        if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')))
            return false;
    return ReadLinkCodes(std::string(codes.begin(), codes.end()), record);
}

std::wstring FirstLine(const std::wstring &text, size_t limit) {
    const size_t start = text.find_first_not_of(blanks);
    if (start == std::wstring::npos)
        return L"";
    const size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
    const std::wstring line = text.substr(start, std::min(end - start, limit));
    const bool cut = end - start > limit || text.find_last_not_of(blanks) >= end;
    return cut ? line + L"..." : line;
}
