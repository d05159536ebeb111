#include "pair_fit.h"

#include <dwmapi.h>

#include <vector>

#include "brimlet_texts.h"
#include "config/program_contract.h"
#include "frame_shape.h"
#include "recognition/pair_search.h"
#include "region_label.h"
#include "surface.h"

static CaptureRegion regionBeforeFit; // what Ctrl+Z puts back
static bool fitUndoable;              // regionBeforeFit is there to put back

// The rectangle of the screen searched: the region's width and height on every side of it,
// within the virtual screen.
static RECT AreaAround(const CaptureRegion &region) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         top + GetSystemMetrics(SM_CYVIRTUALSCREEN)},
               around = {region.x - region.width, region.y - region.height,
                         region.x + 2 * region.width, region.y + 2 * region.height};
    RECT area = {};
    IntersectRect(&area, &around, &screen);
    return area;
}

// Captures the screen in and around the region, in the screen's pixels, and finds the pair nearest
// the region's centre there. Pixels inside the rectangles left out (screen coordinates) are not
// searched. False when no pair is there.
static bool FindPairAround(const CaptureRegion &region, const std::vector<RECT> &leftOut,
                           CaptureRegion &found) {
    const RECT area = AreaAround(region);
    const CaptureRegion copied = {area.left, area.top, area.right - area.left,
                                  area.bottom - area.top};
    if (copied.width <= 0 || copied.height <= 0)
        return false;
    Surface screen;
    CreateSurface(screen, copied.width, copied.height, nullptr, true); // as the search reads it
    if (!screen.bitmap) {
        DeleteSurface(screen);
        return false;
    }
    CopyScreen(screen, copied);
    GdiFlush(); // the pixels are read straight from the section's memory; the search takes
    const uint32_t *pixels = (const uint32_t *)screen.bits; // no notice of their undefined top byte
    std::vector<CaptureRegion> exclude;
    for (const RECT &out : leftOut)
        exclude.push_back(
            {out.left - copied.x, out.top - copied.y, out.right - out.left, out.bottom - out.top});
    const CaptureRegion inArea = {region.x - copied.x, region.y - copied.y, region.width,
                                  region.height};
    const bool any = FindPairNear(pixels, copied.width, copied.height, inArea, exclude, found);
    found.x += copied.x;
    found.y += copied.y;
    DeleteSurface(screen);
    return any;
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
    const bool any = FindPairAround(frame.region, leftOut, found);
    ShapeFrame(window);
    PlaceLabelBeside(window);
    return any;
}

void FitToPair(HWND window) {
    CaptureRegion found;
    if (!FindPairBeneath(window, found)) {
        ShowLabelNotice(brimletTexts->noPair);
        return;
    }
    regionBeforeFit = frame.region;
    fitUndoable = true;
    PlaceFrameOn(window, found);
}

void UndoFit(HWND window) {
    if (!fitUndoable)
        return;
    fitUndoable = false;
    PlaceFrameOn(window, regionBeforeFit);
}
