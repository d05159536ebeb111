#include "frame_window.h"

#include <windowsx.h>

#include <algorithm>

#include "config/settings_file.h"
#include "brimlet_texts.h"
#include "region_label.h"
#include "region_sender.h"
#include "display_scale.h"

const wchar_t frameClassName[] = L"Brimlet";

const int FrameSide = 4;         // frame thickness left, right and below the region
const int FrameTop = 18;         // the band above the region: top edge, then title and grip
const int CornerGrip = 16;       // how far along an edge its corner's resize reaches
const int CloseBoxSize = 14;     // the close box at the right end of the band
const int MinimumRegionSide = 8; // the region is never smaller than 8 x 8
const int LargestCoordinate = 32767;
const UINT_PTR CmdSave = 1; // the frame's menu
const UINT_PTR CmdClose = 2;

static CaptureRegion shownRegion; // the region of the window's current place
static int frameDpi = 96;         // the display scale of the frame's monitor

// A length of the frame at 100 %, at the frame's scale. The region inside is in the screen's
// pixels at every scale.
static int Px(int length) {
    return MulDiv(length, frameDpi, 96);
}

static int MinimumWindowWidth() {
    return MinimumRegionSide + 2 * Px(FrameSide);
}
static int MinimumWindowHeight() {
    return MinimumRegionSide + Px(FrameTop) + Px(FrameSide);
}

// The region is the rectangle inside the frame.
static CaptureRegion RegionOfWindow(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    const int side = Px(FrameSide), top = Px(FrameTop);
    return {place.left + side, place.top + top, place.right - place.left - 2 * side,
            place.bottom - place.top - top - side};
}

// Shapes the window as the frame alone, so that its inside shows what lies beneath
// and lets the mouse through.
static void ShapeFrame(HWND window, const CaptureRegion &region) {
    const int side = Px(FrameSide), top = Px(FrameTop);
    const int width = region.width + 2 * side, height = region.height + top + side;
    HRGN frame = CreateRectRgn(0, 0, width, height);
    HRGN inside = CreateRectRgn(side, top, width - side, height - side);
    CombineRgn(frame, frame, inside, RGN_DIFF);
    DeleteObject(inside);
    SetWindowRgn(window, frame, TRUE); // the window owns the frame region from here on
}

// The close box, at the right end of the band; none when the band is too narrow to
// keep room for the grip.
static bool FindCloseBox(int width, RECT &box) {
    const int side = Px(FrameSide), top = Px(FrameTop), size = Px(CloseBoxSize);
    if (width - 2 * side < 3 * size)
        return false;
    box = {width - side - size, top - size, width - side, top};
    return true;
}

// The frame around the shown region at the frame's scale, with the label beside it.
static void FitFrame(HWND window) {
    const CaptureRegion &region = shownRegion;
    const int side = Px(FrameSide), top = Px(FrameTop);
    ScaleLabel(frameDpi);
    SetWindowPos(window, nullptr, region.x - side, region.y - top, region.width + 2 * side,
                 region.height + top + side, SWP_NOZORDER | SWP_NOACTIVATE);
    ShapeFrame(window, region);
    InvalidateRect(window, nullptr, FALSE);
    PlaceLabel(window);
}

// Made around the region at 100 %: the frame's scale is known once the window stands.
static void OnCreate(HWND window) {
    shownRegion = RegionOfWindow(window);
    frameDpi = WindowDpi(window);
    FitFrame(window);
    SendRegion(window, shownRegion, true); // the first record carries the whole region
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

// The right button's menu on the frame: save, close.
static void ShowFrameMenu(HWND window, LPARAM position) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, CmdSave, Tell(brimletTexts->saveItem).c_str());
    AppendMenuW(menu, MF_STRING, CmdClose, Tell(brimletTexts->closeItem).c_str());
    SetForegroundWindow(window); // so that the menu closes when the user clicks elsewhere
    UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, GET_X_LPARAM(position),
                                 GET_Y_LPARAM(position), 0, window, nullptr);
    DestroyMenu(menu);
    if (chosen == CmdSave)
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
    int x = GET_X_LPARAM(position) - place.left, y = GET_Y_LPARAM(position) - place.top;
    int width = place.right - place.left, height = place.bottom - place.top;
    int onEdgeX = SideOf(x, width, Px(FrameSide)), onEdgeY = SideOf(y, height, Px(FrameSide));
    if (onEdgeX != 0 || onEdgeY != 0) {
        static const LRESULT grips[3][3] = {{HTTOPLEFT, HTTOP, HTTOPRIGHT},
                                            {HTLEFT, HTCAPTION, HTRIGHT},
                                            {HTBOTTOMLEFT, HTBOTTOM, HTBOTTOMRIGHT}};
        int sideX = onEdgeX != 0 ? onEdgeX : SideOf(x, width, Px(CornerGrip));
        int sideY = onEdgeY != 0 ? onEdgeY : SideOf(y, height, Px(CornerGrip));
        return grips[sideY + 1][sideX + 1];
    }
    RECT box;
    POINT point = {x, y};
    if (FindCloseBox(width, box) && PtInRect(&box, point))
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
    if (resized)
        ShapeFrame(window, region);
    PlaceLabel(window);
}

// Arrows move by one pixel; with Shift, right and down grow, left and up shrink. Enter
// saves the region, Escape closes.
static void OnKeyDown(HWND window, WPARAM key) {
    if (key == VK_ESCAPE) {
        PostMessageW(window, WM_CLOSE, 0, 0);
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
    RECT band = {Px(FrameSide), 0, whole.right - Px(FrameSide), Px(FrameTop)}, box;
    bool closeBox = FindCloseBox(whole.right, box);
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
    frameClass.lpszClassName = frameClassName;
    if (!RegisterClassW(&frameClass))
        return nullptr;
    CreateRegionLabel(instance);
    int x = ClampCoordinate(region.x, -LargestCoordinate - 1);
    int y = ClampCoordinate(region.y, -LargestCoordinate - 1);
    int width = ClampCoordinate(region.width, MinimumRegionSide);
    int height = ClampCoordinate(region.height, MinimumRegionSide);
    return CreateWindowExW(WS_EX_TOPMOST, frameClassName, L"", WS_POPUP, x - FrameSide,
                           y - FrameTop, width + 2 * FrameSide, height + FrameTop + FrameSide,
                           nullptr, nullptr, instance, nullptr);
}
