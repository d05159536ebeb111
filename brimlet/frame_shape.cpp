#include "frame_shape.h"

#include <windowsx.h>

#include "frame_geometry.h"
#include "monitor_placement.h"
#include "region_label.h"

static bool bandBelow; // the band stands below the region: above it, it would be off every
                       // monitor, and nothing would be left to grab

static RECT AsRect(const Edges &rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The window's outer rectangle on the screen.
static Edges PlaceOf(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    return {place.left, place.top, place.right, place.bottom};
}

CaptureRegion RegionOfWindow(HWND window, int dpi) {
    return RegionInside(PlaceOf(window), dpi);
}

void PlaceFrame(HWND window, const CaptureRegion &region, int dpi) {
    const Edges around = WindowAround(region, dpi);
    SetWindowPos(window, nullptr, around.left, around.top, around.right - around.left,
                 around.bottom - around.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShapeFrame(HWND window, const CaptureRegion &region, int dpi, bool resized) {
    const bool below = !BandFitsAbove(region, dpi);
    if (!resized && below == bandBelow)
        return;
    bandBelow = below;
    const Edges around = WindowAround(region, dpi);
    const int width = around.right - around.left, height = around.bottom - around.top;
    const RECT shown = AsRect(ShownFrame(width, height, bandBelow, dpi));
    const CaptureRegion inside = RegionInside({0, 0, width, height}, dpi);
    HRGN shape = CreateRectRgnIndirect(&shown);
    HRGN hole =
        CreateRectRgn(inside.x, inside.y, inside.x + inside.width, inside.y + inside.height);
    CombineRgn(shape, shape, hole, RGN_DIFF);
    DeleteObject(hole);
    SetWindowRgn(window, shape, TRUE); // the window owns the shape from here on
    InvalidateRect(window, nullptr, FALSE);
}

RECT FrameOnScreen(HWND window, int dpi) {
    const Edges place = PlaceOf(window);
    RECT shown =
        AsRect(ShownFrame(place.right - place.left, place.bottom - place.top, bandBelow, dpi));
    OffsetRect(&shown, place.left, place.top);
    return shown;
}

// The platform's codes in the order of FrameHit.
LRESULT HitTestFrame(HWND window, LPARAM position, int dpi) {
    static const LRESULT codes[] = {HTTOPLEFT, HTTOP,        HTTOPRIGHT, HTLEFT,        HTCAPTION,
                                    HTRIGHT,   HTBOTTOMLEFT, HTBOTTOM,   HTBOTTOMRIGHT, HTCLOSE};
    const Edges place = PlaceOf(window);
    return codes[HitFrame(GET_X_LPARAM(position) - place.left, GET_Y_LPARAM(position) - place.top,
                          place.right - place.left, place.bottom - place.top, bandBelow, dpi)];
}

static void DrawCloseBox(HDC dc, const RECT &closeBox, int dpi) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const int in = ScaleLength(3, dpi);
    const int strokes = ScaleLength(2, dpi); // side by side: easier to see
    for (int shift = 0; shift < strokes; ++shift) {
        MoveToEx(dc, closeBox.left + in + shift, closeBox.top + in, nullptr);
        LineTo(dc, closeBox.right - in + shift, closeBox.bottom - in);
        MoveToEx(dc, closeBox.right - in - 1 + shift, closeBox.top + in, nullptr);
        LineTo(dc, closeBox.left + in - 1 + shift, closeBox.bottom - in);
    }
    SelectObject(dc, oldPen);
}

// The window region clips everything to the frame: fill it all, then write the title.
void PaintFrame(HWND window, int dpi) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const Edges shown = ShownFrame(client.right, client.bottom, bandBelow, dpi);
    const RECT title = AsRect(TitleArea(shown, bandBelow, dpi));
    PaintPlate(dc, window, AsRect(shown), title, DT_END_ELLIPSIS, dpi);
    Edges closeBox;
    if (FindCloseBox(shown, bandBelow, dpi, closeBox))
        DrawCloseBox(dc, AsRect(closeBox), dpi);
    EndPaint(window, &paint);
}
