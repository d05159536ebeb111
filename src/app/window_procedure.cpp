#include "app/window_procedure.h"

#include <string>
#include <vector>

#include "app/button_row.h"
#include "app/commands.h"
#include "app/picture.h"
#include "app/record_menu.h"
#include "app/reference_menu.h"
#include "app/region_picker.h"
#include "app/texts.h"
#include "app/warning_boxes.h"
#include "config/program_contract.h"
#include "config/region_link.h"
#include "config/settings_file.h"
#include "keep/kept_record.h"
#include "recognition/pair_watch.h"
#include "recognition/recogniser.h"
#include "record/link_text.h"
#include "record/move_record.h"
#include "record/record_view.h"
#include "record/simulator_link.h"
#include "surface.h"
#include "tessivo.h"
#include "text_slots.h"
#include "display_scale.h"

HWND desktopWindow;

// Runs on WM_CREATE, inside CreateWindowExW: the buttons are made once that returns, so the
// texts are picked and the keys handed to them here first.
static void StartUp(HWND window) {
    LoadSettings(settings);
    PickTexts(settings.language);
    // Told once the window stands with its buttons, not in the middle of its creation.
    if (settings.hostGiven && !UseSimulatorHost(settings.simulatorHost))
        PostMessageW(window, RefusedHostMessage, 0, 0);
    Tell(window, StartKeeping()); // the record restored is shown at the first paint
    pictureDpi = WindowDpi(window);
    CreateSurface(backBuffer, Scaled(MaxTrackWidth), Scaled(MaxTrackHeight), window);
    CreateSurface(captureSurface, 50, 100, desktopWindow);
    CreateSurface(hueView, 50, 100, desktopWindow);
    CreateSurface(classView, 50, 100, desktopWindow);
    const HotKeys hotKeys = LoadHotKeys();
    RegisterHotKeys(window, hotKeys); // a key held by another program is told; buttons still work
    GiveButtonsKeys(hotKeys.keys[HotKeyCapture], hotKeys.keys[HotKeyUndo]);
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

// The record is on disk (KEEP=1) before the handler returns.
static void Capture(HWND window) {
    AppendPair(RecognisePair(captureSurface));
    KeepCapturedHues(); // of the sample the last tick read, which RecognisePair read too
    recordBack = 0;
    RepaintPicture(window);
    Tell(window, KeepRecord());
}

static void Undo(HWND window) {
    RemoveLastPair();
    recordBack = 0;
    RepaintPicture(window);
    Tell(window, KeepRecord());
}

// The game that RESET ends stays in the history.
static void Reset(HWND window) {
    if (!moveRecord.empty())
        Tell(window, KeepHistoryLine("reset"));
    ClearRecord();
    recordBack = 0;
    RepaintPicture(window);
    Tell(window, KeepRecord());
}

// With auto capture on, a new pair that has settled in the sample is captured as
// Alt+F1 would. A moved region shows another picture, not a new pair. A sample that the watch
// saw at the last tick, unchanged, is the same sighting again: only its count goes on.
static void WatchForNewPair(HWND window, bool sampleStill) {
    static CaptureRegion watchedRegion; // the region of the last tick
    static bool watchedLastSample;      // the watch saw the last tick's sample
    const CaptureRegion &region = settings.region;
    bool moved = region.x != watchedRegion.x || region.y != watchedRegion.y ||
                 region.width != watchedRegion.width || region.height != watchedRegion.height;
    watchedRegion = region;
    const bool seenAgain = sampleStill && watchedLastSample && !moved;
    watchedLastSample = settings.autoCapture;
    if (!settings.autoCapture)
        return;
    if (moved)
        RestartPairWatch();
    // The watch reads the sample's pixels from memory, flushed when the tick compared them: one
    // call a pixel would cost every tick what a capture costs.
    const uint32_t *pixels = static_cast<const uint32_t *>(captureSurface.bits);
    const int32_t ticks = settings.settleTicks;
    if (seenAgain
            ? WatchSameSighting(ticks)
            : WatchPair(SightPair(pixels, captureSurface.width, captureSurface.height), ticks))
        Capture(window);
}

// A region received since the last tick is applied before this tick's sample. A sample as the
// last tick left it shows nothing new: the hues beside the views stay as they were read from
// it, and nothing is repainted. Everything else that the picture shows asks for its own paint.
static void TakeSample(HWND window) {
    static std::vector<uint32_t> lastSample; // the sample of the last tick
    PollRegionLink();
    const CaptureRegion &region = settings.region;
    if (RegionCanBeSampled(region))
        CopyScreen(captureSurface, region);
    const bool still = SameAsLastCopy(captureSurface, lastSample);
    if (!still)
        ReadCellHues();
    WatchForNewPair(window, still);
    if (!still)
        RepaintSample(window);
}

// The history keeps the whole link, though the clipboard's is cut; an empty record is no game.
static void ExportLink(HWND window) {
    LinkExport result = BuildSimulatorLink(window);
    if (!result.copied) { // no link made: no game in the history
        MessageBoxW(window, texts->copyFailed, texts->errorCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    if (!moveRecord.empty())
        Tell(window, KeepHistoryLine("export"));
    std::wstring notice = texts->copied;
    if (!result.complete)
        notice = Compose(texts->copiedCut, {std::to_wstring(result.pairsWritten)});
    if (LinkLeadsNowhere())
        notice += L"\n" + std::wstring(texts->leadsNowhere);
    MessageBoxW(window, notice.c_str(), texts->confirmCaption, MB_OK);
}

// The host of [LINK] that the link does not use, named with its key.
static void ReportRefusedHost(HWND window) {
    Note(window, Compose(texts->refusedHost, {settings.simulatorHost}));
}

static void ReportKeepNotice(HWND window, WPARAM notice) {
    if (notice == KeepNotWritten) // only this one failed; the others tell what was done instead
        Warn(window, Compose(texts->notKept, {keepNoticePath}));
    else if (notice == KeepBadRecordAside)
        Note(window, Compose(texts->recordAside, {keepNoticePath}));
    else
        Note(window, texts->otherKeeper);
}

static void HandleCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case CmdCapture:
        Capture(window);
        break;
    case CmdUndo:
        Undo(window);
        break;
    case CmdReset:
        Reset(window);
        break;
    case CmdMakeLink:
        ExportLink(window);
        break;
    case CmdSelectRegion:
        SelectRegion(window);
        break;
    case CmdOpenHistory:
        OpenHistory(window);
        break;
    case CmdPasteLink:
        PasteLink(window);
        break;
    default:
        if (LOWORD(wParam) >= CmdSetReference && LOWORD(wParam) < CmdSetReference + 5) {
            SetReference(window, LOWORD(wParam) - CmdSetReference + ColourRed);
            RepaintPicture(window); // the references beside the views
        }
        break;
    }
}

// The game over from inside the game: RESET, and the pair on screen now is no new game's first.
static void EndGame(HWND window) {
    Reset(window);
    RestartPairWatch();
}

static void HandleHotKey(HWND window, WPARAM wParam) {
    if (wParam == HotkeyCaptureId)
        Capture(window);
    if (wParam == HotkeyAutoId) { // what the region shows now is not new
        settings.autoCapture = !settings.autoCapture;
        RestartPairWatch();
        RepaintPicture(window); // its mark
    }
    if (wParam == HotkeyGameOverId)
        EndGame(window);
    if (wParam == HotkeyUndoId)
        Undo(window);
}

static void LimitSize(LPARAM lParam) {
    MINMAXINFO *limits = (MINMAXINFO *)lParam;
    limits->ptMaxTrackSize.x = Scaled(MaxTrackWidth);
    limits->ptMaxTrackSize.y = Scaled(MaxTrackHeight);
}

// Moved onto a monitor of another scale: the window takes the rectangle the system suggests and
// everything is drawn anew at the new scale.
static void ChangeScale(HWND window, WPARAM wParam, const RECT &suggested) {
    pictureDpi = HIWORD(wParam);
    DeleteSurface(backBuffer);
    CreateSurface(backBuffer, Scaled(MaxTrackWidth), Scaled(MaxTrackHeight), window);
    LabelButtons(window);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
}

// Over the record; the picture is painted anew when the rows in sight changed.
static bool TurnWheel(HWND window, WPARAM wParam, LPARAM lParam) {
    const size_t shown = recordBack;
    if (!ScrollRecord(window, wParam, lParam))
        return false;
    if (recordBack != shown)
        RepaintPicture(window);
    return true;
}

static void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    ComposePicture(window, dc);
    EndPaint(window, &paint);
}

static void ShutDown() {
    RemoveHotKeyHook();
    HWND companion = FindWindowW(brimletClassName, nullptr);
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
        HandleHotKey(window, wParam);
        return 0;
    case WM_COMMAND:
        HandleCommand(window, wParam);
        return 0;
    case WM_CONTEXTMENU:
        if (OpenReferenceMenu(window, lParam) || OpenRecordMenu(window, lParam))
            return 0;
        break;
    case WM_MOUSEWHEEL:
        if (TurnWheel(window, wParam, lParam))
            return 0;
        break;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_GETMINMAXINFO:
        LimitSize(lParam);
        return 0;
    case WM_DPICHANGED:
        ChangeScale(window, wParam, *(const RECT *)lParam);
        return 0;
    case RefusedHostMessage:
        ReportRefusedHost(window);
        return 0;
    case HotKeyNoticeMessage:
        Note(window, HotKeyNotice());
        return 0;
    case KeepNoticeMessage:
        ReportKeepNotice(window, wParam);
        return 0;
    case WM_DESTROY:
        ShutDown();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
