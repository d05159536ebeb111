#include "app/window_procedure.h"

#include <windowsx.h>

#include <string>

#include "app/button_row.h"
#include "app/commands.h"
#include "app/move_menu.h"
#include "app/picture.h"
#include "app/record_change.h"
#include "app/record_menu.h"
#include "app/reference_menu.h"
#include "app/region_picker.h"
#include "app/sampling.h"
#include "app/texts.h"
#include "app/warning_boxes.h"
#include "config/program_contract.h"
#include "config/region_link.h"
#include "config/settings_file.h"
#include "keep/kept_record.h"
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
    CreateSurface(secondSurface, 50, 100, desktopWindow);
    CreateSurface(hueView, 50, 100, desktopWindow);
    CreateSurface(classView, 50, 100, desktopWindow);
    const HotKeys hotKeys = LoadHotKeys();
    RegisterHotKeys(window, hotKeys); // a key held by another program is told; buttons still work
    GiveButtonsKeys(hotKeys.keys[HotKeyCapture], hotKeys.keys[HotKeyUndo]);
    OpenRegionLink();
    SetTimer(window, SamplingTimerId, (UINT)settings.interval, nullptr);
}

// The move on screen now, or the one auto capture found; the picture shows it at once. The
// record is on disk (KEEP=1) before the handler returns.
static void Record(HWND window, const RecordedMove &move) {
    AppendMove(move);
    KeepCapturedHues(); // of the sample the last tick read, which the move was read from
    RecordChanged(window);
}

static void Capture(HWND window) {
    Record(window, PressedPair());
}

static void Undo(HWND window) {
    RemoveLastPair();
    RecordChanged(window);
}

static void Reset(HWND window) {
    EndGame(window);
    ClearRecord();
    RecordChanged(window);
}

// A region received since the last tick is applied before this tick's sample. A sample as the
// last tick left it shows nothing new: the hues beside the views stay as they were read from
// it, and nothing is repainted. Everything else that the picture shows asks for its own paint.
static void TakeSample(HWND window) {
    PollRegionLink();
    const bool still = TakeSamples();
    if (!still)
        ReadCellHues();
    for (const RecordedMove &move : WatchBoxes(still))
        Record(window, move);
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
        if (LOWORD(wParam) >= CmdDiscColour && LOWORD(wParam) <= CmdClearMark)
            EditMove(window, LOWORD(wParam));
        if (LOWORD(wParam) >= CmdSetReference && LOWORD(wParam) < CmdSetReference + 5) {
            SetReference(window, LOWORD(wParam) - CmdSetReference + ColourRed);
            RepaintPicture(window); // the references beside the views
        }
        break;
    }
}

// The game over from inside the game: RESET, and the pair on screen now is no new game's first.
static void GameOver(HWND window) {
    Reset(window);
    RestartWatches();
}

static void HandleHotKey(HWND window, WPARAM wParam) {
    if (wParam == HotkeyCaptureId)
        Capture(window);
    if (wParam == HotkeyAutoId) { // what the region shows now is not new
        settings.autoCapture = !settings.autoCapture;
        RestartWatches();
        RepaintPicture(window); // its mark
    }
    if (wParam == HotkeyGameOverId)
        GameOver(window);
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

// A left click on a disc of the record opens its move's menu; elsewhere it does nothing.
static void Click(HWND window, LPARAM lParam) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &point);
    OpenRecordMenu(window, MAKELPARAM(point.x, point.y), true);
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
    case WM_LBUTTONUP:
        Click(window, lParam);
        return 0;
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
