// The 9-byte region record: decoding with sign extension, and the clamping encoder.
#include <gtest/gtest.h>

#include <vector>

#include "config/region_message.h"

namespace {

void ExpectRegion(const CaptureRegion &actual, const CaptureRegion &expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
}

const CaptureRegion startRegion = {1, 2, 3, 4};

TEST(RegionMessage, BytesGiveRegions) {
    struct Row {
        const char *name;
        std::vector<uint8_t> bytes;
        bool applied;
        CaptureRegion expected; // from startRegion
    };
    const Row rows[] = {
        {"move and resize: height before width",
         {100, 0, 200, 0, 120, 0, 60, 0, 1},
         true,
         {100, 200, 60, 120}},
        {"move only", {10, 0, 20, 0, 99, 0, 99, 0, 0}, true, {10, 20, 3, 4}},
        {"resize byte 2 only moves", {10, 0, 20, 0, 99, 0, 99, 0, 2}, true, {10, 20, 3, 4}},
        {"resize byte 255 only moves", {10, 0, 20, 0, 99, 0, 99, 0, 255}, true, {10, 20, 3, 4}},
        {"F6 FF is -10", {0xF6, 0xFF, 0, 0, 0, 0, 0, 0, 0}, true, {-10, 0, 3, 4}},
        {"little-endian high bytes",
         {0x34, 0x12, 0x00, 0x01, 0xFF, 0x7F, 0x00, 0x80, 1},
         true,
         {0x1234, 256, -32768, 32767}},
        {"all negative",
         {0xFF, 0xFF, 0xFE, 0xFF, 0x9C, 0xFF, 0xCE, 0xFF, 1},
         true,
         {-1, -2, -50, -100}},
        {"bytes after the record ignored",
         {5, 0, 6, 0, 7, 0, 8, 0, 1, 1, 2, 3, 4},
         true,
         {5, 6, 8, 7}},
        {"eight bytes change nothing", {5, 0, 6, 0, 7, 0, 8, 0}, false, startRegion},
        {"five bytes change nothing", {5, 0, 6, 0, 7}, false, startRegion},
        {"empty changes nothing", {}, false, startRegion},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        CaptureRegion region = startRegion;
        EXPECT_EQ(ApplyRegionMessage(region, row.bytes.data(), row.bytes.size()), row.applied);
        ExpectRegion(region, row.expected);
    }
}

TEST(RegionMessage, EncoderClampsAndRoundTrips) {
    struct Row {
        const char *name;
        CaptureRegion region;
        bool resize;
        std::vector<uint8_t> bytes;
    };
    const Row rows[] = {
        {"plain", {100, 200, 60, 120}, true, {100, 0, 200, 0, 120, 0, 60, 0, 1}},
        {"move only", {10, 20, 60, 120}, false, {10, 0, 20, 0, 120, 0, 60, 0, 0}},
        {"negative", {-10, -1, 0, 0}, true, {0xF6, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1}},
        {"range ends kept",
         {32767, -32768, 32767, -32768},
         true,
         {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80, 0xFF, 0x7F, 1}},
        {"beyond the range clamped",
         {40000, -40000, 65536, -65537},
         true,
         {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80, 0xFF, 0x7F, 1}},
        {"extremes clamped",
         {INT32_MAX, INT32_MIN, 32768, -32769},
         false,
         {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80, 0xFF, 0x7F, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        uint8_t bytes[RegionMessageSize];
        EncodeRegionMessage(bytes, row.region, row.resize);
        EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + RegionMessageSize), row.bytes);
        // What was encoded decodes to the clamped region.
        CaptureRegion decoded = {7, 7, 7, 7};
        ASSERT_TRUE(ApplyRegionMessage(decoded, bytes, sizeof bytes));
        auto clamp = [](int32_t v) { return v < -32768 ? -32768 : v > 32767 ? 32767 : v; };
        EXPECT_EQ(decoded.x, clamp(row.region.x));
        EXPECT_EQ(decoded.y, clamp(row.region.y));
        EXPECT_EQ(decoded.width, row.resize ? clamp(row.region.width) : 7);
        EXPECT_EQ(decoded.height, row.resize ? clamp(row.region.height) : 7);
    }
}

} // namespace
