#include "frame_window.h"

#include <algorithm>

#include "brimlet_texts.h"
#include "config/program_contract.h"
#include "display_scale.h"
#include "frame_commands.h"
#include "frame_geometry.h"
#include "frame_shape.h"
#include "monitor_placement.h"
#include "pair_fit.h"
#include "popup_window.h"
#include "region_label.h"
#include "region_sender.h"
#include "second_frame.h"

const int LargestCoordinate = 32767;

// What the frames show and Tessivo is sent: the window changes it, and shows and sends it after.
struct Regions {
    CaptureRegion next;   // the next box's region, inside the frame
    CaptureRegion second; // the second box's region, inside the second frame; width 0: none
    int dpi;              // the display scale of the frame's monitor, both frames' scale
};

static Regions regions = {{}, {}, 96}; // both frames' regions, which Tessivo has or is to have

// Tessivo takes 16-bit values: a region outside that range could not be sent as it is.
static CaptureRegion ClampRegion(const CaptureRegion &region) {
    auto clamp = [](int32_t value, int lowest) {
        return std::clamp<int32_t>(value, lowest, LargestCoordinate);
    };
    return {clamp(region.x, -LargestCoordinate - 1), clamp(region.y, -LargestCoordinate - 1),
            clamp(region.width, MinimumRegionSide), clamp(region.height, MinimumRegionSide)};
}

// The label beside the part of the frame that shows, clear of the second frame.
static void PlaceLabelBeside(HWND window) {
    PlaceLabel(FrameOnScreen(window, regions.dpi), SecondFrameArea());
}

// After any change of the regions: Tessivo has them, and the label keeps to the frames.
static void SendRegionsAndPlaceLabel(HWND window, bool resize) {
    SendRegions(window, regions.next, regions.second, resize);
    PlaceLabelBeside(window);
}

// The second frame on the region, or none for a width of 0.
static void PlaceSecond(HWND window, const CaptureRegion &second) {
    regions.second = second.width > 0 && second.height > 0 ? second : CaptureRegion{};
    ShowSecondFrame(regions.second, regions.dpi);
    SendRegionsAndPlaceLabel(window, false);
}

// Both frames on the regions, as moves by hand would place them: sent even when the frame stays
// where it is, so that Tessivo surely has them.
static void PlaceFrames(HWND window, const CaptureRegion &next, const CaptureRegion &second) {
    const bool stays = SameRegion(next, regions.next);
    PlaceSecond(window, second);
    PlaceFrame(window, next, regions.dpi); // a move comes back as WM_WINDOWPOSCHANGED
    if (stays)
        SendRegionsAndPlaceLabel(window, true);
}

// The band, border and label at the scale around the regions.
static void FitFrames(HWND window) {
    ScaleLabel(regions.dpi);
    PlaceFrame(window, regions.next, regions.dpi);
    ShapeFrame(window, regions.next, regions.dpi, true);
    ShowSecondFrame(regions.second, regions.dpi);
    PlaceLabelBeside(window);
}

// Made around the region at 100 %: the frame's scale is known once the window stands. A region
// brought back from no monitor brings the second box along, so that it stays beside the next box
// instead of where no screen shows it.
static void OnCreate(HWND window) {
    regions.dpi = WindowDpi(window);
    const CaptureRegion saved = regions.next;
    const bool brought = BringOntoMainMonitor(regions.next);
    CaptureRegion &second = regions.second;
    if (brought && second.width > 0)
        second = ClampRegion({second.x + regions.next.x - saved.x,
                              second.y + regions.next.y - saved.y, second.width, second.height});
    CreateSecondFrame(window);
    FitFrames(window);
    SendRegions(window, regions.next, second, true); // the first record carries the whole region
    if (brought)                                     // sent as any move; saved only by Enter
        ShowLabelNotice(brimletTexts->brought);
}

// Moved onto a monitor of another scale: the band, border and label at that scale around the
// same regions, so the numbers sent and shown stay as they were.
static void OnDpiChanged(HWND window, WPARAM wParam) {
    regions.dpi = HIWORD(wParam);
    FitFrames(window);
}

static void OnGetMinMaxInfo(MINMAXINFO *limits) {
    limits->ptMinTrackSize = {MinimumWindowWidth(regions.dpi), MinimumWindowHeight(regions.dpi)};
}

// Programmatic sizes pass here too, not only the mouse's: keep the region 8 x 8 at least.
static void OnWindowPosChanging(WINDOWPOS *change) {
    if (change->flags & SWP_NOSIZE)
        return;
    change->cx = std::max(change->cx, MinimumWindowWidth(regions.dpi));
    change->cy = std::max(change->cy, MinimumWindowHeight(regions.dpi));
}

static void OnWindowPosChanged(HWND window) {
    const CaptureRegion region = RegionOfWindow(window, regions.dpi);
    if (SameRegion(region, regions.next))
        return;
    const bool resized = region.width != regions.next.width || region.height != regions.next.height;
    // Recorded before shaping: shaping repositions the window and comes back here.
    regions.next = region;
    ShapeFrame(window, region, regions.dpi, resized);
    SendRegionsAndPlaceLabel(window, resized);
}

// The second frame moved: by a drag, which takes the second box's region along, or by being placed
// on the region it has already.
static void OnSecondFrameMoved(HWND window) {
    const CaptureRegion region = SecondRegionOfWindow(regions.second);
    if (regions.second.width == 0 || SameRegion(region, regions.second))
        return;
    regions.second = region;
    SendRegionsAndPlaceLabel(window, false);
}

// S: a second frame by hand, half the frame's size beside it on the right, chosen for the arrows
// to move and size onto what shows of the second box; or, when there is one, taken away.
static void PlaceSecondByHand(HWND window) {
    const CaptureRegion &next = regions.next;
    const CaptureRegion byHand = {next.x + next.width + next.width / 4, next.y + next.height / 4,
                                  std::max<int32_t>(next.width / 2, MinimumRegionSide),
                                  std::max<int32_t>(next.height / 2, MinimumRegionSide)};
    PlaceSecond(window, regions.second.width > 0 ? CaptureRegion{} : byHand);
    ChooseSecondFrame(regions.second.width > 0);
}

// An arrow's step: the frame moved by it, or sized by it with its top left corner kept; the second
// frame when Tab has chosen it.
static void StepFrame(HWND window, bool resize, POINT step) {
    CaptureRegion stepped = SecondFrameChosen() ? regions.second : regions.next;
    if (resize) {
        stepped.width = std::max<int32_t>(stepped.width + step.x, MinimumRegionSide);
        stepped.height = std::max<int32_t>(stepped.height + step.y, MinimumRegionSide);
    } else {
        stepped.x += step.x;
        stepped.y += step.y;
    }
    if (SecondFrameChosen())
        PlaceSecond(window, stepped);
    else
        PlaceFrame(window, stepped, regions.dpi);
}

// F, or Ctrl+Z: both frames on the pairs the screen shows, or back where they were before.
static void FitOrUndo(HWND window, bool undo) {
    CaptureRegion next = regions.next, second = regions.second;
    if (undo ? UndoFit(next, second) : FitToPair(window, next, second))
        PlaceFrames(window, next, second);
}

static void RunFrameCommand(HWND window, FrameCommand command, POINT step = {}) {
    switch (command) {
    case CmdNone:
        return;
    case CmdSave:
        SaveRegions(window, regions.next, regions.second);
        return;
    case CmdClose:
        PostMessageW(window, WM_CLOSE, 0, 0);
        return;
    case CmdFit:
    case CmdUndoFit:
        FitOrUndo(window, command == CmdUndoFit);
        return;
    case CmdSwitchFrame:
        ChooseSecondFrame(!SecondFrameChosen() && regions.second.width > 0);
        return;
    case CmdSecondFrame:
        PlaceSecondByHand(window);
        return;
    case CmdMove:
    case CmdResize:
        StepFrame(window, command == CmdResize, step);
        return;
    }
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
    RunFrameCommand(window, ChooseFromMenu(window, position, regions.second.width > 0));
}

static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_NCHITTEST:
        return HitTestFrame(window, lParam, regions.dpi);
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
    case FrameForwardMessage:
        SetForegroundWindow(window);
        return 0;
    case SecondFrameMoved:
        OnSecondFrameMoved(window);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(window, wParam);
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, wParam);
        return 0;
    case WM_TIMER:
        if (wParam == RetryTimerId)
            RetryUnsentRegions(window, regions.next, regions.second);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        PaintFrame(window, regions.dpi);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateFrameWindow(HINSTANCE instance, const CaptureRegion &next, const CaptureRegion &second) {
    CreateRegionLabel(instance);
    regions.next = ClampRegion(next);
    if (second.width > 0 && second.height > 0)
        regions.second = ClampRegion(second);
    const Edges around = WindowAround(regions.next, 96); // the scale is known once it stands
    return CreatePopup(instance, brimletClassName, WindowProcedure, 0, L"", nullptr,
                       {around.left, around.top, around.right, around.bottom});
}
