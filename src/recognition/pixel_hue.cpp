#include "recognition/pixel_hue.h"

#include "recognition/colour.h"

// Divided on doubles and rounded once.
float ChannelFraction(uint32_t pixel, int shift) {
    return (float)((double)((pixel >> shift) & 0xFF) / 255.0);
}

float PixelHue(uint32_t pixel) {
    return RgbToHsv(ChannelFraction(pixel, 0), ChannelFraction(pixel, 8),
                    ChannelFraction(pixel, 16))
        .hue;
}

static uint32_t ChannelByte(float component) {
    return (uint32_t)TruncateToInt32((double)component * 255.0);
}

uint32_t PureHuePixel(float hue) {
    RgbColour colour = {1, 1, 1};
    HsvToRgb(hue, 1, colour);
    return ChannelByte(colour.blue) << 16 | ChannelByte(colour.green) << 8 |
           ChannelByte(colour.red);
}

uint32_t ClassColour(BlobColour colour) {
    return colour >= ColourRed && colour <= ColourPurple ? colourPixels[colour - 1] : 0;
}

BlobColour MajorityColour(const VoteCounts &votes) {
    BlobColour leader = ColourRed;
    for (BlobColour colour = ColourGreen; colour <= ColourPurple; ++colour) {
        if (votes[colour - 1] > votes[leader - 1])
            leader = colour;
    }
    return leader;
}

CellArea UpperCellArea(int32_t width, int32_t height) {
    return {width / 8, height / 16, width - 2 * (width / 8), height / 2 - 2 * (height / 16)};
}

CellArea LowerCellArea(int32_t width, int32_t height) {
    CellArea area = UpperCellArea(width, height);
    area.top = height / 2 + height / 16;
    return area;
}
