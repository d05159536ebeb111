#include "frame_window.h"

#include <dwmapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "config/program_contract.h"
#include "config/settings_file.h"
#include "brimlet_texts.h"
#include "pair_fit.h"
#include "region_label.h"
#include "region_sender.h"
#include "display_scale.h"

const int FrameSide = 4;         // frame thickness beside the region, and opposite the band
const int FrameTop = 18;         // the band: its outer edge, then title and grip
const int CornerGrip = 16;       // how far along an edge its corner's resize reaches
const int CloseBoxSize = 14;     // the close box at the right end of the band
const int MinimumRegionSide = 8; // the region is never smaller than 8 x 8
const int LargestCoordinate = 32767;
const UINT_PTR CmdSave = 1; // the frame's menu
const UINT_PTR CmdClose = 2;
const UINT_PTR CmdFit = 3;

static CaptureRegion shownRegion;     // the region of the window's current place
static bool bandBelow;                // the band stands below the region: above it, it would be
                                      // off every monitor, and nothing would be left to grab
static int frameDpi = 96;             // the display scale of the frame's monitor
static CaptureRegion regionBeforeFit; // what Ctrl+Z puts back
static bool fitUndoable;              // regionBeforeFit is there to put back

// A length of the frame at 100 %, at the frame's scale. The region inside is in the screen's
// pixels at every scale.
static int Px(int length) {
    return MulDiv(length, frameDpi, 96);
}

static int MinimumWindowWidth() {
    return MinimumRegionSide + 2 * Px(FrameSide);
}
static int MinimumWindowHeight() {
    return MinimumRegionSide + 2 * Px(FrameTop);
}

// The window holds the region with room for the band both above and below it; its shape
// shows the band on one side only. The band then changes sides without the window moving,
// even in the middle of a drag.
static CaptureRegion RegionOfWindow(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    const int side = Px(FrameSide), top = Px(FrameTop);
    return {place.left + side, place.top + top, place.right - place.left - 2 * side,
            place.bottom - place.top - 2 * top};
}

// The part of a window of that size that shows: the region, the border and the band.
static RECT ShownFrame(int width, int height) {
    const int side = Px(FrameSide), top = Px(FrameTop);
    return bandBelow ? RECT{0, top - side, width, height} : RECT{0, 0, width, height - top + side};
}

// Above the region where the band's outer edge lies on a monitor, at the middle of the part of
// the region on its monitor; below it where it would not: a region may lie at a screen's very
// top, where a band above it could not be grabbed.
static bool BandFitsAbove(const CaptureRegion &region) {
    RECT inside = {region.x, region.y, region.x + region.width, region.y + region.height};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&inside, MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG left = std::max(inside.left, monitor.rcMonitor.left),
               right = std::min(inside.right, monitor.rcMonitor.right);
    const POINT edge = {(left + right) / 2, region.y - Px(FrameTop)};
    return MonitorFromPoint(edge, MONITOR_DEFAULTTONULL) != nullptr;
}

// Shapes the window as the frame alone, so that its inside shows what lies beneath
// and lets the mouse through.
static void ShapeFrame(HWND window, const CaptureRegion &region) {
    const int side = Px(FrameSide), top = Px(FrameTop);
    const int width = region.width + 2 * side, height = region.height + 2 * top;
    const RECT shown = ShownFrame(width, height);
    HRGN frame = CreateRectRgnIndirect(&shown);
    HRGN inside = CreateRectRgn(side, top, width - side, height - top);
    CombineRgn(frame, frame, inside, RGN_DIFF);
    DeleteObject(inside);
    SetWindowRgn(window, frame, TRUE); // the window owns the frame region from here on
}

// The close box, at the right end of the band beside the region; none when the band is too
// narrow to keep room for the grip.
static bool FindCloseBox(const RECT &shown, RECT &box) {
    const int side = Px(FrameSide), top = Px(FrameTop), size = Px(CloseBoxSize);
    if (shown.right - 2 * side < 3 * size)
        return false;
    const int inner = bandBelow ? shown.bottom - top : shown.top + top - size;
    box = {shown.right - side - size, inner, shown.right - side, inner + size};
    return true;
}

// The label beside the part of the frame that shows.
static void PlaceLabelBeside(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    RECT shown = ShownFrame(place.right - place.left, place.bottom - place.top);
    OffsetRect(&shown, place.left, place.top);
    PlaceLabel(shown);
}

// The frame around the shown region at the frame's scale, with the label beside it.
static void FitFrame(HWND window) {
    const CaptureRegion &region = shownRegion;
    const int side = Px(FrameSide), top = Px(FrameTop);
    ScaleLabel(frameDpi);
    bandBelow = !BandFitsAbove(region);
    SetWindowPos(window, nullptr, region.x - side, region.y - top, region.width + 2 * side,
                 region.height + 2 * top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShapeFrame(window, region);
    InvalidateRect(window, nullptr, FALSE);
    PlaceLabelBeside(window);
}

// A region that lies on no monitor (one unplugged since the region was saved) in the middle of
// the main one, its size kept; false for a region on a monitor, even in part, which stays.
static bool BringOntoMainMonitor(CaptureRegion &region) {
    const RECT inside = {region.x, region.y, region.x + region.width, region.y + region.height};
    if (MonitorFromRect(&inside, MONITOR_DEFAULTTONULL))
        return false;
    MONITORINFO main = {};
    main.cbSize = sizeof main;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &main);
    const RECT &screen = main.rcMonitor;
    region.x = (screen.left + screen.right - region.width) / 2;
    region.y = (screen.top + screen.bottom - region.height) / 2;
    return true;
}

// Made around the region at 100 %: the frame's scale is known once the window stands.
static void OnCreate(HWND window) {
    shownRegion = RegionOfWindow(window);
    frameDpi = WindowDpi(window);
    const bool brought = BringOntoMainMonitor(shownRegion);
    FitFrame(window);
    SendRegion(window, shownRegion, true); // the first record carries the whole region
    if (brought)                           // sent as any move; saved only by Enter
        ShowLabelNotice(Tell(brimletTexts->brought));
}

// Moved onto a monitor of another scale: the band, border and label at that scale around the
// same region, so the numbers sent and shown stay as they were.
static void OnDpiChanged(HWND window, WPARAM wParam) {
    frameDpi = HIWORD(wParam);
    FitFrame(window);
}

// Keeps the region in setting.ini for the next start of Tessivo and of Brimlet.
static void SaveShownRegion(HWND window) {
    std::wstring where;
    if (SaveRegion(shownRegion, where)) {
        ShowLabelNotice(Tell(brimletTexts->saved) + where);
        return;
    }
    std::wstring text = Tell(brimletTexts->notSaved) + L"\n" + where;
    MessageBoxW(window, text.c_str(), Tell(brimletTexts->errorCaption).c_str(),
                MB_OK | MB_ICONERROR);
}

// The frame around the region, as a move by hand would place it: the region is sent even when it
// is the one shown already, so that Tessivo surely has it.
static void PlaceFrameOn(HWND window, const CaptureRegion &region) {
    const bool same = !memcmp(&region, &shownRegion, sizeof region);
    const int side = Px(FrameSide), top = Px(FrameTop);
    SetWindowPos(window, nullptr, region.x - side, region.y - top, region.width + 2 * side,
                 region.height + 2 * top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (same)
        SendRegion(window, region, true);
}

// Waits until a shown window of another program has read its messages, the repaint of what the
// frame uncovered among them; a window that does not answer soon is not waited for.
static BOOL CALLBACK AwaitRepaint(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && IsWindowVisible(window))
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, nullptr);
    return TRUE;
}

// The pair nearest the region as the screen shows it beneath the frame and its label: they lie
// across the blobs they were placed around, and a blob cut by them is no blob. Tessivo's window,
// which draws the pairs it has recorded, is left out.
static bool FindPairBeneath(HWND window, CaptureRegion &found) {
    SetWindowRgn(window, CreateRectRgn(0, 0, 0, 0), FALSE); // shown again by the shape below
    ShowWindow(RegionLabelWindow(), SW_HIDE);
    EnumWindows(AwaitRepaint, 0);
    DwmFlush(); // the screen composed again without them
    std::vector<RECT> leftOut(1);
    HWND tessivo = FindWindowW(tessivoClassName, nullptr);
    if (!tessivo || !GetWindowRect(tessivo, &leftOut[0]))
        leftOut.clear();
    const bool any = FindPairAround(shownRegion, leftOut, found);
    ShapeFrame(window, shownRegion);
    PlaceLabelBeside(window);
    return any;
}

// Fits the region onto the game's pair nearest it; nothing found leaves it and says so.
static void FitToPair(HWND window) {
    CaptureRegion found;
    if (!FindPairBeneath(window, found)) {
        ShowLabelNotice(Tell(brimletTexts->noPair));
        return;
    }
    regionBeforeFit = shownRegion, fitUndoable = true;
    PlaceFrameOn(window, found);
}

static void UndoFit(HWND window) {
    if (!fitUndoable)
        return;
    fitUndoable = false;
    PlaceFrameOn(window, regionBeforeFit);
}

// The right button's menu on the frame: fit, save, close.
static void ShowFrameMenu(HWND window, LPARAM position) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, CmdFit, Tell(brimletTexts->fitItem).c_str());
    AppendMenuW(menu, MF_STRING, CmdSave, Tell(brimletTexts->saveItem).c_str());
    AppendMenuW(menu, MF_STRING, CmdClose, Tell(brimletTexts->closeItem).c_str());
    SetForegroundWindow(window); // so that the menu closes when the user clicks elsewhere
    UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, GET_X_LPARAM(position),
                                 GET_Y_LPARAM(position), 0, window, nullptr);
    DestroyMenu(menu);
    if (chosen == CmdFit)
        FitToPair(window);
    else if (chosen == CmdSave)
        SaveShownRegion(window);
    else if (chosen == CmdClose)
        PostMessageW(window, WM_CLOSE, 0, 0);
}

// Which side of a length a position lies on: -1 the start, 1 the end, 0 neither. A
// corner reaches CornerGrip along each edge, or half of a short one.
static int SideOf(int position, int length, int reach) {
    reach = std::min(reach, length / 2);
    return position < reach ? -1 : position >= length - reach ? 1 : 0;
}

// Edges and corners resize; the rest of the band moves; the close box closes.
static LRESULT HitTestFrame(HWND window, LPARAM position) {
    RECT place;
    GetWindowRect(window, &place);
    const RECT shown = ShownFrame(place.right - place.left, place.bottom - place.top);
    int x = GET_X_LPARAM(position) - place.left, y = GET_Y_LPARAM(position) - place.top;
    int width = shown.right, height = shown.bottom - shown.top;
    int onEdgeX = SideOf(x, width, Px(FrameSide));
    int onEdgeY = SideOf(y - shown.top, height, Px(FrameSide));
    if (onEdgeX != 0 || onEdgeY != 0) {
        static const LRESULT grips[3][3] = {{HTTOPLEFT, HTTOP, HTTOPRIGHT},
                                            {HTLEFT, HTCAPTION, HTRIGHT},
                                            {HTBOTTOMLEFT, HTBOTTOM, HTBOTTOMRIGHT}};
        int sideX = onEdgeX != 0 ? onEdgeX : SideOf(x, width, Px(CornerGrip));
        int sideY = onEdgeY != 0 ? onEdgeY : SideOf(y - shown.top, height, Px(CornerGrip));
        return grips[sideY + 1][sideX + 1];
    }
    RECT box;
    POINT point = {x, y};
    if (FindCloseBox(shown, box) && PtInRect(&box, point))
        return HTCLOSE;
    return HTCAPTION;
}

static void OnGetMinMaxInfo(MINMAXINFO *limits) {
    limits->ptMinTrackSize = {MinimumWindowWidth(), MinimumWindowHeight()};
}

// Programmatic sizes pass here too, not only the mouse's: keep the region 8 x 8 at least.
static void OnWindowPosChanging(WINDOWPOS *change) {
    if (change->flags & SWP_NOSIZE)
        return;
    change->cx = std::max(change->cx, MinimumWindowWidth());
    change->cy = std::max(change->cy, MinimumWindowHeight());
}

static void OnWindowPosChanged(HWND window) {
    CaptureRegion region = RegionOfWindow(window);
    bool moved = region.x != shownRegion.x || region.y != shownRegion.y;
    bool resized = region.width != shownRegion.width || region.height != shownRegion.height;
    if (!moved && !resized)
        return;
    // Recorded before shaping: shaping repositions the window and comes back here.
    shownRegion = region;
    SendRegion(window, region, resized);
    const bool below = !BandFitsAbove(region);
    if (resized || below != bandBelow) {
        bandBelow = below;
        ShapeFrame(window, region);
        InvalidateRect(window, nullptr, FALSE);
    }
    PlaceLabelBeside(window);
}

// Arrows move by one pixel; with Shift, right and down grow, left and up shrink. F fits the
// region to the pair, Ctrl+Z puts back the region before the fit. Enter saves the region, Escape
// closes.
static void OnKeyDown(HWND window, WPARAM key) {
    if (key == VK_ESCAPE) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return;
    }
    if (key == 'F') {
        FitToPair(window);
        return;
    }
    if (key == 'Z' && GetKeyState(VK_CONTROL) < 0) {
        UndoFit(window);
        return;
    }
    if (key == VK_RETURN) {
        SaveShownRegion(window);
        return;
    }
    int dx = key == VK_RIGHT ? 1 : key == VK_LEFT ? -1 : 0;
    int dy = key == VK_DOWN ? 1 : key == VK_UP ? -1 : 0;
    if (dx == 0 && dy == 0)
        return;
    RECT place;
    GetWindowRect(window, &place);
    const UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
    if (GetKeyState(VK_SHIFT) < 0)
        SetWindowPos(window, nullptr, 0, 0, place.right - place.left + dx,
                     place.bottom - place.top + dy, keep | SWP_NOMOVE);
    else
        SetWindowPos(window, nullptr, place.left + dx, place.top + dy, 0, 0, keep | SWP_NOSIZE);
}

static void DrawCloseBox(HDC dc, const RECT &box) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const int in = Px(3);
    for (int shift = 0; shift < Px(2); ++shift) { // strokes side by side: easier to see
        MoveToEx(dc, box.left + in + shift, box.top + in, nullptr);
        LineTo(dc, box.right - in + shift, box.bottom - in);
        MoveToEx(dc, box.right - in - 1 + shift, box.top + in, nullptr);
        LineTo(dc, box.left + in - 1 + shift, box.bottom - in);
    }
    SelectObject(dc, oldPen);
}

// The window region clips everything to the frame: fill it all, then write the title.
static void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT whole;
    GetClientRect(window, &whole);
    whole = ShownFrame(whole.right, whole.bottom);
    RECT band = {Px(FrameSide), bandBelow ? whole.bottom - Px(FrameTop) : 0,
                 whole.right - Px(FrameSide), bandBelow ? whole.bottom : Px(FrameTop)},
         box;
    bool closeBox = FindCloseBox(whole, box);
    if (closeBox)
        band.right = box.left;
    wchar_t title[96];
    GetWindowTextW(window, title, 96);
    PaintPlate(dc, whole, title, band, DT_END_ELLIPSIS, frameDpi);
    if (closeBox)
        DrawCloseBox(dc, box);
    EndPaint(window, &paint);
}

static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_NCHITTEST:
        return HitTestFrame(window, lParam);
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCLOSE)
            return 0; // closes on release, as a close box does
        break;
    case WM_NCLBUTTONUP:
        if (wParam != HTCLOSE)
            break;
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_NCRBUTTONUP:
    case WM_CONTEXTMENU:
        ShowFrameMenu(window, message == WM_CONTEXTMENU && lParam == -1 ? GetMessagePos() : lParam);
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo((MINMAXINFO *)lParam);
        return 0;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging((WINDOWPOS *)lParam);
        return 0;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(window);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(window, wParam);
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, wParam);
        return 0;
    case WM_TIMER:
        if (wParam == RetryTimerId)
            RetryUnsentRegion(window);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Tessivo takes 16-bit values: a region outside that range could not be sent as it is.
static int ClampCoordinate(int32_t value, int lowest) {
    return std::clamp<int32_t>(value, lowest, LargestCoordinate);
}

HWND CreateFrameWindow(HINSTANCE instance, const CaptureRegion &region) {
    WNDCLASSW frameClass = {};
    frameClass.lpfnWndProc = WindowProcedure;
    frameClass.hInstance = instance;
    frameClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    frameClass.lpszClassName = brimletClassName;
    if (!RegisterClassW(&frameClass))
        return nullptr;
    CreateRegionLabel(instance);
    int x = ClampCoordinate(region.x, -LargestCoordinate - 1);
    int y = ClampCoordinate(region.y, -LargestCoordinate - 1);
    int width = ClampCoordinate(region.width, MinimumRegionSide);
    int height = ClampCoordinate(region.height, MinimumRegionSide);
    return CreateWindowExW(WS_EX_TOPMOST, brimletClassName, L"", WS_POPUP, x - FrameSide,
                           y - FrameTop, width + 2 * FrameSide, height + 2 * FrameTop, nullptr,
                           nullptr, instance, nullptr);
}
