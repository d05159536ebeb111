#include "second_frame.h"

#include <algorithm>
#include <cwchar>

#include "brimlet_texts.h"
#include "display_scale.h"
#include "frame_geometry.h"
#include "frame_shape.h"
#include "region_label.h"
#include "region_sender.h"

const int SecondSide = 2;                           // the border at 100 %: half the frame's
const int TabPadding = 4;                           // beside the title in its tab
const COLORREF UnchosenColour = RGB(255, 200, 150); // pale while the arrows move the frame

static HWND secondWindow;    // the second frame, hidden while there is no second box
static CaptureRegion second; // its region; width 0: none
static bool secondChosen;    // the arrows move the second frame, not the frame

// The tab that holds the title, over the region's left end: its size at the frame's scale.
static SIZE TabSize() {
    HDC dc = GetDC(secondWindow);
    HGDIOBJ oldFont = SelectObject(dc, InterfaceFont(frame.dpi));
    SIZE text = {};
    GetTextExtentPoint32W(dc, brimletTexts->secondTitle, (int)wcslen(brimletTexts->secondTitle),
                          &text);
    SelectObject(dc, oldFont);
    ReleaseDC(secondWindow, dc);
    return {text.cx + 2 * ScaleLength(TabPadding, frame.dpi), ScaleLength(FrameTop, frame.dpi)};
}

// The window: the tab above the border round the region; the shape: tab and border alone, so
// that the box shows through and the mouse reaches it.
static void ShapeSecondFrame() {
    const int side = ScaleLength(SecondSide, frame.dpi);
    const SIZE tab = TabSize();
    const int across = second.width + 2 * side, down = second.height + 2 * side;
    SetWindowPos(secondWindow, nullptr, second.x - side, second.y - side - tab.cy,
                 std::max<int>(across, tab.cx), tab.cy + down, SWP_NOZORDER | SWP_NOACTIVATE);
    HRGN shape = CreateRectRgn(0, tab.cy, across, tab.cy + down);
    HRGN hole =
        CreateRectRgn(side, tab.cy + side, side + second.width, tab.cy + side + second.height);
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
    PaintPlate(dc, window, whole, {0, 0, tab.cx, tab.cy}, DT_CENTER, frame.dpi,
               secondChosen ? PlateColour : UnchosenColour);
    EndPaint(window, &paint);
}

// A drag moves the region with the window; the frame's label keeps clear of it.
static void OnSecondMoved(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    const int x = place.left + ScaleLength(SecondSide, frame.dpi);
    const int y = place.bottom - ScaleLength(SecondSide, frame.dpi) - second.height;
    if (second.width == 0 || (x == second.x && y == second.y))
        return;
    second.x = x;
    second.y = y;
    HWND owner = GetWindow(window, GW_OWNER);
    SendRegion(owner, frame.region, false);
    PlaceLabelBeside(owner);
}

static LRESULT CALLBACK SecondProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        return HTCAPTION; // the shape is all border and tab: any of it drags
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE; // the keys stay with the frame
    case WM_KEYDOWN:
        return SendMessageW(GetWindow(window, GW_OWNER), message, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
        OnSecondMoved(window);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        PaintSecondFrame(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CreateSecondFrame(HWND owner, const CaptureRegion &region) {
    WNDCLASSW secondClass = {};
    secondClass.lpfnWndProc = SecondProcedure;
    secondClass.hInstance = (HINSTANCE)GetWindowLongPtrW(owner, GWLP_HINSTANCE);
    secondClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    secondClass.lpszClassName = secondFrameClassName;
    RegisterClassW(&secondClass);
    secondWindow = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                   secondFrameClassName, brimletTexts->secondTitle, WS_POPUP, 0, 0,
                                   1, 1, owner, nullptr, secondClass.hInstance, nullptr);
    second = region.width > 0 && region.height > 0 ? region : CaptureRegion{};
    if (second.width > 0) {
        ShapeSecondFrame();
        ShowWindow(secondWindow, SW_SHOWNOACTIVATE);
    }
}

CaptureRegion SecondRegion() {
    return second;
}

void PlaceSecondFrame(const CaptureRegion &region) {
    second = region.width > 0 && region.height > 0 ? region : CaptureRegion{};
    secondChosen = secondChosen && second.width > 0;
    if (second.width > 0)
        ShapeSecondFrame();
    ShowWindow(secondWindow, second.width > 0 ? SW_SHOWNOACTIVATE : SW_HIDE);
    InvalidateRect(secondWindow, nullptr, FALSE);
    HWND owner = GetWindow(secondWindow, GW_OWNER);
    SendRegion(owner, frame.region, false);
    PlaceLabelBeside(owner);
}

void HideSecondFrame(bool hide) {
    if (second.width > 0)
        ShowWindow(secondWindow, hide ? SW_HIDE : SW_SHOWNOACTIVATE);
}

RECT SecondFrameArea() {
    RECT area = {};
    if (IsWindowVisible(secondWindow))
        GetWindowRect(secondWindow, &area);
    return area;
}

void PlaceSecondByHand() {
    if (second.width > 0) {
        PlaceSecondFrame({});
        return;
    }
    const CaptureRegion &next = frame.region;
    PlaceSecondFrame({next.x + next.width + next.width / 4, next.y + next.height / 4,
                      std::max<int32_t>(next.width / 2, MinimumRegionSide),
                      std::max<int32_t>(next.height / 2, MinimumRegionSide)});
    secondChosen = true;
    InvalidateRect(secondWindow, nullptr, FALSE);
}

void SwitchFrames() {
    secondChosen = !secondChosen && second.width > 0;
    InvalidateRect(secondWindow, nullptr, FALSE);
}

bool SecondFrameChosen() {
    return secondChosen;
}

void StepSecondFrame(bool resize, POINT step) {
    CaptureRegion stepped = second;
    if (resize) {
        stepped.width = std::max<int32_t>(stepped.width + step.x, MinimumRegionSide);
        stepped.height = std::max<int32_t>(stepped.height + step.y, MinimumRegionSide);
    } else {
        stepped.x += step.x;
        stepped.y += step.y;
    }
    PlaceSecondFrame(stepped);
}
