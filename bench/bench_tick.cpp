// A tick: the mailslot drain, the scaled copy of the capture region, and the
// paint that the tick asks for, step by step, on the real main window. The steps
// of an idle tick's paint are timed apart to show where its time goes.
#include <cstdint>
#include <cstdio>

#include "app/main_window.h"
#include "app/picture.h"
#include "app/surface.h"
#include "app/window_procedure.h"
#include "bench_support.h"
#include "config/region_link.h"
#include "config/region_message.h"
#include "record/record_view.h"
#include "tessivo.h"

namespace {

HANDLE OpenClient() {
    return CreateFileA(regionMailslotName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

void WriteRecords(HANDLE client, int count) {
    for (int i = 0; i < count; ++i) {
        uint8_t bytes[RegionMessageSize];
        EncodeRegionMessage(bytes, CaptureRegion{i % 7, i % 5, 50, 100}, i % 2 == 0);
        DWORD written = 0;
        WriteFile(client, bytes, sizeof bytes, &written, nullptr);
    }
}

// Microseconds of one drain that finds `records` waiting; the writes are not timed.
double DrainMicroseconds(HANDLE client, int records) {
    double total = 0;
    const int rounds = records > 1 ? 40 : 400;
    for (int round = 0; round < rounds; ++round) {
        WriteRecords(client, records);
        double start = NowSeconds();
        PollRegionLink();
        total += NowSeconds() - start;
    }
    return total * 1e6 / rounds;
}

// The sampling step of a tick: the capture region of the screen scaled into
// captureSurface, with the borrowing of the screen's context.
void CopyRegion(const CaptureRegion &region) {
    HDC screen = GetDC(desktopWindow);
    StretchBlt(captureSurface.dc, 0, 0, captureSurface.width, captureSurface.height, screen,
               region.x, region.y, region.width, region.height, SRCCOPY);
    ReleaseDC(desktopWindow, screen);
}

// Messages that reach the main window and the buttons while the loop runs.
WNDPROC mainProcedure, buttonProcedure;
int ticks, mainPaints, buttonPaints;

LRESULT CALLBACK CountMainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ticks += message == WM_TIMER;
    mainPaints += message == WM_PAINT;
    return CallWindowProcA(mainProcedure, window, message, wParam, lParam);
}

LRESULT CALLBACK CountButton(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    buttonPaints += message == WM_PAINT;
    return CallWindowProcA(buttonProcedure, window, message, wParam, lParam);
}

double OwnProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULONGLONG k = ((ULONGLONG)kernel.dwHighDateTime << 32) | kernel.dwLowDateTime;
    ULONGLONG u = ((ULONGLONG)user.dwHighDateTime << 32) | user.dwLowDateTime;
    return (double)(k + u) / 1e7;
}

// Runs the message loop with the sampling timer at the default interval, as the
// program does, and prints the processor time per tick with what was delivered.
void RunLoop(HWND window, const char *what, double seconds) {
    ticks = mainPaints = buttonPaints = 0;
    SetTimer(window, SamplingTimerId, (UINT)defaultSettings.interval, nullptr);
    double cpuStart = OwnProcessorSeconds(), start = NowSeconds();
    MSG message;
    while (NowSeconds() - start < seconds) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0)
            continue;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    double cpu = OwnProcessorSeconds() - cpuStart, span = NowSeconds() - start;
    KillTimer(window, SamplingTimerId);
    char row[200], detail[160];
    snprintf(row, sizeof row, "%s: CPU time per tick over %.0f s", what, span);
    snprintf(detail, sizeof detail,
             "%.1f%% of one core; %d ticks, %d paints of the window, %d of the buttons",
             100 * cpu / span, ticks, mainPaints, buttonPaints);
    PrintRow("message loop", row, ticks ? cpu * 1e6 / ticks : 0, detail);
}

} // namespace

int main() {
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    if (!window || regionMailslot == INVALID_HANDLE_VALUE) {
        printf("| tick | the main window or its mailslot cannot be made | - | - |\n");
        return 1;
    }
    KillTimer(window, SamplingTimerId); // only the ticks timed here run
    SetWindowPos(window, nullptr, 0, 0, 360, 220, SWP_NOZORDER | SWP_NOMOVE);
    // The window's own first paint, so that nothing else is pending.
    UpdateWindow(window);

    HANDLE client = OpenClient();
    double drainEmpty = MicrosecondsPerCall([] { PollRegionLink(); });
    double drainOne = DrainMicroseconds(client, 1);
    double drainFull = DrainMicroseconds(client, MaxRecordsPerPoll);
    CloseHandle(client);

    settings.region = defaultSettings.region;
    double copyDefault = MicrosecondsPerCall([] { CopyRegion(settings.region); });
    double copyReduced = MicrosecondsPerCall([] { CopyRegion(CaptureRegion{0, 0, 200, 400}); });
    double copyEnlarged = MicrosecondsPerCall([] { CopyRegion(CaptureRegion{0, 0, 10, 20}); });

    // An idle tick's paint, step by step, with an empty record.
    moveRecord.clear();
    HDC dc = GetDC(window);
    double fill = MicrosecondsPerCall([&] { FillBackground(window, backBuffer.dc); });
    double views = MicrosecondsPerCall([&] {
        BitBlt(backBuffer.dc, 5, 5, 50, 100, captureSurface.dc, 0, 0, SRCCOPY);
        BitBlt(backBuffer.dc, 60, 5, 50, 100, hueView.dc, 0, 0, SRCCOPY);
        BitBlt(backBuffer.dc, 115, 5, 50, 100, classView.dc, 0, 0, SRCCOPY);
    });
    double record = MicrosecondsPerCall([&] { DrawMoveRecord(window); });
    double toWindow = MicrosecondsPerCall([&] {
        BitBlt(dc, 0, PictureTop, backBuffer.width, backBuffer.height, backBuffer.dc, 0, 0,
               SRCCOPY);
    });
    double compose = MicrosecondsPerCall([&] { ComposePicture(window, dc); });
    ReleaseDC(window, dc);

    // The paint that a tick asks for, as the platform delivers it. The main window
    // does not clip its children, so invalidating its client area invalidates the
    // five buttons too, and each of them repaints with the main window.
    double paint = MicrosecondsPerCall([&] {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    });
    double paintAlone = MicrosecondsPerCall([&] {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    });
    double buttons = MicrosecondsPerCall([&] {
        for (HWND button : {captureButton, undoButton, resetButton, linkButton, regionButton})
            RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });

    // The whole tick as the window procedure runs it, with the paint it asks for.
    double tick = MicrosecondsPerCall([&] {
        SendMessageA(window, WM_TIMER, SamplingTimerId, 0);
        UpdateWindow(window);
    });

    char fullDrain[96];
    snprintf(fullDrain, sizeof fullDrain, "drain, %d records waiting (a full drain)",
             MaxRecordsPerPoll);
    // Each step beside the whole tick that it is a part of.
    const struct {
        const char *what;
        double microseconds;
    } steps[] = {
        {"drain, nothing waiting", drainEmpty},
        {"drain, 1 record waiting", drainOne},
        {fullDrain, drainFull},
        {"screen copy, 50 x 100 region (one to one)", copyDefault},
        {"screen copy, 200 x 400 region (reduced)", copyReduced},
        {"screen copy, 10 x 20 region (enlarged)", copyEnlarged},
        {"paint step: grey fill of the client area", fill},
        {"paint step: the three views into backBuffer", views},
        {"paint step: record view, empty record", record},
        {"paint step: backBuffer to the window", toWindow},
        {"ComposePicture, empty record", compose},
        {"WM_PAINT of the main window alone (BeginPaint to EndPaint)", paintAlone},
        {"WM_PAINT of the five buttons", buttons},
        {"the repaint a tick asks for: main window and buttons", paint},
    };
    for (const auto &step : steps)
        PrintRow("tick", step.what, step.microseconds, Ratio(step.microseconds, tick, "a tick"));
    PrintRow("tick", "whole tick: WM_TIMER and its WM_PAINT, empty record", tick);

    // The loop itself, in this process: what a tick costs when the platform
    // delivers it, and what the buttons' repaints add to it.
    mainProcedure = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)CountMainWindow);
    for (HWND button : {captureButton, undoButton, resetButton, linkButton, regionButton})
        buttonProcedure = (WNDPROC)SetWindowLongPtrA(button, GWLP_WNDPROC, (LONG_PTR)CountButton);
    RunLoop(window, "message loop at the default interval, empty record", 5);
    // Not the program: the same window clipping its children, which keeps a tick's
    // invalidation off the buttons.
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_CLIPCHILDREN);
    RunLoop(window, "the same, buttons clipped (WS_CLIPCHILDREN added, not the program)", 5);
    DestroyWindow(window);
    return 0;
}
