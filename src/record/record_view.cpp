#include "record/record_view.h"

#include <algorithm>

#include "display_scale.h"
#include "picture_layout.h"
#include "surface.h"
#include "tessivo.h"

size_t recordBack;

// The class view's colours, but a darker purple (200, 0, 200), and white for no colour.
static COLORREF DiscColour(BlobColour colour) {
    if (colour == ColourPurple)
        return 0x00C800C8;
    return colour >= ColourRed && colour <= ColourYellow ? colourPixels[colour - 1] : 0x00FFFFFF;
}

static void DrawPair(HDC dc, const BlobPair &pair, int x, int y, int size, HGDIOBJ whiteBrush) {
    // The brush replaced here is the stock white one, which is never deleted.
    SelectObject(dc, CreateSolidBrush(DiscColour(pair.upper)));
    Ellipse(dc, x, y, x + size, y + size);
    DeleteObject(SelectObject(dc, CreateSolidBrush(DiscColour(pair.lower))));
    Ellipse(dc, x, y + size, x + size, y + 2 * size);
    DeleteObject(SelectObject(dc, whiteBrush));
}

// A move's mark where its discs meet, black on white as no disc is drawn: "+" for a pair seen
// ahead of the next box, "?" for one read otherwise than the second box showed it.
static void DrawMark(HDC dc, MoveMark mark, int x, int y, int size) {
    if (mark == MarkNone)
        return;
    RECT box = {x + size / 5, y + size * 7 / 10, x + size * 4 / 5, y + size * 13 / 10};
    FillRect(dc, &box, (HBRUSH)GetStockObject(WHITE_BRUSH));
    FrameRect(dc, &box, (HBRUSH)GetStockObject(BLACK_BRUSH));
    DrawTextW(dc, mark == MarkSeenAhead ? L"+" : L"?", 1, &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

void DrawMoveRecord(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    if (moveRecord.empty())
        return;
    // Only the rows in sight are drawn: a paint's cost does not grow with the record.
    RecordRows shown = RecordRowsShown(moveRecord.size(), client.right, client.bottom, recordBack);
    HGDIOBJ whiteBrush = GetStockObject(WHITE_BRUSH);
    HGDIOBJ oldFont = SelectObject(backBuffer.dc, InterfaceFont(pictureDpi));
    SetTextColor(backBuffer.dc, 0);
    SetBkMode(backBuffer.dc, TRANSPARENT);
    const int32_t pitch = Scaled(DiscSize), left = Scaled(ViewGap), top = Scaled(RecordTop);
    size_t first = shown.firstRow * (size_t)shown.perRow;
    size_t end = std::min(moveRecord.size(), first + shown.rows * (size_t)shown.perRow);
    for (size_t i = first; i < end; ++i) {
        int row = (int)((i - first) / (size_t)shown.perRow);
        int column = (int)(i % (size_t)shown.perRow);
        DrawPair(backBuffer.dc, moveRecord[i], left + pitch * column, top + 2 * pitch * row, pitch,
                 whiteBrush);
        DrawMark(backBuffer.dc, moveRecord[i].mark, left + pitch * column, top + 2 * pitch * row,
                 pitch);
    }
    SelectObject(backBuffer.dc, oldFont);
}

bool ScrollRecord(HWND window, WPARAM wParam, LPARAM lParam) {
    static int turned; // what the wheel turned short of a notch
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    RECT client;
    ScreenToClient(window, &point);
    GetClientRect(window, &client);
    if (!PtInRect(&client, point) || point.y < Scaled(PictureTop + RecordTop))
        return false;
    turned += GET_WHEEL_DELTA_WPARAM(wParam);
    int notches = turned / WHEEL_DELTA;
    turned %= WHEEL_DELTA;
    size_t back = notches < 0 && recordBack < (size_t)-notches ? 0 : recordBack + notches;
    recordBack = RecordRowsShown(moveRecord.size(), client.right, client.bottom, back).back;
    return true;
}

bool MoveAt(HWND window, POINT point, size_t &move, bool &upper) {
    RECT client;
    GetClientRect(window, &client);
    const RecordRows shown =
        RecordRowsShown(moveRecord.size(), client.right, client.bottom, recordBack);
    const int32_t pitch = Scaled(DiscSize), x = point.x - Scaled(ViewGap),
                  y = point.y - Scaled(PictureTop) - Scaled(RecordTop); // as the picture's copy
    if (!PtInRect(&client, point) || x < 0 || y < 0 || x / pitch >= shown.perRow)
        return false;
    const size_t row = (size_t)(y / (2 * pitch));
    move = (shown.firstRow + row) * (size_t)shown.perRow + (size_t)(x / pitch);
    upper = y % (2 * pitch) < pitch;
    return row < shown.rows && move < moveRecord.size();
}

void KeepRowsInSight(HWND window, size_t before) {
    RECT client;
    GetClientRect(window, &client);
    const size_t first = RecordRowsShown(before, client.right, client.bottom, recordBack).firstRow;
    const size_t newest =
        RecordRowsShown(moveRecord.size(), client.right, client.bottom, 0).firstRow;
    recordBack = RecordRowsShown(moveRecord.size(), client.right, client.bottom,
                                 newest > first ? newest - first : 0)
                     .back;
}
