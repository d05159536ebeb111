// Fuzz target for the link text: an arbitrary record, short or far too long for
// the text, decoded from the input bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "record/link_text.h"
#include "tessivo.h"

namespace {

void Check(bool condition) {
    if (!condition)
        abort();
}

// Colours 0..6 (so both known and unknown codes), and now and then an extreme.
BlobColour DecodeColour(uint8_t byte) {
    static const BlobColour extremes[] = {INT32_MIN, -1, 7, 255, 256, INT32_MAX, -5, 1 << 16};
    if (byte >= 0xF8)
        return extremes[byte - 0xF8];
    return byte % 7;
}

// The first two bytes repeat the pairs that follow, so that short inputs make
// records of every length up to far beyond what fits.
void DecodeRecord(const uint8_t *data, size_t size, MoveRecord &record) {
    record.clear();
    if (size < 2)
        return;
    const size_t repeats = 1 + (data[0] | (size_t)data[1] << 8) % 1024;
    data += 2;
    size -= 2;
    for (size_t r = 0; r < repeats && record.size() < 4096; ++r) {
        for (size_t i = 0; i + 1 < size; i += 2)
            record.push_back({DecodeColour(data[i]), DecodeColour(data[i + 1])});
    }
}

// The code of a pair, by the rule that the code table follows: the second
// character is '1', the first is at 2 x (lower - 1) + 12 x (upper - 1) in the
// digits, then the small letters, then the capitals; "a0" outside 1..5.
void ExpectedCode(BlobPair pair, char code[2]) {
    static const char characters[] =
        "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (pair.lower < 1 || pair.lower > 5 || pair.upper < 1 || pair.upper > 5) {
        code[0] = 'a';
        code[1] = '0';
        return;
    }
    code[0] = characters[2 * (pair.lower - 1) + 12 * (pair.upper - 1)];
    code[1] = '1';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static MoveRecord record;
    DecodeRecord(data, size, record);
    const MoveRecord before = record;

    char text[LinkTextSize];
    memset(text, 0x7F, sizeof text); // every byte is rewritten
    const size_t written = BuildLinkText(text, record);

    const size_t prefix = strlen(linkPrefix);
    const size_t fits = (LinkTextSize - 1 - prefix) / 2;
    Check(written == (record.size() < fits ? record.size() : fits));
    Check(record.size() == before.size());
    for (size_t i = 0; i < record.size(); ++i)
        Check(record[i].lower == before[i].lower && record[i].upper == before[i].upper);

    // Within the 1024 bytes, terminated, whole codes only, the rest zero.
    const size_t length = strnlen(text, sizeof text);
    Check(length <= LinkTextSize - 1);
    Check(length == prefix + 2 * written);
    for (size_t i = length; i < sizeof text; ++i)
        Check(text[i] == 0);
    Check(memcmp(text, linkPrefix, prefix) == 0);
    for (size_t i = 0; i < length; ++i)
        Check(text[i] > 0x20 && text[i] < 0x7F);
    for (size_t i = 0; i < written; ++i) {
        char code[2];
        ExpectedCode(record[i], code);
        Check(memcmp(text + prefix + 2 * i, code, 2) == 0);
        Check(memcmp(LinkCode(record[i]), code, 2) == 0 && LinkCode(record[i])[2] == 0);
    }
    return 0;
}
