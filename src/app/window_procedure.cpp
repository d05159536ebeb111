#include "app/window_procedure.h"

#include <string>

#include "app/picture.h"
#include "app/surface.h"
#include "app/texts.h"
#include "config/region_link.h"
#include "config/settings_file.h"
#include "recognition/pair_watch.h"
#include "recognition/recogniser.h"
#include "record/link_text.h"
#include "record/move_record.h"
#include "record/simulator_link.h"
#include "tessivo.h"

HWND desktopWindow;

static void StartUp(HWND window) {
    LoadSettings(settings);
    PickTexts(settings.language); // before the buttons are made
    // Told once the window stands with its buttons, not in the middle of its creation.
    if (settings.hostGiven && !UseSimulatorHost(settings.simulatorHost))
        PostMessageW(window, RefusedHostMessage, 0, 0);
    CreateSurface(backBuffer, 1200, 400, window);
    CreateSurface(captureSurface, 50, 100, desktopWindow);
    CreateSurface(hueView, 50, 100, desktopWindow);
    CreateSurface(classView, 50, 100, desktopWindow);
    // Fails silently when another program (or another Tessivo) holds Alt+F1:
    // the capture button still works.
    RegisterHotKey(window, (int)HotkeyCaptureId, MOD_ALT, VK_F1);
    RegisterHotKey(window, (int)HotkeyAutoId, MOD_ALT, VK_F2); // the setting works without it
    OpenRegionLink();
    SetTimer(window, SamplingTimerId, (UINT)settings.interval, nullptr);
}

// A region with no pixels has nothing to copy, and one wider or taller than 32767
// pixels either way cannot be copied: some display drivers end the process on
// either. The sample then keeps what it last held. Negative sizes mirror the copy.
static bool RegionCanBeSampled(const CaptureRegion &region) {
    const int32_t largest = 32767;
    return region.width != 0 && region.height != 0 && region.width >= -largest &&
           region.width <= largest && region.height >= -largest && region.height <= largest;
}

// The picture shows the new pair at the next tick; no repaint is asked for here.
static void Capture() {
    AppendPair(RecognisePair(captureSurface));
}

// With auto capture on, a new pair that has settled in the sample is captured as
// Alt+F1 would. A moved region shows another picture, not a new pair.
static void WatchForNewPair() {
    static CaptureRegion watchedRegion; // the region of the last tick
    const CaptureRegion &region = settings.region;
    bool moved = region.x != watchedRegion.x || region.y != watchedRegion.y ||
                 region.width != watchedRegion.width || region.height != watchedRegion.height;
    watchedRegion = region;
    if (!settings.autoCapture)
        return;
    if (moved)
        RestartPairWatch();
    // The watch reads the sample's pixels from memory: one call a pixel would cost every
    // tick what a capture costs.
    GdiFlush();
    const uint32_t *pixels = static_cast<const uint32_t *>(captureSurface.bits);
    if (WatchPair(SightPair(pixels, captureSurface.width, captureSurface.height),
                  settings.settleTicks))
        Capture();
}

// Only the picture below the button row: the buttons never change on a tick, and
// repainting them 40 times a second cost more than the rest of an idle tick.
static void InvalidatePicture(HWND window) {
    RECT picture;
    GetClientRect(window, &picture);
    picture.top = PictureTop;
    InvalidateRect(window, &picture, FALSE);
}

// A region received since the last tick is applied before this tick's sample.
static void TakeSample(HWND window) {
    PollRegionLink();
    const CaptureRegion &region = settings.region;
    if (RegionCanBeSampled(region)) {
        HDC screen = GetDC(desktopWindow);
        StretchBlt(captureSurface.dc, 0, 0, captureSurface.width, captureSurface.height, screen,
                   region.x, region.y, region.width, region.height, SRCCOPY);
        ReleaseDC(desktopWindow, screen);
    }
    WatchForNewPair();
    InvalidatePicture(window);
}

static void ExportLink(HWND window) {
    LinkExport result = BuildSimulatorLink(window);
    if (!result.copied) {
        MessageBoxW(window, Say(texts->copyFailed).c_str(), Say(texts->errorCaption).c_str(),
                    MB_OK | MB_ICONWARNING);
        return;
    }
    std::wstring notice = Say(texts->copied);
    if (!result.complete)
        notice += Say(texts->cutOpening) + std::to_wstring(result.pairsWritten) +
                  Say(texts->cutClosing);
    MessageBoxW(window, notice.c_str(), Say(texts->confirmCaption).c_str(), MB_OK);
}

// The host of [LINK] that the link does not use, named with its key.
static void ReportRefusedHost(HWND window) {
    std::wstring notice =
        Say(texts->hostOpening) + settings.simulatorHost + Say(texts->hostClosing);
    MessageBoxW(window, notice.c_str(), Say(texts->errorCaption).c_str(), MB_OK | MB_ICONWARNING);
}

// Every press starts one more instance; the platform looks beside this program first.
static void SelectRegion() {
    WinExec("Brimlet.exe", SW_SHOW);
}

static void HandleCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case CmdCapture:
        Capture();
        break;
    case CmdUndo:
        RemoveLastPair();
        break;
    case CmdReset:
        ClearRecord();
        break;
    case CmdMakeLink:
        ExportLink(window);
        break;
    case CmdSelectRegion:
        SelectRegion();
        break;
    }
}

static void HandleHotKey(WPARAM wParam) {
    if (wParam == HotkeyCaptureId)
        Capture();
    if (wParam == HotkeyAutoId) { // what the region shows now is not new
        settings.autoCapture = !settings.autoCapture;
        RestartPairWatch();
    }
}

static void LimitSize(LPARAM lParam) {
    MINMAXINFO *limits = (MINMAXINFO *)lParam;
    limits->ptMaxTrackSize.x = MaxTrackWidth;
    limits->ptMaxTrackSize.y = MaxTrackHeight;
}

static void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    ComposePicture(window, dc);
    EndPaint(window, &paint);
}

static void ShutDown() {
    HWND companion = FindWindowW(L"Brimlet", nullptr);
    if (companion)
        SendMessageW(companion, WM_CLOSE, 0, 0);
    PostQuitMessage(0);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The first message comes during window creation, before WM_CREATE.
    if (!desktopWindow)
        desktopWindow = GetDesktopWindow();

    switch (message) {
    case WM_CREATE:
        StartUp(window);
        return 0;
    case WM_TIMER:
        TakeSample(window);
        return 0;
    case WM_HOTKEY:
        HandleHotKey(wParam);
        return 0;
    case WM_COMMAND:
        HandleCommand(window, wParam);
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_GETMINMAXINFO:
        LimitSize(lParam);
        return 0;
    case RefusedHostMessage:
        ReportRefusedHost(window);
        return 0;
    case WM_DESTROY:
        ShutDown();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
