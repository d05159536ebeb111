#include "frame_shape.h"

#include <cstring>

#include "frame_geometry.h"
#include "monitor_placement.h"
#include "region_label.h"
#include "region_sender.h"
#include "second_frame.h"

Frame frame = {{}, false, 96};

static RECT AsRect(const Edges &rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The window's outer rectangle on the screen.
static Edges PlaceOf(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    return {place.left, place.top, place.right, place.bottom};
}

CaptureRegion RegionOfWindow(HWND window) {
    return RegionInside(PlaceOf(window), frame.dpi);
}

void ShapeFrame(HWND window) {
    const Edges around = WindowAround(frame.region, frame.dpi);
    const int width = around.right - around.left, height = around.bottom - around.top;
    const RECT shown = AsRect(ShownFrame(width, height, frame.bandBelow, frame.dpi));
    const CaptureRegion inside = RegionInside({0, 0, width, height}, frame.dpi);
    HRGN shape = CreateRectRgnIndirect(&shown);
    HRGN hole =
        CreateRectRgn(inside.x, inside.y, inside.x + inside.width, inside.y + inside.height);
    CombineRgn(shape, shape, hole, RGN_DIFF);
    DeleteObject(hole);
    SetWindowRgn(window, shape, TRUE); // the window owns the shape from here on
}

void PlaceLabelBeside(HWND window) {
    const Edges place = PlaceOf(window);
    RECT shown = AsRect(
        ShownFrame(place.right - place.left, place.bottom - place.top, frame.bandBelow, frame.dpi));
    OffsetRect(&shown, place.left, place.top);
    PlaceLabel(shown, SecondFrameArea());
}

// Moves and sizes the window around the region at the frame's scale.
static void SetFramePlace(HWND window, const CaptureRegion &region) {
    const Edges around = WindowAround(region, frame.dpi);
    SetWindowPos(window, nullptr, around.left, around.top, around.right - around.left,
                 around.bottom - around.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitFrame(HWND window) {
    ScaleLabel(frame.dpi);
    frame.bandBelow = !BandFitsAbove(frame.region, frame.dpi);
    SetFramePlace(window, frame.region);
    ShapeFrame(window);
    InvalidateRect(window, nullptr, FALSE);
    PlaceLabelBeside(window);
}

void PlaceFrameOn(HWND window, const CaptureRegion &region) {
    const bool same = !memcmp(&region, &frame.region, sizeof region);
    SetFramePlace(window, region);
    if (same)
        SendRegion(window, region, true);
}

static void DrawCloseBox(HDC dc, const RECT &box) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const int in = ScaleLength(3, frame.dpi);
    const int strokes = ScaleLength(2, frame.dpi); // side by side: easier to see
    for (int shift = 0; shift < strokes; ++shift) {
        MoveToEx(dc, box.left + in + shift, box.top + in, nullptr);
        LineTo(dc, box.right - in + shift, box.bottom - in);
        MoveToEx(dc, box.right - in - 1 + shift, box.top + in, nullptr);
        LineTo(dc, box.left + in - 1 + shift, box.bottom - in);
    }
    SelectObject(dc, oldPen);
}

// The window region clips everything to the frame: fill it all, then write the title.
void PaintFrame(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const Edges shown = ShownFrame(client.right, client.bottom, frame.bandBelow, frame.dpi);
    const RECT title = AsRect(TitleArea(shown, frame.bandBelow, frame.dpi));
    PaintPlate(dc, window, AsRect(shown), title, DT_END_ELLIPSIS, frame.dpi);
    Edges box;
    if (FindCloseBox(shown, frame.bandBelow, frame.dpi, box))
        DrawCloseBox(dc, AsRect(box));
    EndPaint(window, &paint);
}
