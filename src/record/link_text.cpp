// The simulator link text: the prefix, then one two-character code per pair.
#include "link_text.h"

#include <cstring>

#ifndef TESSIVO_SIMULATOR_HOST
#error "TESSIVO_SIMULATOR_HOST must name the host of the web simulator"
#endif

const char linkPrefix[] = "http://" TESSIVO_SIMULATOR_HOST "/simu/ps.html?_";

static_assert(sizeof(linkPrefix) <= LinkTextSize, "the simulator host name is too long");

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

} // namespace

const char *LinkCode(BlobPair pair) {
    if (!IsKnownColour(pair.lower) || !IsKnownColour(pair.upper))
        return unknownPairCode;
    return linkCodes[pair.lower - 1][pair.upper - 1];
}

size_t BuildLinkText(char (&text)[LinkTextSize], const MoveRecord &record) {
    std::memset(text, 0, sizeof text);
    size_t length = sizeof linkPrefix - 1;
    std::memcpy(text, linkPrefix, length);
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
