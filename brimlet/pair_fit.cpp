#include "pair_fit.h"

#include <dwmapi.h>

#include <vector>

#include "brimlet_texts.h"
#include "config/program_contract.h"
#include "recognition/pair_search.h"
#include "region_label.h"
#include "second_frame.h"
#include "surface.h"

static CaptureRegion nextBeforeFit;   // the next box's region that Ctrl+Z puts back
static CaptureRegion secondBeforeFit; // and the second box's, width 0 for none
static bool fitUndoable;              // they are there to put back

// The screen copied for a search, as the search reads it, and the rectangles left out in its
// coordinates.
struct ScreenArea {
    CaptureRegion place; // on the screen
    std::vector<uint32_t> pixels;
    std::vector<CaptureRegion> exclude;
};

// Copies the screen within the rectangle around the region (reach across and down on every side)
// and the virtual screen. Pixels inside the rectangles left out (screen coordinates) are not
// searched. False when nothing of it is on the screen.
static bool CopyAround(const CaptureRegion &region, int32_t across, int32_t down,
                       const std::vector<RECT> &leftOut, ScreenArea &area) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         top + GetSystemMetrics(SM_CYVIRTUALSCREEN)},
               around = {region.x - across, region.y - down, region.x + region.width + across,
                         region.y + region.height + down};
    RECT within = {};
    IntersectRect(&within, &around, &screen);
    area.place = {within.left, within.top, within.right - within.left, within.bottom - within.top};
    if (area.place.width <= 0 || area.place.height <= 0)
        return false;
    Surface copy;
    CreateSurface(copy, area.place.width, area.place.height, nullptr,
                  true); // as the search reads it
    if (copy.bitmap) {
        CopyScreen(copy, area.place);
        GdiFlush(); // the pixels are read straight from the section's memory; the search takes
        const uint32_t *bits = (const uint32_t *)copy.bits; // no notice of their undefined top byte
        area.pixels.assign(bits, bits + (size_t)area.place.width * (size_t)area.place.height);
    }
    DeleteSurface(copy);
    for (const RECT &out : leftOut)
        area.exclude.push_back({out.left - area.place.x, out.top - area.place.y,
                                out.right - out.left, out.bottom - out.top});
    return !area.pixels.empty();
}

// The region moved from one area's coordinates to another's.
static CaptureRegion Moved(CaptureRegion region, const CaptureRegion &from,
                           const CaptureRegion &to) {
    region.x += from.x - to.x;
    region.y += from.y - to.y;
    return region;
}

// Finds the pair nearest the region in the screen in and around it (its width and height on
// every side), then the second box's within four of that pair's widths; second is width 0 when
// fit tells of none. False when no pair is there.
static bool FindPairsAround(const CaptureRegion &region, const std::vector<RECT> &leftOut,
                            CaptureRegion &found, CaptureRegion &second, SecondPairFit &fit) {
    const CaptureRegion screen = {0, 0, 0, 0};
    ScreenArea area, beside;
    if (!CopyAround(region, region.width, region.height, leftOut, area) ||
        !FindPairNear(area.pixels.data(), area.place.width, area.place.height,
                      Moved(region, screen, area.place), area.exclude, found))
        return false;
    found = Moved(found, area.place, screen);
    fit = NoSecondPair;
    second = {};
    if (CopyAround(found, 4 * found.width, 4 * found.width, leftOut, beside))
        fit = FindSecondPair(beside.pixels.data(), beside.place.width, beside.place.height,
                             Moved(found, screen, beside.place), beside.exclude, second);
    second = fit == SecondPairFound ? Moved(second, beside.place, screen) : CaptureRegion{};
    return true;
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

// The pairs as the screen shows them beneath the frames and the label: they lie across the blobs
// they were placed around, and a blob cut by them is no blob. Tessivo's window, which draws the
// pairs it has recorded, is left out. The frame is see-through meanwhile, its shape kept to put
// back.
static bool FindPairsBeneath(HWND window, const CaptureRegion &next, bool secondShown,
                             CaptureRegion &found, CaptureRegion &second, SecondPairFit &fit) {
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(window, shape);
    SetWindowRgn(window, CreateRectRgn(0, 0, 0, 0), FALSE);
    ShowWindow(RegionLabelWindow(), SW_HIDE);
    HideSecondFrame(true);
    EnumWindows(AwaitRepaint, 0);
    DwmFlush(); // the screen composed again without them
    std::vector<RECT> leftOut(1);
    HWND tessivo = FindWindowW(tessivoClassName, nullptr);
    if (!tessivo || !GetWindowRect(tessivo, &leftOut[0]))
        leftOut.clear();
    const bool any = FindPairsAround(next, leftOut, found, second, fit);
    HideSecondFrame(!secondShown);
    ShowWindow(RegionLabelWindow(), SW_SHOWNOACTIVATE);
    SetWindowRgn(window, shape, TRUE); // the window owns the shape again
    return any;
}

bool FitToPair(HWND window, CaptureRegion &next, CaptureRegion &second) {
    CaptureRegion found, secondFound;
    SecondPairFit fit;
    if (!FindPairsBeneath(window, next, second.width > 0, found, secondFound, fit)) {
        ShowLabelNotice(brimletTexts->noPair);
        return false;
    }
    nextBeforeFit = next;
    secondBeforeFit = second;
    fitUndoable = true;
    next = found;
    second = secondFound;
    if (fit != SecondPairFound)
        ShowLabelNotice(fit == TwoSecondPairs ? brimletTexts->twoSeconds : brimletTexts->noSecond);
    return true;
}

bool UndoFit(CaptureRegion &next, CaptureRegion &second) {
    if (!fitUndoable)
        return false;
    fitUndoable = false;
    next = nextBeforeFit;
    second = secondBeforeFit;
    return true;
}
