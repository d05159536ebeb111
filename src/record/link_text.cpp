// The simulator link text: the prefix, then one two-character code per pair.
#include "link_text.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#ifndef TESSIVO_SIMULATOR_HOST
#error "TESSIVO_SIMULATOR_HOST must name the host of the web simulator"
#endif

static const char builtInHost[] = TESSIVO_SIMULATOR_HOST;
static_assert(sizeof(builtInHost) <= MaxHostLength + 1, "the simulator host name is too long");

static std::string PrefixFor(const std::string &host) {
    return "http://" + host + "/simu/ps.html?_";
}

std::string linkPrefix = PrefixFor(builtInHost);
static std::string linkHost = builtInHost; // the host of linkPrefix

namespace {

const size_t LinkCodeLength = 2;

// Rows by lower colour, columns by upper colour, both 1..5.
const char *const linkCodes[5][5] = {
    {"01", "c1", "o1", "A1", "M1"}, // red below
    {"21", "e1", "q1", "C1", "O1"}, // green below
    {"41", "g1", "s1", "E1", "Q1"}, // blue below
    {"61", "i1", "u1", "G1", "S1"}, // yellow below
    {"81", "k1", "w1", "I1", "U1"}, // purple below
};

const char unknownPairCode[] = "a0";

bool IsKnownColour(BlobColour colour) {
    return colour >= ColourRed && colour <= ColourPurple;
}

// A label: 1 to 63 letters, digits and hyphens, with no hyphen at either end.
bool IsHostLabel(const std::wstring &host, size_t start, size_t end) {
    if (end == start || end - start > 63 || host[start] == L'-' || host[end - 1] == L'-')
        return false;
    for (size_t i = start; i < end; ++i) {
        wchar_t c = host[i];
        bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
        if (!letter && !(c >= L'0' && c <= L'9') && c != L'-')
            return false;
    }
    return true;
}

} // namespace

bool IsPlainHostName(const std::wstring &host) {
    if (host.empty() || host.size() > MaxHostLength)
        return false;
    for (size_t start = 0, dot; start <= host.size(); start = dot + 1) {
        dot = std::min(host.find(L'.', start), host.size());
        if (!IsHostLabel(host, start, dot))
            return false;
    }
    return true;
}

bool UseSimulatorHost(const std::wstring &host) {
    if (!IsPlainHostName(host)) {
        linkHost = builtInHost;
        linkPrefix = PrefixFor(linkHost);
        return false;
    }
    linkHost.assign(host.begin(), host.end()); // ASCII only, checked above
    linkPrefix = PrefixFor(linkHost);
    return true;
}

const char *const reservedHosts[] = {"invalid",     "example",     "test",       "localhost",
                                     "example.com", "example.net", "example.org"};

bool IsReservedHost(const std::string &host) {
    std::string name = host;
    for (char &c : name)
        c = (char)std::tolower((unsigned char)c);
    for (const std::string reserved : reservedHosts)
        if (name == reserved ||
            (name.size() > reserved.size() && name.compare(name.size() - reserved.size() - 1,
                                                           std::string::npos, "." + reserved) == 0))
            return true;
    return false;
}

bool LinkLeadsNowhere() {
    return IsReservedHost(linkHost);
}

const char *LinkCode(BlobPair pair) {
    if (!IsKnownColour(pair.lower) || !IsKnownColour(pair.upper))
        return unknownPairCode;
    return linkCodes[pair.lower - 1][pair.upper - 1];
}

size_t BuildLinkText(char (&text)[LinkTextSize], const MoveRecord &record) {
    std::memset(text, 0, sizeof text);
    size_t length = linkPrefix.size();
    std::memcpy(text, linkPrefix.data(), length);
    const size_t room = LinkTextSize - 1; // the last byte stays the terminator
    size_t written = 0;
    // Only whole codes: a record too long for the text is cut after the last
    // code that fits, oldest codes first.
    for (const BlobPair &pair : record) {
        if (length + LinkCodeLength > room)
            break;
        std::memcpy(text + length, LinkCode(pair), LinkCodeLength);
        length += LinkCodeLength;
        ++written;
    }
    return written;
}

std::string LinkCodes(const MoveRecord &record) {
    std::string codes;
    codes.reserve(record.size() * LinkCodeLength);
    for (const BlobPair &pair : record)
        codes += LinkCode(pair);
    return codes;
}

std::string MarkedCodes(const MoveRecord &record) {
    std::string codes;
    codes.reserve(record.size() * LinkCodeLength);
    for (const RecordedMove &move : record) {
        codes += LinkCode(move);
        if (move.mark == MarkSeenAhead)
            codes += '+';
        if (move.mark == MarkDoubt)
            codes += std::string("?") + LinkCode(move.second);
    }
    return codes;
}

namespace {

// The pair of the code at text[at], a search of the 25 character by character (a history is
// long); {0, 0} for none.
BlobPair PairOfCode(const std::string &text, size_t at) {
    const char c = text[at], next = at + 1 < text.size() ? text[at + 1] : '\0';
    for (BlobColour lower = ColourRed; lower <= ColourPurple; ++lower)
        for (BlobColour upper = ColourRed; upper <= ColourPurple; ++upper)
            if (c == linkCodes[lower - 1][upper - 1][0] &&
                next == linkCodes[lower - 1][upper - 1][1])
                return {lower, upper};
    return {0, 0};
}

} // namespace

bool ReadLinkCodes(const std::string &text, MoveRecord &record, bool marks) {
    MoveRecord read;
    for (size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++at;
            continue;
        }
        RecordedMove move = {PairOfCode(text, at)};
        if (!move.lower)
            return false;
        at += LinkCodeLength;
        if (marks && at < text.size() && text[at] == '+') {
            move.mark = MarkSeenAhead;
            ++at;
        } else if (marks && at < text.size() && text[at] == '?') {
            move.mark = MarkDoubt;
            move.second = PairOfCode(text, at + 1);
            if (!move.second.lower)
                return false;
            at += 1 + LinkCodeLength;
        }
        read.push_back(move);
    }
    record.swap(read);
    return true;
}
