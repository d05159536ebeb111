#include "record/record_view.h"

#include <algorithm>

#include "app/picture.h"
#include "app/surface.h"
#include "tessivo.h"

const int RecordLeft = 5;
const int RecordTop = 110; // 5 rows below the three views
const int DiscSize = 20;   // column pitch, disc width and disc height
const int PairHeight = 40; // row pitch

// Disc fill by colour; purple is a darker (200, 0, 200) than classView's.
static COLORREF DiscColour(BlobColour colour) {
    switch (colour) {
    case ColourRed:
        return 0x000000FF;
    case ColourGreen:
        return 0x0000FF00;
    case ColourBlue:
        return 0x00FF0000;
    case ColourYellow:
        return 0x0000FFFF;
    case ColourPurple:
        return 0x00C800C8;
    default:
        return 0x00FFFFFF;
    }
}

// Pairs that can reach the screen: rows starting below backBuffer, or below the
// client area (shown PictureTop rows lower), are never seen. Skipping them keeps a
// paint's cost bound to what is visible, not to the record's length.
static size_t VisiblePairCount(size_t size, int32_t pairsPerRow, LONG clientHeight) {
    LONG visibleBottom = std::min<LONG>(backBuffer.height, clientHeight - PictureTop);
    if (visibleBottom <= RecordTop)
        return 0;
    size_t rows = (size_t)((visibleBottom - RecordTop + PairHeight - 1) / PairHeight);
    return std::min(size, rows * (size_t)pairsPerRow);
}

static void DrawPair(HDC dc, const BlobPair &pair, int x, int y, HGDIOBJ whiteBrush) {
    // The brush replaced here is the stock white one, which is never deleted.
    SelectObject(dc, CreateSolidBrush(DiscColour(pair.upper)));
    Ellipse(dc, x, y, x + DiscSize, y + DiscSize);
    DeleteObject(SelectObject(dc, CreateSolidBrush(DiscColour(pair.lower))));
    Ellipse(dc, x, y + DiscSize, x + DiscSize, y + 2 * DiscSize);
    DeleteObject(SelectObject(dc, whiteBrush));
}

void DrawMoveRecord(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    int32_t pairsPerRow = (client.right - RecordLeft) / DiscSize;
    if (moveRecord.empty())
        return;
    // A client narrower than one column still shows the record, as a single column.
    if (pairsPerRow < 1)
        pairsPerRow = 1;

    HGDIOBJ whiteBrush = GetStockObject(WHITE_BRUSH);
    size_t count = VisiblePairCount(moveRecord.size(), pairsPerRow, client.bottom);
    for (size_t i = 0; i < count; ++i) {
        int row = (int)(i / (size_t)pairsPerRow);
        int column = (int)(i % (size_t)pairsPerRow);
        DrawPair(backBuffer.dc, moveRecord[i], RecordLeft + DiscSize * column,
                 RecordTop + PairHeight * row, whiteBrush);
    }
}
