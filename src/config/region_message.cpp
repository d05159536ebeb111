// Decoding and encoding of the 9-byte region record: x, y, height, width as
// little-endian signed 16-bit values at offsets 0, 2, 4, 6, then the resize byte; and of the
// second box's 8-byte record, the same without the resize byte.
#include "config/program_contract.h"

#include <algorithm>

namespace {

// Widens a little-endian 16-bit value with its sign (F6 FF gives -10).
int32_t ReadSigned16(const uint8_t *bytes) {
    return static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)));
}

// Out-of-range values are clamped: a wrapped value would put the region on the
// opposite side of the screen.
void WriteSigned16(uint8_t *bytes, int32_t value) {
    if (value < INT16_MIN)
        value = INT16_MIN;
    if (value > INT16_MAX)
        value = INT16_MAX;
    uint16_t bits = static_cast<uint16_t>(value);
    bytes[0] = static_cast<uint8_t>(bits & 0xFF);
    bytes[1] = static_cast<uint8_t>(bits >> 8);
}

} // namespace

bool ApplyRegionMessage(CaptureRegion &region, const uint8_t *bytes, size_t length) {
    if (bytes == nullptr || length < RegionMessageSize)
        return false;
    region.x = ReadSigned16(bytes + 0);
    region.y = ReadSigned16(bytes + 2);
    if (bytes[8] == 1) { // exactly 1 resizes; any other value only moves
        region.height = ReadSigned16(bytes + 4);
        region.width = ReadSigned16(bytes + 6);
    }
    return true;
}

void EncodeRegionMessage(uint8_t (&bytes)[RegionMessageSize], const CaptureRegion &region,
                         bool resize) {
    WriteSigned16(bytes + 0, region.x);
    WriteSigned16(bytes + 2, region.y);
    WriteSigned16(bytes + 4, region.height); // height before width on the wire
    WriteSigned16(bytes + 6, region.width);
    bytes[8] = resize ? 1 : 0;
}

bool ApplySecondRegionMessage(CaptureRegion &second, const uint8_t *bytes, size_t length) {
    if (bytes == nullptr || length != SecondRegionMessageSize)
        return false;
    second.x = ReadSigned16(bytes + 0);
    second.y = ReadSigned16(bytes + 2);
    second.height = ReadSigned16(bytes + 4);
    second.width = ReadSigned16(bytes + 6);
    return true;
}

void EncodeSecondRegionMessage(uint8_t (&bytes)[SecondRegionMessageSize],
                               const CaptureRegion &second) {
    uint8_t record[RegionMessageSize];
    EncodeRegionMessage(record, second, true);
    std::copy(record, record + SecondRegionMessageSize, bytes); // the same fields, in order
}
