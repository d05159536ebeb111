// The region-selection program, run for real as its own process: the test holds
// Tessivo's mailslot, moves and resizes Brimlet's window, and reads the records.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tessivo.h"
#include "win_test_support.h"

namespace {

const char notFound[] = " - Tessivo not found";
const DWORD StartTimeout = 20000; // a cold Wine start of a new process can be slow
const DWORD RecordTimeout = 3000;
const DWORD QuietTime = 300; // no further record within this time counts as none
const int NoRecord = -1;

struct Brimlet {
    PROCESS_INFORMATION process;
    HWND window;
    RECT frame; // thickness of the frame on each side of the region
};

std::vector<PROCESS_INFORMATION> started;   // every Brimlet of the running test
HANDLE testMailslot = INVALID_HANDLE_VALUE; // the test stands in for Tessivo

// What Tessivo reads: x, y, height, width as little-endian 16-bit values, then resize.
std::string Bytes(const CaptureRegion &region, int resize) {
    std::string bytes;
    for (int32_t value : {region.x, region.y, region.height, region.width})
        bytes += {char(value & 0xFF), char((value >> 8) & 0xFF)};
    return bytes + char(resize);
}

std::string Hex(const std::vector<std::string> &records) {
    std::string text;
    for (const std::string &record : records) {
        for (char byte : record) {
            char two[4];
            snprintf(two, sizeof two, "%02X ", uint8_t(byte));
            text += two;
        }
        text += "| ";
    }
    return text;
}

std::string RegionTitle(const CaptureRegion &region) {
    return std::to_string(region.x) + ", " + std::to_string(region.y) + ", " +
           std::to_string(region.width) + " x " + std::to_string(region.height);
}

std::string Ini(const CaptureRegion &region) {
    return "[REGION]\r\nX=" + std::to_string(region.x) + "\r\nY=" + std::to_string(region.y) +
           "\r\nW=" + std::to_string(region.width) + "\r\nH=" + std::to_string(region.height);
}

void HoldMailslot() {
    testMailslot = CreateMailslotA("\\\\.\\mailslot\\tessivo", 0, 0, nullptr);
    ASSERT_NE(testMailslot, INVALID_HANDLE_VALUE) << "error " << GetLastError();
}

// The records that come: the first within the wait, each next within QuietTime.
std::vector<std::string> ReadRecords(DWORD firstWait = RecordTimeout) {
    std::vector<std::string> records;
    char bytes[64];
    DWORD read = 0;
    for (DWORD wait = firstWait; SetMailslotInfo(testMailslot, wait) &&
                                 ReadFile(testMailslot, bytes, sizeof bytes, &read, nullptr);
         wait = QuietTime)
        records.emplace_back(bytes, read);
    return records;
}

std::string WindowTitle(HWND window) {
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

// The title is set as the record goes out; poll briefly for a title set from a timer.
void ExpectTitle(HWND window, const std::string &expected) {
    for (DWORD start = GetTickCount();
         WindowTitle(window) != expected && GetTickCount() - start < RecordTimeout;)
        Sleep(10);
    EXPECT_EQ(WindowTitle(window), expected);
}

// Starts the real Brimlet.exe, as Tessivo's WinExec would, in a folder holding the
// settings (null: those of the region; "": no file), finds its window and learns the
// frame around the region, which the only first record, if Tessivo listens, carries.
void Start(Brimlet &brimlet, const CaptureRegion &region, const char *settings = nullptr) {
    const std::string folder = MakeTempFolder("brimlet"), path = ProgramFolder() + "Brimlet.exe";
    const std::string text = settings ? settings : Ini(region);
    ASSERT_TRUE(text.empty() || WriteWholeFile(folder + "setting.ini", text));
    brimlet = {};
    ASSERT_TRUE(StartProgram(path, folder, brimlet.process)) << path << ": " << GetLastError();
    started.push_back(brimlet.process);
    for (DWORD start = GetTickCount(); !brimlet.window && GetTickCount() - start < StartTimeout;
         Sleep(20)) {
        const std::vector<HWND> windows = TopWindows("Brimlet", brimlet.process.dwProcessId);
        if (!windows.empty() && IsWindowVisible(windows[0]))
            brimlet.window = windows[0];
    }
    ASSERT_NE(brimlet.window, nullptr) << "no visible window of class Brimlet";
    RECT place;
    GetWindowRect(brimlet.window, &place);
    brimlet.frame = {region.x - place.left, region.y - place.top,
                     place.right - (region.x + region.width),
                     place.bottom - (region.y + region.height)};
    if (testMailslot != INVALID_HANDLE_VALUE) {
        EXPECT_EQ(Hex(ReadRecords(StartTimeout)), Hex({Bytes(region, 1)})) << "first record";
    }
}

// Places the window so that the inside of its frame is the given region.
void PlaceRegion(const Brimlet &brimlet, const CaptureRegion &region) {
    const RECT &frame = brimlet.frame;
    SetWindowPos(brimlet.window, nullptr, region.x - frame.left, region.y - frame.top,
                 region.width + frame.left + frame.right, region.height + frame.top + frame.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Real keyboard input with Shift held, to the foreground window: posted key messages
// carry no Shift for GetKeyState.
void TypeShiftKey(HWND window, BYTE key) {
    SetForegroundWindow(window);
    PumpMessages(100);
    for (BYTE down : {BYTE(VK_SHIFT), key})
        keybd_event(down, 0, 0, 0);
    for (BYTE up : {key, BYTE(VK_SHIFT)})
        keybd_event(up, 0, KEYEVENTF_KEYUP, 0);
}

// Real mouse input, as the user's hand: to a screen point, with the button as given.
void MouseTo(int x, int y, DWORD buttonFlags) {
    SetCursorPos(x, y);
    mouse_event(MOUSEEVENTF_MOVE | buttonFlags, 0, 0, 0, 0); // no distance: where the cursor is
    Sleep(30);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

class BrimletProgram : public ::testing::Test {
  protected:
    // Ends every Brimlet still running and lets go of the mailslot.
    void TearDown() override {
        for (PROCESS_INFORMATION &process : started) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process.hProcess, 99);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        started.clear();
        if (testMailslot != INVALID_HANDLE_VALUE)
            CloseHandle(testMailslot);
        testMailslot = INVALID_HANDLE_VALUE;
    }
};

// The only record after start is the region of the working directory's setting.ini,
// whole (resize 1), raised to 8 x 8; WM_CLOSE and Escape end the process with code 0.
TEST_F(BrimletProgram, StartsOnTheSettingsFileAndEndsWithZeroWhenClosed) {
    enum Way { SentClose, PostedClose, Escape };
    const char *tooSmall = "[REGION]\r\nX=-10\r\nY=-300\r\nW=3\r\nH=-40\r\n";
    struct Row {
        const char *name;
        bool tessivo;
        Way way;
        CaptureRegion region;
        const char *settings; // null: all four keys of the region; "": no file
    };
    const Row rows[] = {
        {"no file: the defaults; WM_CLOSE sent", true, SentClose, {0, 0, 50, 100}, ""},
        {"all four keys; WM_CLOSE posted", true, PostedClose, {100, 200, 60, 120}, nullptr},
        {"negative, below 8 x 8; Escape", true, Escape, {-10, -300, 8, 8}, tooSmall},
        {"no Tessivo; Escape", false, Escape, {0, 0, 50, 100}, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.tessivo)
            HoldMailslot();
        Brimlet brimlet;
        Start(brimlet, row.region, row.settings);
        ExpectTitle(brimlet.window, RegionTitle(row.region) + (row.tessivo ? "" : notFound));
        if (row.way == SentClose)
            SendMessageA(brimlet.window, WM_CLOSE, 0, 0);
        else if (row.way == PostedClose)
            PostMessageA(brimlet.window, WM_CLOSE, 0, 0);
        else
            PostMessageA(brimlet.window, WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_EQ(ExitCodeAfter(brimlet.process.hProcess, 10000), 0u);
        TearDown();
    }
}

// A topmost frame around the region, and only the frame: the inside shows what lies
// beneath and lets the mouse through. Edges and corners size (the drags below prove
// the band, the bottom-right corner, the left edge and the close box).
TEST_F(BrimletProgram, IsASeeThroughFrame) {
    const COLORREF green = RGB(0, 160, 0);
    HWND backdrop = CreateTestWindow("BrimletTestBackdrop", 0, WS_POPUP | WS_VISIBLE,
                                     {300, 300, 500, 500}, CreateSolidBrush(green));
    PumpMessages(300);
    ASSERT_EQ(ScreenPixel(348, 380), green) << "the backdrop is not on the screen";
    HoldMailslot();
    Brimlet brimlet;
    const CaptureRegion region = {350, 350, 60, 60};
    Start(brimlet, region);
    PumpMessages(500); // the backdrop repaints what Brimlet's start uncovered
    EXPECT_NE(GetWindowLongA(brimlet.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT place;
    GetWindowRect(brimlet.window, &place);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(brimlet.window, shape), ERROR);
    struct Point {
        const char *name;
        int x, y; // on the screen
        bool frame;
    };
    const Point points[] = {
        {"region's top-left pixel", 350, 350, false},
        {"region's middle", 380, 380, false},
        {"region's bottom-right pixel", 409, 409, false},
        {"left of the region", 349, 380, true},
        {"right of the region", 410, 380, true},
        {"above the region", 380, 349, true},
        {"below the region", 380, 410, true},
        {"window's top-left pixel", place.left, place.top, true},
    };
    for (const Point &point : points) {
        EXPECT_EQ(PtInRegion(shape, point.x - place.left, point.y - place.top) != 0, point.frame)
            << point.name;
        EXPECT_EQ(ScreenPixel(point.x, point.y) != green, point.frame) << point.name;
    }
    DeleteObject(shape);
    DestroyWindow(backdrop);

    const int width = place.right - place.left, height = place.bottom - place.top;
    struct Hit {
        const char *name;
        int x, y; // in window coordinates
        LRESULT expected;
    };
    const Hit hits[] = {
        {"top-left corner", 0, 0, HTTOPLEFT},
        {"top-right corner", width - 1, 0, HTTOPRIGHT},
        {"bottom-left corner", 0, height - 1, HTBOTTOMLEFT},
        {"left edge, corner's reach", 0, 8, HTTOPLEFT},
        {"bottom edge, corner's reach", width - 8, height - 1, HTBOTTOMRIGHT},
        {"right edge", width - 1, height / 2, HTRIGHT},
        {"top edge", width / 2, 0, HTTOP},
        {"bottom edge", width / 2, height - 1, HTBOTTOM},
    };
    for (const Hit &hit : hits)
        EXPECT_EQ(SendMessageA(brimlet.window, WM_NCHITTEST, 0,
                               MAKELPARAM(place.left + hit.x, place.top + hit.y)),
                  hit.expected)
            << hit.name;
}

// The user's mouse: the band moves the region, edges and corners resize it, every
// step of a drag sends its record, and the close box ends the program.
TEST_F(BrimletProgram, FollowsTheMouse) {
    HoldMailslot();
    Brimlet brimlet;
    const CaptureRegion region = {200, 200, 100, 80};
    Start(brimlet, region);
    const RECT &frame = brimlet.frame;
    enum Grip { Band, BottomRight, LeftEdge };
    struct Row {
        const char *name;
        Grip grip;
        int dx, dy;
        CaptureRegion expected;
        int resize;
        CaptureRegion alsoExpected; // where the platform stops short, when it may
    };
    const Row rows[] = {
        {"band drags the region", Band, 40, 30, {240, 230, 100, 80}, 0, {}},
        {"bottom-right corner sizes", BottomRight, 20, -10, {240, 230, 120, 70}, 1, {}},
        {"left edge sizes", LeftEdge, -10, 50, {230, 230, 130, 70}, 1, {}},
        // Wine's sizing loop stops a left or top edge one pixel before the minimum.
        {"left edge stops at 8 pixels", LeftEdge, 300, 0, {352, 230, 8, 70}, 1, {351, 230, 9, 70}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        RECT place;
        GetWindowRect(brimlet.window, &place);
        const int x = row.grip == LeftEdge ? place.left + 1
                      : row.grip == Band   ? place.left + frame.left + 5
                                           : place.right - 2;
        const int y = row.grip == Band          ? place.top + frame.top / 2 + 2
                      : row.grip == BottomRight ? place.bottom - 2
                                                : (place.top + place.bottom) / 2;
        MouseTo(x, y, 0);
        MouseTo(x, y, MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 4; ++step)
            MouseTo(x + row.dx * step / 4, y + row.dy * step / 4, 0);
        MouseTo(x + row.dx, y + row.dy, MOUSEEVENTF_LEFTUP);
        const std::vector<std::string> records = ReadRecords();
        ASSERT_GE(records.size(), 2u) << "the region is sent live while dragging";
        for (const std::string &record : records)
            EXPECT_EQ(int(record.back()), row.resize) << Hex({record});
        const bool stoppedShort =
            row.alsoExpected.width != 0 && records.back() == Bytes(row.alsoExpected, row.resize);
        const CaptureRegion reached = stoppedShort ? row.alsoExpected : row.expected;
        EXPECT_EQ(Hex({records.back()}), Hex({Bytes(reached, row.resize)}));
        ExpectTitle(brimlet.window, RegionTitle(reached));
    }
    PlaceRegion(brimlet, region); // wide enough for the close box again
    ReadRecords();
    RECT place;
    GetWindowRect(brimlet.window, &place);
    const int closeX = place.right - frame.right - 5, closeY = place.top + frame.top - 5;
    MouseTo(closeX, closeY, 0);
    MouseTo(closeX, closeY, MOUSEEVENTF_LEFTDOWN);
    MouseTo(closeX, closeY, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(ExitCodeAfter(brimlet.process.hProcess, 10000), 0u) << "the close box";
}

// Each change of the window sends one record, with resize 0 for a move alone; arrows
// move by a pixel, Shift+arrows size by one; the region stays 8 x 8 at least.
TEST_F(BrimletProgram, SendsOneRecordPerChange) {
    struct Row {
        const char *name;
        WORD key; // 0: the window is placed at the target
        bool shift;
        CaptureRegion target, expected;
        int resize; // NoRecord: nothing is sent
    };
    const Row rows[] = {
        {"move alone", 0, false, {150, 250, 60, 120}, {150, 250, 60, 120}, 0},
        {"resize alone", 0, false, {150, 250, 90, 70}, {150, 250, 90, 70}, 1},
        {"move and resize", 0, false, {1000, 900, 700, 500}, {1000, 900, 700, 500}, 1},
        {"same place again", 0, false, {1000, 900, 700, 500}, {}, NoRecord},
        {"negative, too small: 8 x 8", 0, false, {-10, -20, 2, 0}, {-10, -20, 8, 8}, 1},
        {"arrow right", VK_RIGHT, false, {}, {-9, -20, 8, 8}, 0},
        {"arrow down", VK_DOWN, false, {}, {-9, -19, 8, 8}, 0},
        {"arrow left", VK_LEFT, false, {}, {-10, -19, 8, 8}, 0},
        {"arrow up", VK_UP, false, {}, {-10, -20, 8, 8}, 0},
        {"a letter key", 'A', false, {}, {}, NoRecord},
        {"Shift+right grows the width", VK_RIGHT, true, {}, {-10, -20, 9, 8}, 1},
        {"Shift+down grows the height", VK_DOWN, true, {}, {-10, -20, 9, 9}, 1},
        {"Shift+left shrinks the width", VK_LEFT, true, {}, {-10, -20, 8, 9}, 1},
        {"Shift+up shrinks the height", VK_UP, true, {}, {-10, -20, 8, 8}, 1},
        {"Shift+left at the smallest", VK_LEFT, true, {}, {}, NoRecord},
    };
    HoldMailslot();
    Brimlet brimlet;
    CaptureRegion region = {100, 200, 60, 120};
    Start(brimlet, region);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (!row.key)
            PlaceRegion(brimlet, row.target);
        else if (!row.shift)
            PostMessageA(brimlet.window, WM_KEYDOWN, row.key, 1);
        else
            TypeShiftKey(brimlet.window, row.key);
        if (row.resize == NoRecord) {
            EXPECT_EQ(Hex(ReadRecords(QuietTime)), "");
        } else {
            region = row.expected;
            EXPECT_EQ(Hex(ReadRecords()), Hex({Bytes(region, row.resize)}));
        }
        ExpectTitle(brimlet.window, RegionTitle(region));
    }
}

// Without Tessivo nothing is lost: the title says so, and the latest region goes out
// whole once the mailslot is there.
TEST_F(BrimletProgram, WaitsForTessivoAndThenSendsTheLatestRegion) {
    Brimlet brimlet;
    Start(brimlet, {100, 200, 60, 120});
    ExpectTitle(brimlet.window, std::string("100, 200, 60 x 120") + notFound);
    PlaceRegion(brimlet, {110, 210, 70, 80}); // a resize that never reached Tessivo
    PlaceRegion(brimlet, {120, 220, 70, 80}); // then a move alone
    ExpectTitle(brimlet.window, std::string("120, 220, 70 x 80") + notFound);

    HoldMailslot();
    EXPECT_EQ(Hex(ReadRecords()), Hex({Bytes({120, 220, 70, 80}, 1)}));
    ExpectTitle(brimlet.window, "120, 220, 70 x 80");
    PlaceRegion(brimlet, {121, 220, 70, 80});
    EXPECT_EQ(Hex(ReadRecords()), Hex({Bytes({121, 220, 70, 80}, 0)}));

    CloseHandle(testMailslot); // Tessivo ends; Brimlet goes on
    testMailslot = INVALID_HANDLE_VALUE;
    PlaceRegion(brimlet, {122, 220, 70, 80});
    ExpectTitle(brimlet.window, std::string("122, 220, 70 x 80") + notFound);
}

// Two instances run side by side; Tessivo's close reaches one, the other goes on.
TEST_F(BrimletProgram, SeveralInstancesRunSideBySide) {
    HoldMailslot();
    Brimlet brimlets[2];
    for (int i = 0; i < 2; ++i) {
        const CaptureRegion region = {11 * (i + 1), 0, 50, 100};
        Start(brimlets[i], region, i == 0 ? "[REGION]\r\nX=11" : "[REGION]\r\nX=22");
    }
    HWND closing = FindWindowA("Brimlet", nullptr);
    ASSERT_TRUE(closing == brimlets[0].window || closing == brimlets[1].window);
    const int closed = closing == brimlets[0].window ? 0 : 1, open = 1 - closed;
    SendMessageA(closing, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfter(brimlets[closed].process.hProcess, 10000), 0u);
    EXPECT_EQ(WaitForSingleObject(brimlets[open].process.hProcess, 500), (DWORD)WAIT_TIMEOUT);
    PostMessageA(brimlets[open].window, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(Hex(ReadRecords()), Hex({Bytes({11 * (open + 1), 1, 50, 100}, 0)}));
}

} // namespace
