// The benchmarks: one Windows program that prints rows of one table, run under
// Wine by bench/run.sh. Without arguments it times a capture, a paint and a tick on
// the program's own code, real DIB sections and the real main window; with
// "run SECONDS [auto] PAIRS..." it starts the real tessivo.exe (with auto capture on) for
// bench/run.sh to measure, and with "run SECONDS copy 0" copy_only.exe, the floor under it.
#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/picture.h"
#include "app/reference_menu.h"
#include "app/sampling.h"
#include "app/window_procedure.h"
#include "config/program_contract.h"
#include "config/region_link.h"
#include "durable_file.h"
#include "keep/history_page.h"
#include "keep/kept_record.h"
#include "recognition/classify.h"
#include "recognition/pair_search.h"
#include "recognition/pair_watch.h"
#include "recognition/pixel_hue.h"
#include "recognition/recogniser.h"
#include "picture_layout.h"
#include "record/link_text.h"
#include "tessivo.h"
#include "../tests/game_box.h"

namespace {

double Now() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)now.QuadPart / (double)frequency.QuadPart;
}

// Microseconds per call of `step`: the median of 9 batches, each long enough to
// outlast the counter's and the scheduler's granularity. The median keeps a batch
// disturbed by another process on a shared core out of the figure.
template <typename Step> double Microseconds(Step step, double batchSeconds = 0.05) {
    step(); // warm-up: first-touch costs are not what a running program pays
    int calls = 1;
    auto batch = [&] {
        double start = Now();
        for (int i = 0; i < calls; ++i)
            step();
        return Now() - start;
    };
    while (batch() < batchSeconds / 4 && calls < (1 << 24))
        calls *= 2;
    std::vector<double> perCall;
    for (int i = 0; i < 9; ++i)
        perCall.push_back(batch() * 1e6 / calls);
    std::nth_element(perCall.begin(), perCall.begin() + 4, perCall.end());
    return perCall[4];
}

// One row of the table; the ratio to `base`, when given, names it `of`.
void Row(const char *benchmark, const char *what, double us, double base = 0, const char *of = "") {
    bool ms = us >= 1000;
    printf("| %s | %s | %.*f %s | ", benchmark, what, ms ? 2 : 1, ms ? us / 1000 : us,
           ms ? "ms" : "us");
    if (base > 0)
        printf("x%.2f of %s ", us / base, of);
    printf("|\n");
}

const int Width = 50, Height = 100;
uint32_t sample[Width * Height], hueMemory[Width * Height], classMemory[Width * Height];

BlobColour VoteOverMemory(const CellArea &area) {
    VoteCounts votes = {};
    for (int32_t x = area.left; x < area.left + area.columns; ++x) {
        for (int32_t y = area.top; y < area.top + area.rows; ++y) {
            BlobColour colour = ClassifyHue(PixelHue(sample[y * Width + x]), settings.hues);
            ++votes[colour - 1];
            classMemory[y * Width + x] = ClassColour(colour);
        }
    }
    return MajorityColour(votes);
}

// The floor: RecognisePair's steps in its order, over arrays instead of drawing
// contexts, so what remains of a capture is the per-pixel GetPixel/SetPixel calls.
BlobPair RecogniseOverMemory() {
    for (int32_t x = 0; x < Width; ++x) {
        for (int32_t y = 0; y < Height; ++y)
            hueMemory[y * Width + x] = PureHuePixel(PixelHue(sample[y * Width + x]));
    }
    std::fill(std::begin(classMemory), std::end(classMemory), 0);
    BlobColour upper = VoteOverMemory(UpperCellArea(Width, Height));
    return {VoteOverMemory(LowerCellArea(Width, Height)), upper};
}

// A green blob above a purple one on dark grey, each with a lighter rim, put into
// captureSurface; both ways must agree on the pair and on every pixel of both
// views, or the floor measures something else.
bool Capture() {
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            int dx = x - 25, dy = y - (y < Height / 2 ? 25 : 75), d2 = dx * dx + dy * dy;
            uint32_t blob = y < Height / 2 ? 0x0020D040 : 0x00C020B0;
            sample[y * Width + x] = d2 < 18 * 18 ? blob : d2 < 21 * 21 ? 0x00A0A0A0 : 0x00303030;
            SetPixel(captureSurface.dc, x, y, sample[y * Width + x]);
        }
    }
    BlobPair viaPlatform = RecognisePair(captureSurface), viaMemory = RecogniseOverMemory();
    bool same = viaPlatform.lower == viaMemory.lower && viaPlatform.upper == viaMemory.upper;
    for (int i = 0; i < Width * Height; ++i)
        same = same && GetPixel(hueView.dc, i % Width, i / Width) == hueMemory[i] &&
               GetPixel(classView.dc, i % Width, i / Width) == classMemory[i];
    if (!same)
        return false;
    volatile int32_t sink = 0;
    double floor = Microseconds([&] { sink = sink + RecogniseOverMemory().lower; });
    double capture = Microseconds([&] { sink = sink + RecognisePair(captureSurface).lower; }, 0.2);
    Row("capture", "same recognition over plain memory (the floor)", floor);
    Row("capture", "RecognisePair, 50 x 100 sample, DIB sections", capture, floor, "the floor");
    return true;
}

// ComposePicture at 100 % and 200 %, in the default window and the largest, with no pairs, 40,
// just enough to fill the rows in sight, and 10,000: only the rows in sight are drawn, so
// 10,000 cost what a record that just fills them costs.
void Paint(HWND window) {
    for (int dpi : {96, 192}) {
        RECT place = {0, 0, MulDiv(360, dpi, 96), MulDiv(220, dpi, 96)};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)&place);
        for (SIZE size : {SIZE{360, 220}, SIZE{1200, 400}}) {
            SetWindowPos(window, nullptr, 0, 0, MulDiv(size.cx, dpi, 96), MulDiv(size.cy, dpi, 96),
                         SWP_NOZORDER | SWP_NOMOVE);
            RECT client;
            GetClientRect(window, &client);
            HDC dc = GetDC(window);
            RecordRows rows = RecordRowsShown(1 << 20, client.right, client.bottom, 0);
            const int fill = (int)rows.rows * rows.perRow;
            double filled = 0;
            for (int pairs : {0, 40, fill, 10000}) {
                moveRecord.clear();
                for (int i = 0; i < pairs; ++i) // every colour either side, now and then a 0
                    moveRecord.push_back({i % 97 == 96 ? 0 : 1 + i % 5, 1 + i / 5 % 5});
                double us = Microseconds([&] { ComposePicture(window, dc); });
                filled = pairs == fill ? us : filled;
                char what[128];
                snprintf(what, sizeof what, "%d %%, client %ld x %ld, %d pairs", dpi * 100 / 96,
                         client.right, client.bottom, pairs);
                Row("paint", what, us, pairs > fill ? filled : 0, "the rows in sight filled");
            }
            ReleaseDC(window, dc);
        }
    }
    RECT place = {0, 0, 360, 220};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), (LPARAM)&place);
    moveRecord.clear();
}

// A tick's steps besides its paint: the mailslot drain with nothing waiting, the
// scaled copy of the default region from the screen, as TakeSample does it, and
// auto capture's look at the copy.
void Tick() {
    // Still the capture's blobs in the sample: the hues of cells with blob-coloured pixels.
    Row("tick", "the two cells' hues shown beside the views, from its memory",
        Microseconds([] { ReadCellHues(); }));
    Row("tick", "mailslot drain, nothing waiting", Microseconds([] { PollRegionLink(); }));
    const CaptureRegion region = defaultSettings.region;
    Row("tick", "screen copy of the 50 x 100 region", Microseconds([&] {
            HDC screen = GetDC(desktopWindow);
            StretchBlt(captureSurface.dc, 0, 0, Width, Height, screen, region.x, region.y,
                       region.width, region.height, SRCCOPY);
            ReleaseDC(desktopWindow, screen);
        }));
    std::vector<uint32_t> last;
    SameAsLastCopy(captureSurface, last);
    Row("tick", "the sample compared with the last tick's, still: all a tick at rest does more",
        Microseconds([&] { SameAsLastCopy(captureSurface, last); }));
}

// A whole tick of auto capture but for the mailslot, with the game's box alone and with its second
// box too: the copies of the screen, the watches (and the check) looking at the samples as at new
// ones, and the paint with 40 pairs. The second box 0.7 as large, below the next.
void TickBoxes(HWND window) {
    const std::vector<uint32_t> screen = PaintScreen(50, 0x182868, 2, true, false);
    BITMAPINFOHEADER bits = {sizeof bits, 500, -550, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(window);
    settings.autoCapture = 1;
    moveRecord.assign(40, RecordedMove{{ColourGreen, ColourPurple}});
    double us[2];
    for (int boxes = 1; boxes <= 2; ++boxes) {
        settings.region = {400, 150, 50, 100};
        settings.secondRegion = boxes == 2 ? CaptureRegion{407, 280, 35, 70} : CaptureRegion{};
        HDC desktop = GetDC(nullptr); // the game's screen where both regions look
        SetDIBitsToDevice(desktop, 0, 0, 500, 550, 0, 0, 0, 550, screen.data(), (BITMAPINFO *)&bits,
                          DIB_RGB_COLORS);
        ReleaseDC(nullptr, desktop);
        us[boxes - 1] = Microseconds([&] {
            TakeSamples();
            WatchBoxes(false);
            ComposePicture(window, dc);
        });
    }
    Row("tick", "copy, watch and paint with 40 pairs, the next box alone", us[0]);
    Row("tick", "copy, watches, check and paint with 40 pairs, both boxes", us[1], us[0],
        "the next box alone");
    ReleaseDC(window, dc);
    settings = defaultSettings;
    moveRecord.clear();
}

// The frame program's fit of the region onto the next pair: a 100 x 200 frame on the box of a
// game's screen (the box at 2x, its frame lines, the lower box), searched with its width and
// height on every side, as the frame program captures it.
void Fit() {
    const std::vector<uint32_t> screen = PaintScreen(100, 0x202030, 2, true, true);
    std::vector<uint32_t> area(300 * 600);
    for (int y = 0; y < 600; ++y) // the screen's cells are 100 pixels; the box is at (8, 3)
        std::copy_n(&screen[(y + 100) * 1000 + 700], 300, &area[y * 300]);
    const CaptureRegion frame = {100, 200, 100, 200};
    CaptureRegion found = {};
    double us = Microseconds([&] { FindPairNear(area.data(), 300, 600, frame, {}, found); });
    if (found.x != frame.x || found.y != frame.y || found.width != 100 || found.height != 200)
        printf("| fit | FindPairNear missed the box's pair | - | - |\n");
    Row("fit", "FindPairNear, 100 x 200 frame, 300 x 600 pixels searched", us);
    // Then the second box's pair, 0.7 as large below, within four widths of the pair found: the
    // screen's 600 x 900 pixels right of and below (4, 0) cells.
    const CaptureRegion next = {800, 300, 100, 200};
    CaptureRegion second = {};
    SecondPairFit fit = NoSecondPair;
    double secondUs =
        Microseconds([&] { fit = FindSecondPair(screen.data(), 1000, 1100, next, {}, second); });
    if (fit != SecondPairFound || second.x != 815 || second.y != 560 || second.width != 70)
        printf("| fit | FindSecondPair missed the second box's pair | - | - |\n");
    Row("fit", "FindSecondPair, after a 100 x 200 pair, 600 x 900 pixels searched", secondUs, us,
        "FindPairNear");
    // The whole of a 720 x 480 screen in a real game's looks (blurred, noisy, a light outline),
    // its box at 72 pixels a cell: the most F searches on such a screen.
    const std::vector<uint32_t> real = PaintScreen(72, 0x202030, 2, true, true, 0, 0, 3);
    const CaptureRegion onBox = {576, 216, 72, 144};
    double wholeUs = Microseconds([&] { FindPairNear(real.data(), 720, 480, onBox, {}, found); });
    if (std::abs(found.x - 576) > 3 || std::abs(found.y - 216) > 3)
        printf("| fit | FindPairNear missed the real-looking box's pair | - | - |\n");
    Row("fit", "FindPairNear, a whole 720 x 480 screen in a real game's looks", wholeUs, us,
        "FindPairNear");
}

// What keeping the record adds to a change: a capture and its undo through the window, with
// 1,000 pairs, without KEEP and with it (two writes of record.txt, each flushed to the disk),
// in a folder of its own; and one write alone.
void Keep(HWND window) {
    char folder[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH - 16, folder);
    lstrcpyA(folder + length, "tessivo_keep");
    CreateDirectoryA(folder, nullptr);
    SetCurrentDirectoryA(folder);
    moveRecord.assign(1000, RecordedMove{{ColourGreen, ColourPurple}});
    auto change = [&] {
        SendMessageA(window, WM_COMMAND, CmdCapture, 0);
        SendMessageA(window, WM_COMMAND, CmdUndo, 0);
    };
    double off = Microseconds(change, 0.2);
    settings.keepRecord = 1;
    StartKeeping();
    double on = Microseconds(change, 0.2), write = Microseconds([] { KeepRecord(); }, 0.2);
    Row("keep", "a capture and its undo, 1,000 pairs, KEEP=0", off);
    Row("keep", "a capture and its undo, 1,000 pairs, KEEP=1", on, off, "KEEP=0");
    Row("keep", "record.txt of 1,000 pairs written, flushed and moved in", write);
    settings.keepRecord = 0;
    StartKeeping();
    DeleteFileA("record.txt");
    SetCurrentDirectoryA("..");
    RemoveDirectoryA(folder);
    moveRecord.clear();
}

// The history's page of 1,000 games of 100 moves, as each new line of links.txt writes it: its
// text, and the whole of it made, written, flushed to the disk and moved in. The page is left in
// the working folder as history-bench.html, for bench/run.sh to time a browser on it.
void History() {
    std::string history;
    for (int game = 0; game < 1000; ++game) {
        MoveRecord record;
        for (int i = 0; i < 100; ++i) // every colour either side
            record.push_back({1 + (i + game) % 5, 1 + i / 5 % 5});
        history += "2026-12-09 21:05:07\t" + std::string(game % 2 ? "export" : "reset") +
                   "\t100\t" + linkPrefix + LinkCodes(record) + "\r\n";
    }
    size_t size = 0;
    double text = Microseconds([&] { size = HistoryPage(history, LanguageJapanese).size(); }, 0.2);
    double written = Microseconds(
        [&] { WriteFileDurably(L"history-bench.html", HistoryPage(history, LanguageJapanese)); },
        0.2);
    char what[128];
    snprintf(what, sizeof what, "the page's text, 1,000 games of 100 moves (%.1f MB)", size / 1e6);
    Row("history", what, text);
    Row("history", "the page made, written, flushed to the disk and moved in", written, text,
        "its text");
}

// The real tessivo.exe, started in an empty folder of its own (so at the default
// interval), its record filled by capture commands as the button sends them, then
// left alone for `seconds` between two marks. Wine answers 0 for another process's
// times, so bench/run.sh reads them from the system. copy_only.exe instead has no window:
// it is asked to end through its thread.
bool RunProgram(int pairs, double seconds, bool autoCapture, bool copyOnly) {
    char folder[MAX_PATH], tessivo[] = "tessivo.exe", copier[] = "copy_only.exe"; // beside this one
    DWORD length = GetTempPathA(MAX_PATH - 16, folder);
    lstrcpyA(folder + length, "tessivo_bench");
    CreateDirectoryA(folder, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, copyOnly ? copier : tessivo, nullptr, nullptr, FALSE, 0, nullptr,
                        folder, &startup, &process))
        return false;
    // Its window exists once it waits for messages; the runs follow one another.
    const bool waiting = WaitForInputIdle(process.hProcess, 10000) == 0;
    HWND window = waiting && !copyOnly ? FindWindowW(tessivoClassName, nullptr) : nullptr;
    bool ok = copyOnly ? waiting : window != nullptr;
    DWORD_PTR result;
    for (int i = 0; ok && i < pairs; ++i)
        ok = SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(CmdCapture, BN_CLICKED), 0,
                                 SMTO_NORMAL, 10000, &result) != 0;
    if (ok && autoCapture) // as Alt+F2 does
        ok = SendMessageTimeoutA(window, WM_HOTKEY, HotkeyAutoId, 0, SMTO_NORMAL, 10000, &result);
    Sleep(3000); // the first paints of the new window, and what the last program left, not measured
    if (ok) {
        printf("# begin %d\n", pairs);
        double start = Now();
        Sleep((DWORD)(seconds * 1000));
        printf("# end %d %.3f\n", pairs, Now() - start);
    }
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (copyOnly)
        PostThreadMessageA(process.dwThreadId, WM_QUIT, 0, 0);
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exitCode))
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    RemoveDirectoryA(folder);
    return ok && exitCode == 0;
}

} // namespace

int main(int argc, char **argv) {
    setvbuf(stdout, nullptr, _IONBF, 0); // bench/run.sh acts on the marks as they come
    if (argc > 2 && std::string(argv[1]) == "run") {
        bool ok = true, autoCapture = argc > 3 && std::string(argv[3]) == "auto",
             copyOnly = argc > 3 && std::string(argv[3]) == "copy";
        for (int i = 3 + (autoCapture || copyOnly); i < argc; ++i) {
            if (RunProgram(std::stoi(argv[i]), std::stod(argv[2]), autoCapture, copyOnly))
                continue;
            printf("| running program | %s pairs: no start, answer or end | - | - |\n", argv[i]);
            ok = false;
        }
        return ok ? 0 : 1;
    }
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    if (!window || regionMailslot == INVALID_HANDLE_VALUE) {
        printf("| - | the main window or its mailslot cannot be made | - | - |\n");
        return 1;
    }
    KillTimer(window, SamplingTimerId); // only what is timed here runs: no tick
    if (!Capture()) {
        printf("| capture | the floor disagrees with RecognisePair | - | - |\n");
        return 1;
    }
    Paint(window);
    Tick();
    TickBoxes(window);
    Fit();
    History(); // before Keep, which leaves the working folder
    Keep(window);
    DestroyWindow(window);
    return 0;
}
