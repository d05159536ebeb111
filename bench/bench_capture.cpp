// A capture: RecognisePair on the 50 x 100 sample through the drawing contexts,
// beside the same recognition over plain memory as the floor, and the cost of the
// single pixel calls that make up the difference.
#include <cstdint>
#include <cstdio>

#include "app/surface.h"
#include "bench_support.h"
#include "recognition/classify.h"
#include "recognition/pixel_hue.h"
#include "recognition/recogniser.h"
#include "tessivo.h"

namespace {

const int Width = 50;
const int Height = 100;

uint32_t sample[Width * Height];    // what the capture region shows
uint32_t hueMemory[Width * Height]; // the floor's hue view
uint32_t classMemory[Width * Height];

// A pair as the game shows it: a green blob above a purple one on dark grey, with
// a lighter rim, so that every pixel of the cell areas votes and some vote wrong.
void MakeSample() {
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            int cy = y < Height / 2 ? 25 : 75;
            int dx = x - 25, dy = y - cy;
            int d2 = dx * dx + dy * dy;
            uint32_t pixel = 0x00303030;
            if (d2 < 18 * 18)
                pixel = y < Height / 2 ? 0x0020D040 : 0x00C020B0;
            else if (d2 < 21 * 21)
                pixel = 0x00A0A0A0;
            sample[y * Width + x] = pixel;
        }
    }
}

BlobColour VoteOverMemory(const CellArea &area) {
    VoteCounts votes = {};
    for (int32_t x = area.left; x < area.left + area.columns; ++x) {
        for (int32_t y = area.top; y < area.top + area.rows; ++y) {
            BlobColour colour = ClassifyHue(PixelHue(sample[y * Width + x]));
            ++votes[colour - 1];
            classMemory[y * Width + x] = ClassColour(colour);
        }
    }
    return MajorityColour(votes);
}

// The same steps as RecognisePair, in the same order, over arrays instead of
// drawing contexts.
BlobPair RecogniseOverMemory() {
    for (int32_t x = 0; x < Width; ++x) {
        for (int32_t y = 0; y < Height; ++y)
            hueMemory[y * Width + x] = PureHuePixel(PixelHue(sample[y * Width + x]));
    }
    for (uint32_t &pixel : classMemory)
        pixel = 0;
    BlobColour upper = VoteOverMemory(UpperCellArea(Width, Height));
    BlobColour lower = VoteOverMemory(LowerCellArea(Width, Height));
    return {lower, upper};
}

// Both ways must agree on the pair and on every pixel of both views, or the floor
// measures something else.
bool SameResults(BlobPair a, BlobPair b) {
    if (a.lower != b.lower || a.upper != b.upper)
        return false;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            if (GetPixel(hueView.dc, x, y) != hueMemory[y * Width + x] ||
                GetPixel(classView.dc, x, y) != classMemory[y * Width + x])
                return false;
        }
    }
    return true;
}

} // namespace

int main() {
    HWND desktop = GetDesktopWindow();
    CreateSurface(captureSurface, Width, Height, desktop);
    CreateSurface(hueView, Width, Height, desktop);
    CreateSurface(classView, Width, Height, desktop);
    MakeSample();
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x)
            SetPixel(captureSurface.dc, x, y, sample[y * Width + x]);
    }

    BlobPair viaPlatform = RecognisePair(captureSurface);
    BlobPair viaMemory = RecogniseOverMemory();
    if (!SameResults(viaPlatform, viaMemory)) {
        printf("| capture | the floor disagrees with RecognisePair | - | - |\n");
        return 1;
    }

    volatile int32_t sink = 0;
    double floor = MicrosecondsPerCall([&] { sink = sink + RecogniseOverMemory().lower; });
    double capture =
        MicrosecondsPerCall([&] { sink = sink + RecognisePair(captureSurface).lower; }, 0.2);
    PrintRow("capture", "same recognition over plain memory (floor)", floor);
    PrintRow("capture", "RecognisePair, 50 x 100 sample", capture,
             Ratio(capture, floor, "the floor"));

    // A capture makes 7,888 reads and 7,888 writes (5,000 + 2 x 1,444 each).
    const int calls = Width * Height + 2 * 38 * 38;
    double get = MicrosecondsPerCall([&] {
        for (int x = 0; x < Width; ++x)
            for (int y = 0; y < Height; ++y)
                sink = sink + (int32_t)GetPixel(captureSurface.dc, x, y);
    });
    double set = MicrosecondsPerCall([&] {
        for (int x = 0; x < Width; ++x)
            for (int y = 0; y < Height; ++y)
                SetPixel(hueView.dc, x, y, (COLORREF)(x * y));
    });
    double perGet = get / (Width * Height), perSet = set / (Width * Height);
    char share[128];
    snprintf(share, sizeof share, "%d reads: %.0f%% of a capture", calls,
             100 * perGet * calls / capture);
    PrintRow("capture", "one GetPixel on a DIB section", perGet, share);
    snprintf(share, sizeof share, "%d writes: %.0f%% of a capture", calls,
             100 * perSet * calls / capture);
    PrintRow("capture", "one SetPixel on a DIB section", perSet, share);
    return 0;
}
