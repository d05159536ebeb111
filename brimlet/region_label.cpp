#include "region_label.h"

#include <algorithm>
#include <string>

#include "display_scale.h"
#include "popup_window.h"
#include "scale_length.h"

const wchar_t labelClassName[] = L"RegionLabel";
const UINT_PTR NoticeTimerId = 1;
const UINT NoticeTime = 3000; // milliseconds a notice stays
const int LabelPadding = 4;
const int LabelGap = 2; // between the frame and the label
const COLORREF InkColour = RGB(0, 0, 0);

static HWND regionLabel;        // the label window; its text is what it shows
static std::wstring regionText; // the next box's numbers, as the frame's title
static bool noticeShown;        // a notice stands in place of the numbers
static RECT labelBeside;        // the part of the frame that shows, on the screen; empty: unknown
static RECT labelAvoids;        // the second frame, or nothing
static int labelDpi = 96;       // the display scale of the frame's monitor

void PaintPlate(HDC dc, HWND window, const RECT &area, RECT textArea, UINT format, int dpi,
                COLORREF colour) {
    wchar_t text[MAX_PATH + 64];
    GetWindowTextW(window, text, MAX_PATH + 64);
    FillWithColour(dc, area, colour);
    HGDIOBJ oldFont = SelectObject(dc, InterfaceFont(dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, InkColour);
    DrawTextW(dc, text, -1, &textArea, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

static void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT whole;
    GetClientRect(window, &whole);
    PaintPlate(dc, window, whole, whole, DT_CENTER, labelDpi);
    EndPaint(window, &paint);
}

// Sizes the label to its text, then places it.
static void SetLabelText(const std::wstring &text) {
    SetWindowTextW(regionLabel, text.c_str());
    const SIZE size = TextSize(regionLabel, labelDpi, text.c_str(), (int)text.size());
    const int padding = ScaleLength(LabelPadding, labelDpi);
    SetWindowPos(regionLabel, nullptr, 0, 0, size.cx + 2 * padding, size.cy + padding,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!IsRectEmpty(&labelBeside))
        PlaceLabel(labelBeside, labelAvoids);
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
    return DefWindowProcW(window, message, wParam, lParam);
}

void CreateRegionLabel(HINSTANCE instance) {
    regionLabel = CreatePopup(instance, labelClassName, LabelProcedure,
                              WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"", nullptr, {0, 0, 1, 1});
}

HWND RegionLabelWindow() {
    return regionLabel;
}

void ShowLabelRegion(const std::wstring &text) {
    regionText = text;
    if (!noticeShown)
        SetLabelText(regionText);
}

void ScaleLabel(int dpi) {
    labelDpi = dpi;
    wchar_t text[MAX_PATH + 64] = L"";
    GetWindowTextW(regionLabel, text, MAX_PATH + 64);
    SetLabelText(text);
}

void ShowLabelNotice(const std::wstring &text) {
    noticeShown = true;
    SetLabelText(text);
    SetTimer(regionLabel, NoticeTimerId, NoticeTime, nullptr);
}

void PlaceLabel(const RECT &shown, const RECT &avoid) {
    labelBeside = shown;
    labelAvoids = avoid;
    RECT label;
    GetWindowRect(regionLabel, &label);
    int width = label.right - label.left, height = label.bottom - label.top;
    int screenLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int screenTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int screenRight = screenLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int screenBottom = screenTop + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int gap = ScaleLength(LabelGap, labelDpi);
    int x = std::max(screenLeft, std::min<int>(shown.left, screenRight - width));
    int y = shown.bottom + gap;
    const RECT below = {x, y, x + width, y + height};
    RECT covered;
    if (y + height > screenBottom || IntersectRect(&covered, &below, &avoid))
        y = shown.top - gap - height;
    y = std::max(screenTop, std::min(y, screenBottom - height));
    SetWindowPos(regionLabel, HWND_TOPMOST, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
