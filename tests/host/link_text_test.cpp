// The simulator link text: codes by colour pair, layout and the 1023-character limit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "record/link_text.h"

namespace {

struct CodeRow {
    BlobColour lower;
    BlobColour upper;
    const char *code;
};

// Rows are the lower colour, columns the upper colour.
const CodeRow codeRows[] = {
    {1, 1, "01"},  {1, 2, "c1"},  {1, 3, "o1"},         {1, 4, "A1"},        {1, 5, "M1"}, //
    {2, 1, "21"},  {2, 2, "e1"},  {2, 3, "q1"},         {2, 4, "C1"},        {2, 5, "O1"}, //
    {3, 1, "41"},  {3, 2, "g1"},  {3, 3, "s1"},         {3, 4, "E1"},        {3, 5, "Q1"}, //
    {4, 1, "61"},  {4, 2, "i1"},  {4, 3, "u1"},         {4, 4, "G1"},        {4, 5, "S1"}, //
    {5, 1, "81"},  {5, 2, "k1"},  {5, 3, "w1"},         {5, 4, "I1"},        {5, 5, "U1"}, //
    {0, 1, "a0"},  {1, 0, "a0"},  {6, 3, "a0"},         {3, 6, "a0"},        {0, 0, "a0"}, //
    {-1, 2, "a0"}, {2, -1, "a0"}, {INT32_MIN, 5, "a0"}, {5, INT32_MAX, "a0"}               //
};

TEST(LinkCode, EveryPairHasItsCode) {
    for (const CodeRow &row : codeRows) {
        SCOPED_TRACE("lower " + std::to_string(row.lower) + ", upper " + std::to_string(row.upper));
        EXPECT_STREQ(LinkCode(BlobPair{row.lower, row.upper}), row.code);
    }
}

// The table follows one rule: the first character is at 2 * (lower - 1) +
// 12 * (upper - 1) of the digits, small letters and capital letters.
TEST(LinkCode, CodesFollowTheAlphabetRule) {
    const char alphabet[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (BlobColour lower = 1; lower <= 5; ++lower)
        for (BlobColour upper = 1; upper <= 5; ++upper) {
            const char expected[] = {alphabet[2 * (lower - 1) + 12 * (upper - 1)], '1', 0};
            EXPECT_STREQ(LinkCode(BlobPair{lower, upper}), expected)
                << "lower " << lower << ", upper " << upper;
        }
}

// A record of n pairs, cycling through every code of the table.
MoveRecord CyclingRecord(size_t n) {
    MoveRecord record;
    for (size_t i = 0; i < n; ++i)
        record.push_back(BlobPair{BlobColour(1 + i % 5), BlobColour(1 + (i / 5) % 5)});
    return record;
}

std::string Codes(const MoveRecord &record, size_t count) {
    std::string codes;
    for (size_t i = 0; i < count; ++i)
        codes += LinkCode(record[i]);
    return codes;
}

TEST(LinkText, PrefixNamesTheSimulatorPageOnAPlainHost) {
    const std::string prefix = linkPrefix;
    const std::string scheme = "http://", page = "/simu/ps.html?_";
    ASSERT_GT(prefix.size(), scheme.size() + page.size());
    EXPECT_EQ(prefix.substr(0, scheme.size()), scheme);
    EXPECT_EQ(prefix.substr(prefix.size() - page.size()), page);
    const std::string host = prefix.substr(scheme.size(), prefix.size() - 22);
    EXPECT_EQ(host.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                     "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-"),
              std::string::npos)
        << host;
}

TEST(LinkText, RecordsOfEveryLength) {
    const size_t prefixLength = std::strlen(linkPrefix);
    const size_t fitting = (LinkTextSize - 1 - prefixLength) / 2;
    struct Row {
        const char *name;
        MoveRecord record;
        size_t written;
    };
    const Row rows[] = {
        {"empty record", {}, 0},
        {"red below, green above", {{1, 2}}, 1},
        {"then blue below and above", {{1, 2}, {3, 3}}, 2},
        {"unknown colours in between", {{4, 1}, {0, 6}, {1, 4}}, 3},
        {"exactly as many as fit", CyclingRecord(fitting), fitting},
        {"one pair more than fits", CyclingRecord(fitting + 1), fitting},
        {"far more than fit", CyclingRecord(5000), fitting},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        char text[LinkTextSize];
        std::memset(text, 'x', sizeof text); // the whole area must be rewritten
        const MoveRecord before = row.record;
        const size_t written = BuildLinkText(text, row.record);
        EXPECT_EQ(written, row.written);
        EXPECT_EQ(std::string(text), linkPrefix + Codes(row.record, row.written));
        // Only whole codes, and the rest of the area zero.
        EXPECT_EQ(std::strlen(text), prefixLength + 2 * row.written);
        for (size_t i = std::strlen(text); i < LinkTextSize; ++i)
            ASSERT_EQ(text[i], 0) << "byte " << i;
        EXPECT_EQ(row.record.size(), before.size());
    }
}

TEST(LinkText, TextIsAscii) {
    char text[LinkTextSize];
    BuildLinkText(text, CyclingRecord(30));
    for (size_t i = 0; text[i] != 0; ++i)
        EXPECT_TRUE(text[i] > 0x20 && text[i] < 0x7F) << "byte " << i;
}

} // namespace
