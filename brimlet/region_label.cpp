#include "region_label.h"

#include <algorithm>
#include <string>

const char labelClassName[] = "RegionLabel";
const UINT_PTR NoticeTimerId = 1;
const UINT NoticeTime = 3000; // milliseconds a notice stays
const int LabelPadding = 4;
const int LabelGap = 2; // between the frame and the label
const COLORREF PlateColour = RGB(255, 128, 0);
const COLORREF InkColour = RGB(0, 0, 0);

static HWND regionLabel;       // the label window
static std::string regionText; // the region's numbers
static std::string shownText;  // what the label shows: the numbers or a notice
static bool noticeShown;       // a notice stands in place of the numbers
static HWND labelFrame;        // the frame the label belongs to

void PaintPlate(HDC dc, const RECT &area, const char *text, RECT textArea, UINT format) {
    HBRUSH brush = CreateSolidBrush(PlateColour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, InkColour);
    DrawTextA(dc, text, -1, &textArea, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

static void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT whole;
    GetClientRect(window, &whole);
    PaintPlate(dc, whole, shownText.c_str(), whole, DT_CENTER);
    EndPaint(window, &paint);
}

// Sizes the label to its text, then places it.
static void SetLabelText(const std::string &text) {
    shownText = text;
    HDC dc = GetDC(regionLabel);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &size);
    SelectObject(dc, oldFont);
    ReleaseDC(regionLabel, dc);
    SetWindowPos(regionLabel, nullptr, 0, 0, size.cx + 2 * LabelPadding, size.cy + LabelPadding,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (labelFrame)
        PlaceLabel(labelFrame);
    InvalidateRect(regionLabel, nullptr, FALSE);
}

static LRESULT CALLBACK LabelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_TIMER:
        KillTimer(window, NoticeTimerId);
        noticeShown = false;
        SetLabelText(regionText);
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT; // the mouse reaches what lies beneath
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void CreateRegionLabel(HINSTANCE instance) {
    WNDCLASSA labelClass = {};
    labelClass.lpfnWndProc = LabelProcedure;
    labelClass.hInstance = instance;
    labelClass.lpszClassName = labelClassName;
    RegisterClassA(&labelClass);
    regionLabel =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, labelClassName, "",
                        WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
}

void ShowLabelRegion(const char *text) {
    regionText = text;
    if (!noticeShown)
        SetLabelText(regionText);
}

void ShowLabelNotice(const char *text) {
    noticeShown = true;
    SetLabelText(text);
    SetTimer(regionLabel, NoticeTimerId, NoticeTime, nullptr);
}

void PlaceLabel(HWND frame) {
    labelFrame = frame;
    RECT place, label;
    GetWindowRect(frame, &place);
    GetWindowRect(regionLabel, &label);
    int width = label.right - label.left, height = label.bottom - label.top;
    int screenLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int screenTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int screenRight = screenLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int screenBottom = screenTop + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    int y = place.bottom + LabelGap;
    if (y + height > screenBottom)
        y = place.top - LabelGap - height;
    int x = std::max(screenLeft, std::min<int>(place.left, screenRight - width));
    y = std::max(screenTop, std::min(y, screenBottom - height));
    SetWindowPos(regionLabel, HWND_TOPMOST, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
