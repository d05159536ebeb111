// Fuzz target for the region record: decoding arbitrary bytes, and encoding
// arbitrary regions then decoding them again.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "config/region_message.h"

namespace {

void Check(bool condition) {
    if (!condition)
        abort();
}

// Little-endian signed 16-bit at an offset, written out apart from the decoder.
int32_t Field(const uint8_t *bytes, size_t offset) {
    uint16_t bits = (uint16_t)(bytes[offset] + 256 * bytes[offset + 1]);
    return bits < 0x8000 ? (int32_t)bits : (int32_t)bits - 0x10000;
}

int32_t Clamped(int32_t value) {
    return value < -32768 ? -32768 : value > 32767 ? 32767 : value;
}

int32_t Read32(const uint8_t *bytes) {
    uint32_t value;
    memcpy(&value, bytes, sizeof value);
    return (int32_t)value;
}

bool SameRegion(const CaptureRegion &a, const CaptureRegion &b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The received message in a buffer of exactly its length: the address checker
// stops at any read past it.
void DecodeArbitraryMessage(const uint8_t *data, size_t size) {
    std::vector<uint8_t> message(data, data + size);
    const CaptureRegion start = {-111, 222, -333, 444};
    CaptureRegion region = start;
    bool applied = ApplyRegionMessage(region, message.empty() ? nullptr : message.data(), size);
    Check(applied == (size >= RegionMessageSize));
    if (!applied) {
        Check(SameRegion(region, start));
        return;
    }
    Check(region.x == Field(data, 0));
    Check(region.y == Field(data, 2));
    if (data[8] == 1) {
        Check(region.height == Field(data, 4));
        Check(region.width == Field(data, 6));
    } else {
        Check(region.width == start.width && region.height == start.height);
    }
}

// Four 32-bit values and a resize flag from the input: encoded, decoded into a
// region of other values, the clamped values come back.
void RoundTrip(const uint8_t *data, size_t size) {
    if (size < 17)
        return;
    const CaptureRegion sent = {Read32(data), Read32(data + 4), Read32(data + 8),
                                Read32(data + 12)};
    const bool resize = data[16] & 1;
    uint8_t bytes[RegionMessageSize];
    memset(bytes, 0xA5, sizeof bytes);
    EncodeRegionMessage(bytes, sent, resize);
    Check(bytes[8] == (resize ? 1 : 0));

    const CaptureRegion start = {7, 8, 9, 10};
    CaptureRegion received = start;
    Check(ApplyRegionMessage(received, bytes, sizeof bytes));
    Check(received.x == Clamped(sent.x));
    Check(received.y == Clamped(sent.y));
    Check(received.width == (resize ? Clamped(sent.width) : start.width));
    Check(received.height == (resize ? Clamped(sent.height) : start.height));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    DecodeArbitraryMessage(data, size);
    RoundTrip(data, size);
    return 0;
}
