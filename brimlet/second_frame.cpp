#include "second_frame.h"

#include <algorithm>
#include <cwchar>

#include "brimlet_texts.h"
#include "display_scale.h"
#include "frame_geometry.h"
#include "popup_window.h"
#include "region_label.h"

const int SecondSide = 2;                           // the border at 100 %: half the frame's
const int TabPadding = 4;                           // beside the title in its tab
const COLORREF UnchosenColour = RGB(255, 200, 150); // pale while the arrows move the frame

static HWND secondWindow;  // the second frame, hidden while there is no second box
static int secondDpi = 96; // the scale it is drawn at: the frame's
static bool secondChosen;  // the arrows move the second frame, not the frame

// The tab that holds the title, over the region's left end: its size at the frame's scale.
static SIZE TabSize() {
    const wchar_t *title = brimletTexts->secondTitle;
    const SIZE text = TextSize(secondWindow, secondDpi, title, (int)wcslen(title));
    return {text.cx + 2 * ScaleLength(TabPadding, secondDpi), ScaleLength(FrameTop, secondDpi)};
}

// The window: the tab above the border round the region; the shape: tab and border alone, so
// that the second box shows through and the mouse reaches it.
static void ShapeSecondFrame(const CaptureRegion &region) {
    const int side = ScaleLength(SecondSide, secondDpi);
    const SIZE tab = TabSize();
    const int across = region.width + 2 * side, down = region.height + 2 * side;
    SetWindowPos(secondWindow, nullptr, region.x - side, region.y - side - tab.cy,
                 std::max<int>(across, tab.cx), tab.cy + down, SWP_NOZORDER | SWP_NOACTIVATE);
    HRGN shape = CreateRectRgn(0, tab.cy, across, tab.cy + down);
    HRGN hole =
        CreateRectRgn(side, tab.cy + side, side + region.width, tab.cy + side + region.height);
    HRGN title = CreateRectRgn(0, 0, tab.cx, tab.cy);
    CombineRgn(shape, shape, hole, RGN_DIFF);
    CombineRgn(shape, shape, title, RGN_OR);
    DeleteObject(hole);
    DeleteObject(title);
    SetWindowRgn(secondWindow, shape, TRUE); // the window owns the shape from here on
}

static void PaintSecondFrame(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT whole;
    GetClientRect(window, &whole);
    const SIZE tab = TabSize();
    PaintPlate(dc, window, whole, {0, 0, tab.cx, tab.cy}, DT_CENTER, secondDpi,
               secondChosen ? PlateColour : UnchosenColour);
    EndPaint(window, &paint);
}

static LRESULT CALLBACK SecondProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        return HTCAPTION; // the shape is all border and tab: any of it drags
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE; // the keys stay with the frame
    case WM_KEYDOWN:
        return SendMessageW(GetWindow(window, GW_OWNER), message, wParam, lParam);
    case WM_WINDOWPOSCHANGED: // the owner sends the region and keeps the label clear of it
        SendMessageW(GetWindow(window, GW_OWNER), SecondFrameMoved, 0, 0);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        PaintSecondFrame(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CreateSecondFrame(HWND owner) {
    secondWindow = CreatePopup(
        (HINSTANCE)GetWindowLongPtrW(owner, GWLP_HINSTANCE), secondFrameClassName, SecondProcedure,
        WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, brimletTexts->secondTitle, owner, {0, 0, 1, 1});
}

void ShowSecondFrame(const CaptureRegion &region, int dpi) {
    secondDpi = dpi;
    secondChosen = secondChosen && region.width > 0;
    if (region.width > 0)
        ShapeSecondFrame(region);
    ShowWindow(secondWindow, region.width > 0 ? SW_SHOWNOACTIVATE : SW_HIDE);
    InvalidateRect(secondWindow, nullptr, FALSE);
}

CaptureRegion SecondRegionOfWindow(const CaptureRegion &shown) {
    RECT place;
    GetWindowRect(secondWindow, &place);
    const int side = ScaleLength(SecondSide, secondDpi);
    return {place.left + side, place.bottom - side - shown.height, shown.width, shown.height};
}

void HideSecondFrame(bool hide) {
    ShowWindow(secondWindow, hide ? SW_HIDE : SW_SHOWNOACTIVATE);
}

RECT SecondFrameArea() {
    RECT area = {};
    if (IsWindowVisible(secondWindow))
        GetWindowRect(secondWindow, &area);
    return area;
}

void ChooseSecondFrame(bool chosen) {
    secondChosen = chosen;
    InvalidateRect(secondWindow, nullptr, FALSE);
}

bool SecondFrameChosen() {
    return secondChosen;
}
