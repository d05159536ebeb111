#include "frame_window.h"

#include <windowsx.h>

#include <algorithm>

#include "brimlet_texts.h"
#include "config/program_contract.h"
#include "display_scale.h"
#include "frame_commands.h"
#include "frame_geometry.h"
#include "frame_shape.h"
#include "monitor_placement.h"
#include "region_label.h"
#include "region_sender.h"
#include "second_frame.h"

const int LargestCoordinate = 32767;

// Tessivo takes 16-bit values: a region outside that range could not be sent as it is.
static CaptureRegion ClampRegion(const CaptureRegion &region) {
    auto clamp = [](int32_t value, int lowest) {
        return std::clamp<int32_t>(value, lowest, LargestCoordinate);
    };
    return {clamp(region.x, -LargestCoordinate - 1), clamp(region.y, -LargestCoordinate - 1),
            clamp(region.width, MinimumRegionSide), clamp(region.height, MinimumRegionSide)};
}

// Made around the region at 100 %: the frame's scale is known once the window stands. The
// second box's region comes with the creation; a region brought back from no monitor brings the
// second box along, so that it stays beside the next box instead of where no screen shows it.
static void OnCreate(HWND window, const CREATESTRUCTW *creation) {
    frame.region = RegionOfWindow(window);
    frame.dpi = WindowDpi(window);
    const CaptureRegion saved = frame.region;
    const bool brought = BringOntoMainMonitor(frame.region);
    CaptureRegion second = *(const CaptureRegion *)creation->lpCreateParams;
    if (brought && second.width > 0)
        second = ClampRegion({second.x + frame.region.x - saved.x,
                              second.y + frame.region.y - saved.y, second.width, second.height});
    CreateSecondFrame(window, second);
    FitFrame(window);
    SendRegion(window, frame.region, true); // the first record carries the whole region
    if (brought)                            // sent as any move; saved only by Enter
        ShowLabelNotice(brimletTexts->brought);
}

// Moved onto a monitor of another scale: the band, border and label at that scale around the
// same region, so the numbers sent and shown stay as they were.
static void OnDpiChanged(HWND window, WPARAM wParam) {
    frame.dpi = HIWORD(wParam);
    FitFrame(window);
    PlaceSecondFrame(SecondRegion());
}

// The platform's codes in the order of FrameHit.
static LRESULT HitTestFrame(HWND window, LPARAM position) {
    static const LRESULT codes[] = {HTTOPLEFT, HTTOP,        HTTOPRIGHT, HTLEFT,        HTCAPTION,
                                    HTRIGHT,   HTBOTTOMLEFT, HTBOTTOM,   HTBOTTOMRIGHT, HTCLOSE};
    RECT place;
    GetWindowRect(window, &place);
    return codes[HitFrame(GET_X_LPARAM(position) - place.left, GET_Y_LPARAM(position) - place.top,
                          place.right - place.left, place.bottom - place.top, frame.bandBelow,
                          frame.dpi)];
}

static void OnGetMinMaxInfo(MINMAXINFO *limits) {
    limits->ptMinTrackSize = {MinimumWindowWidth(frame.dpi), MinimumWindowHeight(frame.dpi)};
}

// Programmatic sizes pass here too, not only the mouse's: keep the region 8 x 8 at least.
static void OnWindowPosChanging(WINDOWPOS *change) {
    if (change->flags & SWP_NOSIZE)
        return;
    change->cx = std::max(change->cx, MinimumWindowWidth(frame.dpi));
    change->cy = std::max(change->cy, MinimumWindowHeight(frame.dpi));
}

static void OnWindowPosChanged(HWND window) {
    const CaptureRegion region = RegionOfWindow(window);
    const bool moved = region.x != frame.region.x || region.y != frame.region.y;
    const bool resized = region.width != frame.region.width || region.height != frame.region.height;
    if (!moved && !resized)
        return;
    // Recorded before shaping: shaping repositions the window and comes back here.
    frame.region = region;
    SendRegion(window, region, resized);
    const bool below = !BandFitsAbove(region, frame.dpi);
    if (resized || below != frame.bandBelow) {
        frame.bandBelow = below;
        ShapeFrame(window);
        InvalidateRect(window, nullptr, FALSE);
    }
    PlaceLabelBeside(window);
}

static void OnKeyDown(HWND window, WPARAM key) {
    POINT step = {};
    const FrameCommand command = CommandOfKey(key, step);
    RunFrameCommand(window, command, step);
}

// The menu at the mouse, or at the mouse's last place when the keyboard asked for it.
static void OnContextMenu(HWND window, UINT message, LPARAM position) {
    if (message == WM_CONTEXTMENU && position == -1)
        position = GetMessagePos();
    RunFrameCommand(window, ChooseFromMenu(window, position));
}

static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window, (const CREATESTRUCTW *)lParam);
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
        RunFrameCommand(window, CmdClose);
        return 0;
    case WM_NCRBUTTONUP:
    case WM_CONTEXTMENU:
        OnContextMenu(window, message, lParam);
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
        PaintFrame(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateFrameWindow(HINSTANCE instance, const CaptureRegion &region,
                       const CaptureRegion &second) {
    WNDCLASSW frameClass = {};
    frameClass.lpfnWndProc = WindowProcedure;
    frameClass.hInstance = instance;
    frameClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    frameClass.lpszClassName = brimletClassName;
    if (!RegisterClassW(&frameClass))
        return nullptr;
    CreateRegionLabel(instance);
    const CaptureRegion clamped = ClampRegion(region);
    CaptureRegion secondClamped = {}; // width 0: none
    if (second.width > 0 && second.height > 0)
        secondClamped = ClampRegion(second);
    const Edges around = WindowAround(clamped, 96); // the scale is known once it stands
    return CreateWindowExW(WS_EX_TOPMOST, brimletClassName, L"", WS_POPUP, around.left, around.top,
                           around.right - around.left, around.bottom - around.top, nullptr, nullptr,
                           instance, &secondClamped);
}
