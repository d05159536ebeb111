// The region-selection program, run for real as its own process: the test holds
// Tessivo's mailslot, moves and resizes Brimlet's window, and reads the records.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tessivo.h"
#include "win_test_support.h"

namespace {

const char mailslotName[] = "\\\\.\\mailslot\\tessivo";
const char notFound[] = " - Tessivo not found";
const DWORD StartTimeout = 20000; // a cold Wine start of a new process can be slow
const DWORD RecordTimeout = 3000;
const DWORD QuietTime = 300; // no further record within this time counts as none
const int NoRecord = -1;

typedef std::vector<uint8_t> Record;

struct Brimlet {
    PROCESS_INFORMATION process;
    HWND window;
    RECT frame; // thickness of the frame on each side of the region
};

std::vector<PROCESS_INFORMATION> started;   // every Brimlet of the running test
HANDLE testMailslot = INVALID_HANDLE_VALUE; // the test stands in for Tessivo

// What Tessivo reads: x, y, height, width as little-endian 16-bit values, then resize.
Record ExpectedRecord(const CaptureRegion &region, int resize) {
    Record bytes;
    for (int32_t value : {region.x, region.y, region.height, region.width}) {
        bytes.push_back(uint8_t(value & 0xFF));
        bytes.push_back(uint8_t((value >> 8) & 0xFF));
    }
    bytes.push_back(uint8_t(resize));
    return bytes;
}

std::string RegionTitle(const CaptureRegion &region) {
    return std::to_string(region.x) + ", " + std::to_string(region.y) + ", " +
           std::to_string(region.width) + " x " + std::to_string(region.height);
}

void HoldMailslot() {
    testMailslot = CreateMailslotA(mailslotName, 0, 0, nullptr);
    ASSERT_NE(testMailslot, INVALID_HANDLE_VALUE) << "error " << GetLastError();
}

void ReleaseMailslot() {
    if (testMailslot != INVALID_HANDLE_VALUE)
        CloseHandle(testMailslot);
    testMailslot = INVALID_HANDLE_VALUE;
}

// Takes the next record out of the test's mailslot, waiting up to the timeout.
bool ReadRecord(DWORD timeout, Record &record) {
    DWORD start = GetTickCount();
    do {
        DWORD next = 0, count = 0;
        if (GetMailslotInfo(testMailslot, nullptr, &next, &count, nullptr) && count > 0 &&
            next != MAILSLOT_NO_MESSAGE) {
            record.assign(next, 0);
            DWORD read = 0;
            if (!ReadFile(testMailslot, record.data(), next, &read, nullptr))
                return false;
            record.resize(read);
            return true;
        }
        Sleep(5);
    } while (GetTickCount() - start < timeout);
    return false;
}

std::string Hex(const Record &record) {
    std::string text;
    for (uint8_t byte : record) {
        char two[4];
        snprintf(two, sizeof two, "%02X ", byte);
        text += two;
    }
    return text;
}

// Exactly one record, with these bytes, and nothing after it.
void ExpectOnlyRecord(const Record &expected) {
    Record record;
    ASSERT_TRUE(ReadRecord(RecordTimeout, record)) << "no record; expected " << Hex(expected);
    EXPECT_EQ(Hex(record), Hex(expected));
    Record extra;
    EXPECT_FALSE(ReadRecord(QuietTime, extra)) << "one more record: " << Hex(extra);
}

void ExpectNoRecord() {
    Record extra;
    EXPECT_FALSE(ReadRecord(QuietTime, extra)) << "unexpected record: " << Hex(extra);
}

std::string WindowTitle(HWND window) {
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

// The title is set as the record goes out; poll briefly for a title set from a timer.
void ExpectTitle(HWND window, const std::string &expected) {
    DWORD start = GetTickCount();
    while (WindowTitle(window) != expected && GetTickCount() - start < RecordTimeout)
        Sleep(10);
    EXPECT_EQ(WindowTitle(window), expected);
}

std::string FolderWithSettings(const char *settingsText) {
    std::string folder = MakeTempFolder("brimlet");
    if (settingsText) {
        EXPECT_TRUE(WriteWholeFile(folder + "setting.ini", settingsText));
    }
    return folder;
}

// The process's window of class Brimlet, once it is visible; null when none comes.
HWND FindWindowOfProcess(DWORD processId) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < StartTimeout) {
        const std::vector<HWND> windows = TopWindows("Brimlet", processId);
        if (!windows.empty() && IsWindowVisible(windows[0]))
            return windows[0];
        Sleep(20);
    }
    return nullptr;
}

// Starts the real Brimlet.exe in the folder, as Tessivo's WinExec would, and finds
// its window.
void StartBrimlet(const std::string &folder, Brimlet &brimlet) {
    const std::string path = ProgramFolder() + "Brimlet.exe";
    brimlet = {};
    ASSERT_TRUE(StartProgram(path, folder, brimlet.process))
        << path << ": error " << GetLastError();
    started.push_back(brimlet.process);
    brimlet.window = FindWindowOfProcess(brimlet.process.dwProcessId);
    ASSERT_NE(brimlet.window, nullptr) << "no visible window of class Brimlet";
}

// Reads the first record, checks it, and learns the frame from where the window lies.
void ExpectStartRecord(Brimlet &brimlet, const Record &expected, const CaptureRegion &region) {
    Record record;
    ASSERT_TRUE(ReadRecord(StartTimeout, record)) << "no first record";
    ASSERT_EQ(Hex(record), Hex(expected));
    RECT place;
    GetWindowRect(brimlet.window, &place);
    brimlet.frame = {region.x - place.left, region.y - place.top,
                     place.right - (region.x + region.width),
                     place.bottom - (region.y + region.height)};
}

// Places the window so that the inside of its frame is the given region.
void PlaceRegion(const Brimlet &brimlet, const CaptureRegion &region) {
    const RECT &frame = brimlet.frame;
    SetWindowPos(brimlet.window, nullptr, region.x - frame.left, region.y - frame.top,
                 region.width + frame.left + frame.right, region.height + frame.top + frame.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool EndsWithCodeZero(const PROCESS_INFORMATION &process) {
    return ExitCodeAfter(process.hProcess, 10000) == 0;
}

// Real keyboard input reaches the foreground window, with the key state that
// GetKeyState reports there (posted key messages carry no Shift).
void TypeKey(HWND window, WORD key, bool shift) {
    SetForegroundWindow(window);
    PumpMessages(100);
    INPUT inputs[4] = {};
    int count = 0;
    auto add = [&](WORD virtualKey, DWORD flags) {
        inputs[count].type = INPUT_KEYBOARD;
        inputs[count].ki.wVk = virtualKey;
        inputs[count].ki.dwFlags = flags;
        ++count;
    };
    if (shift)
        add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift)
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(count, inputs, sizeof(INPUT));
}

// Real mouse input, as the user's hand: to a screen point, with the button as given.
void MouseTo(int x, int y, DWORD buttonFlags) {
    SetCursorPos(x, y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | buttonFlags; // no distance: where SetCursorPos put it
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

// Presses the left button at a screen point, moves by the distance in steps, releases.
void Drag(int x, int y, int dx, int dy) {
    const int Steps = 4;
    MouseTo(x, y, 0);
    MouseTo(x, y, MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= Steps; ++step)
        MouseTo(x + dx * step / Steps, y + dy * step / Steps, 0);
    MouseTo(x + dx, y + dy, MOUSEEVENTF_LEFTUP);
}

// Every record that comes within the quiet time of the one before.
std::vector<Record> ReadAllRecords() {
    std::vector<Record> records;
    Record record;
    while (ReadRecord(records.empty() ? RecordTimeout : QuietTime, record))
        records.push_back(record);
    return records;
}

HWND CreateBackdrop(const RECT &place, COLORREF colour) {
    HWND backdrop = CreateTestWindow("BrimletTestBackdrop", 0, WS_POPUP | WS_VISIBLE, place,
                                     CreateSolidBrush(colour));
    PumpMessages(300);
    return backdrop;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Ends every Brimlet still running and lets go of the mailslot.
void EndEverything() {
    for (PROCESS_INFORMATION &process : started) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    started.clear();
    ReleaseMailslot();
}

class BrimletProgram : public ::testing::Test {
  protected:
    void TearDown() override { EndEverything(); }
};

// The first record, from the settings file of the working directory, with resize 1.
TEST_F(BrimletProgram, StartsOnTheRegionOfTheSettingsFile) {
    struct Row {
        const char *name;
        const char *settingsText; // null: no file
        Record expected;
        const char *title;
    };
    const Row rows[] = {
        {"no file: the defaults", nullptr, {0, 0, 0, 0, 0x64, 0, 0x32, 0, 1}, "0, 0, 50 x 100"},
        {"all four keys",
         "[REGION]\r\nX=100\r\nY=200\r\nW=60\r\nH=120\r\n",
         {0x64, 0, 0xC8, 0, 0x78, 0, 0x3C, 0, 1},
         "100, 200, 60 x 120"},
        {"lower-case names; missing keys keep their defaults",
         "[region]\r\nx=300\r\n",
         {0x2C, 0x01, 0, 0, 0x64, 0, 0x32, 0, 1},
         "300, 0, 50 x 100"},
        {"negative position",
         "[REGION]\r\nX=-10\r\nY=-300\r\nW=60\r\nH=120\r\n",
         {0xF6, 0xFF, 0xD4, 0xFE, 0x78, 0, 0x3C, 0, 1},
         "-10, -300, 60 x 120"},
        {"a size below 8 x 8 is raised to it",
         "[REGION]\r\nX=5\r\nY=6\r\nW=3\r\nH=-40\r\n",
         {5, 0, 6, 0, 8, 0, 8, 0, 1},
         "5, 6, 8 x 8"},
        {"the same names in other sections change nothing",
         "[COLOR]\r\nX=7\r\n[SETTING]\r\nW=9\r\n[REGION]\r\nY=33\r\n",
         {0, 0, 0x21, 0, 0x64, 0, 0x32, 0, 1},
         "0, 33, 50 x 100"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        HoldMailslot();
        Brimlet brimlet;
        StartBrimlet(FolderWithSettings(row.settingsText), brimlet);
        Record record;
        ASSERT_TRUE(ReadRecord(StartTimeout, record)) << "no first record";
        EXPECT_EQ(Hex(record), Hex(row.expected));
        ExpectNoRecord();
        ExpectTitle(brimlet.window, row.title);
        PostMessageA(brimlet.window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(EndsWithCodeZero(brimlet.process));
        EndEverything();
    }
}

// The window is a frame around the region, and only the frame: the inside belongs to
// whatever lies beneath, for the eye and for the mouse.
TEST_F(BrimletProgram, IsAFrameAroundTheRegion) {
    HoldMailslot();
    Brimlet brimlet;
    StartBrimlet(FolderWithSettings("[REGION]\r\nX=100\r\nY=200\r\nW=60\r\nH=120\r\n"), brimlet);
    const CaptureRegion region = {100, 200, 60, 120};
    ExpectStartRecord(brimlet, ExpectedRecord(region, 1), region);
    const RECT &frame = brimlet.frame;
    EXPECT_GT(frame.left, 0);
    EXPECT_GT(frame.top, 0);
    EXPECT_GT(frame.right, 0);
    EXPECT_GT(frame.bottom, 0);
    EXPECT_NE(GetWindowLongA(brimlet.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(brimlet.window, shape), ERROR);
    // Points in window coordinates; the region starts at (frame.left, frame.top).
    const int left = frame.left, top = frame.top;
    const int right = left + region.width - 1, bottom = top + region.height - 1;
    struct Row {
        const char *name;
        int x, y;
        bool inFrame;
    };
    const Row rows[] = {
        {"region's top-left pixel", left, top, false},
        {"region's bottom-right pixel", right, bottom, false},
        {"region's middle", left + 30, top + 60, false},
        {"left of the region", left - 1, top, true},
        {"above the region", left, top - 1, true},
        {"right of the region", right + 1, bottom, true},
        {"below the region", right, bottom + 1, true},
        {"window's top-left pixel", 0, 0, true},
    };
    for (const Row &row : rows)
        EXPECT_EQ(PtInRegion(shape, row.x, row.y) != 0, row.inFrame) << row.name;
    DeleteObject(shape);
}

// Where the mouse grips the frame: the platform moves or sizes the window accordingly.
TEST_F(BrimletProgram, FrameAnswersHitTests) {
    HoldMailslot();
    Brimlet brimlet;
    StartBrimlet(FolderWithSettings("[REGION]\r\nX=100\r\nY=200\r\nW=60\r\nH=120\r\n"), brimlet);
    const CaptureRegion region = {100, 200, 60, 120};
    ExpectStartRecord(brimlet, ExpectedRecord(region, 1), region);
    RECT place;
    GetWindowRect(brimlet.window, &place);
    const int width = place.right - place.left, height = place.bottom - place.top;
    const RECT &frame = brimlet.frame;
    struct Row {
        const char *name;
        int x, y; // in window coordinates
        LRESULT expected;
    };
    const Row rows[] = {
        {"top-left corner", 0, 0, HTTOPLEFT},
        {"top-right corner", width - 1, 0, HTTOPRIGHT},
        {"bottom-left corner", 0, height - 1, HTBOTTOMLEFT},
        {"bottom-right corner", width - 1, height - 1, HTBOTTOMRIGHT},
        {"left edge, corner's reach", 0, 8, HTTOPLEFT},
        {"bottom edge, corner's reach", width - 8, height - 1, HTBOTTOMRIGHT},
        {"left edge", 0, height / 2, HTLEFT},
        {"right edge", width - 1, height / 2, HTRIGHT},
        {"top edge", width / 2, 0, HTTOP},
        {"bottom edge", width / 2, height - 1, HTBOTTOM},
        {"band above the region", width / 3, frame.top - 2, HTCAPTION},
        {"right end of the band", width - frame.right - 3, frame.top - 4, HTCLOSE},
    };
    for (const Row &row : rows) {
        LRESULT hit = SendMessageA(brimlet.window, WM_NCHITTEST, 0,
                                   MAKELPARAM(place.left + row.x, place.top + row.y));
        EXPECT_EQ(hit, row.expected) << row.name;
    }
}

// On the screen: the frame covers what lies beneath, the inside shows it.
TEST_F(BrimletProgram, InsideShowsWhatLiesBeneath) {
    const COLORREF green = RGB(0, 160, 0);
    HWND backdrop = CreateBackdrop({300, 300, 500, 500}, green);
    ASSERT_EQ(ScreenPixel(348, 380), green) << "the backdrop is not on the screen";
    HoldMailslot();
    Brimlet brimlet;
    StartBrimlet(FolderWithSettings("[REGION]\r\nX=350\r\nY=350\r\nW=60\r\nH=60\r\n"), brimlet);
    const CaptureRegion region = {350, 350, 60, 60};
    ExpectStartRecord(brimlet, ExpectedRecord(region, 1), region);
    PumpMessages(500); // the backdrop repaints what Brimlet's start uncovered
    struct Row {
        const char *name;
        int x, y;
        bool frame;
    };
    const Row rows[] = {
        {"region's top-left pixel", 350, 350, false},
        {"region's middle", 380, 380, false},
        {"region's bottom-right pixel", 409, 409, false},
        {"left of the region", 349, 380, true},
        {"right of the region", 410, 380, true},
        {"above the region", 380, 349, true},
        {"below the region", 380, 410, true},
    };
    for (const Row &row : rows) {
        COLORREF colour = ScreenPixel(row.x, row.y);
        if (row.frame)
            EXPECT_NE(colour, green) << row.name;
        else
            EXPECT_EQ(colour, green) << row.name;
    }
    DestroyWindow(backdrop);
}

// The user's mouse: the band moves the region, edges and corners resize it, every
// step of a drag sends its record, and the close box ends the program.
TEST_F(BrimletProgram, FollowsTheMouse) {
    HoldMailslot();
    Brimlet brimlet;
    StartBrimlet(FolderWithSettings("[REGION]\r\nX=200\r\nY=200\r\nW=100\r\nH=80\r\n"), brimlet);
    const CaptureRegion region = {200, 200, 100, 80};
    ExpectStartRecord(brimlet, ExpectedRecord(region, 1), region);
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
        {"corner stops at 8 pixels", BottomRight, 10, -300, {230, 230, 140, 8}, 1, {}},
        // Wine's sizing loop stops a left or top edge one pixel before the minimum.
        {"left edge stops at 8 pixels", LeftEdge, 300, 0, {362, 230, 8, 8}, 1, {361, 230, 9, 8}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        RECT place;
        GetWindowRect(brimlet.window, &place);
        int x = row.grip == LeftEdge ? place.left + 1
                : row.grip == Band   ? place.left + frame.left + 5
                                     : place.right - 2;
        int y = row.grip == Band          ? place.top + frame.top / 2 + 2
                : row.grip == BottomRight ? place.bottom - 2
                                          : (place.top + place.bottom) / 2;
        Drag(x, y, row.dx, row.dy);
        std::vector<Record> records = ReadAllRecords();
        ASSERT_FALSE(records.empty());
        EXPECT_GE(records.size(), 2u) << "the region is sent live while dragging";
        for (const Record &record : records)
            EXPECT_EQ(int(record.back()), row.resize) << Hex(record);
        CaptureRegion reached = row.expected;
        if (row.alsoExpected.width != 0 &&
            Hex(records.back()) == Hex(ExpectedRecord(row.alsoExpected, row.resize)))
            reached = row.alsoExpected;
        EXPECT_EQ(Hex(records.back()), Hex(ExpectedRecord(reached, row.resize)));
        ExpectTitle(brimlet.window, RegionTitle(reached));
    }
    PlaceRegion(brimlet, region);
    ReadAllRecords();
    RECT place;
    GetWindowRect(brimlet.window, &place);
    const int closeX = place.right - frame.right - 5, closeY = place.top + frame.top - 5;
    MouseTo(closeX, closeY, 0);
    MouseTo(closeX, closeY, MOUSEEVENTF_LEFTDOWN);
    MouseTo(closeX, closeY, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(EndsWithCodeZero(brimlet.process)) << "the close box did not close it";
}

// Each change of the window sends one record: resize 0 for a move alone.
TEST_F(BrimletProgram, SendsOneRecordPerChange) {
    enum Action { Place, Key, ShiftKey };
    struct Row {
        const char *name;
        Action action;
        CaptureRegion target; // for Place
        WORD key;             // for Key and ShiftKey
        CaptureRegion expected;
        int resize; // NoRecord: nothing is sent
    };
    const Row rows[] = {
        {"move alone", Place, {150, 250, 60, 120}, 0, {150, 250, 60, 120}, 0},
        {"resize alone", Place, {150, 250, 90, 70}, 0, {150, 250, 90, 70}, 1},
        {"move and resize", Place, {10, 20, 30, 40}, 0, {10, 20, 30, 40}, 1},
        {"same place again", Place, {10, 20, 30, 40}, 0, {}, NoRecord},
        {"negative position", Place, {-10, -20, 30, 40}, 0, {-10, -20, 30, 40}, 0},
        {"too small: 8 x 8", Place, {-10, -20, 2, 0}, 0, {-10, -20, 8, 8}, 1},
        {"arrow right", Key, {}, VK_RIGHT, {-9, -20, 8, 8}, 0},
        {"arrow down", Key, {}, VK_DOWN, {-9, -19, 8, 8}, 0},
        {"arrow left", Key, {}, VK_LEFT, {-10, -19, 8, 8}, 0},
        {"arrow up", Key, {}, VK_UP, {-10, -20, 8, 8}, 0},
        {"a letter key", Key, {}, 'A', {}, NoRecord},
        {"Shift+right grows the width", ShiftKey, {}, VK_RIGHT, {-10, -20, 9, 8}, 1},
        {"Shift+down grows the height", ShiftKey, {}, VK_DOWN, {-10, -20, 9, 9}, 1},
        {"Shift+left shrinks the width", ShiftKey, {}, VK_LEFT, {-10, -20, 8, 9}, 1},
        {"Shift+up shrinks the height", ShiftKey, {}, VK_UP, {-10, -20, 8, 8}, 1},
        {"Shift+left at the smallest", ShiftKey, {}, VK_LEFT, {}, NoRecord},
        {"large place", Place, {1000, 900, 700, 500}, 0, {1000, 900, 700, 500}, 1},
    };
    HoldMailslot();
    Brimlet brimlet;
    StartBrimlet(FolderWithSettings("[REGION]\r\nX=100\r\nY=200\r\nW=60\r\nH=120\r\n"), brimlet);
    CaptureRegion region = {100, 200, 60, 120};
    ExpectStartRecord(brimlet, ExpectedRecord(region, 1), region);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.action == Place)
            PlaceRegion(brimlet, row.target);
        else if (row.action == Key)
            PostMessageA(brimlet.window, WM_KEYDOWN, row.key, 1);
        else
            TypeKey(brimlet.window, row.key, true);
        if (row.resize == NoRecord) {
            ExpectNoRecord();
        } else {
            region = row.expected;
            ExpectOnlyRecord(ExpectedRecord(region, row.resize));
        }
        ExpectTitle(brimlet.window, RegionTitle(region));
    }
}

// Without Tessivo nothing is lost: the title says so, and the latest region goes out
// whole once the mailslot is there.
TEST_F(BrimletProgram, WaitsForTessivoAndThenSendsTheLatestRegion) {
    Brimlet brimlet;
    StartBrimlet(FolderWithSettings("[REGION]\r\nX=100\r\nY=200\r\nW=60\r\nH=120\r\n"), brimlet);
    ExpectTitle(brimlet.window, std::string("100, 200, 60 x 120") + notFound);
    RECT place; // no record to learn the frame from: the region is known
    GetWindowRect(brimlet.window, &place);
    brimlet.frame = {100 - place.left, 200 - place.top, place.right - 160, place.bottom - 320};

    PlaceRegion(brimlet, {110, 210, 60, 120});
    ExpectTitle(brimlet.window, std::string("110, 210, 60 x 120") + notFound);
    PlaceRegion(brimlet, {110, 210, 70, 80}); // a resize that never reached Tessivo
    PlaceRegion(brimlet, {120, 220, 70, 80}); // then a move alone
    ExpectTitle(brimlet.window, std::string("120, 220, 70 x 80") + notFound);

    HoldMailslot();
    ExpectOnlyRecord(ExpectedRecord({120, 220, 70, 80}, 1));
    ExpectTitle(brimlet.window, "120, 220, 70 x 80");
    PlaceRegion(brimlet, {121, 220, 70, 80});
    ExpectOnlyRecord(ExpectedRecord({121, 220, 70, 80}, 0));

    ReleaseMailslot(); // Tessivo ends; Brimlet goes on
    PlaceRegion(brimlet, {122, 220, 70, 80});
    ExpectTitle(brimlet.window, std::string("122, 220, 70 x 80") + notFound);
    PostMessageA(brimlet.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(EndsWithCodeZero(brimlet.process));
}

// WM_CLOSE as Tessivo sends it at exit, a posted one, and Escape: the process ends
// with code 0, with or without Tessivo listening.
TEST_F(BrimletProgram, EndsWithCodeZeroWhenClosed) {
    enum Way { SentClose, PostedClose, Escape };
    struct Row {
        const char *name;
        Way way;
        bool tessivo;
    };
    const Row rows[] = {
        {"WM_CLOSE sent", SentClose, true},
        {"WM_CLOSE posted", PostedClose, true},
        {"Escape", Escape, true},
        {"WM_CLOSE sent, no Tessivo", SentClose, false},
        {"Escape, no Tessivo", Escape, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.tessivo)
            HoldMailslot();
        Brimlet brimlet;
        StartBrimlet(FolderWithSettings(nullptr), brimlet);
        if (row.tessivo) {
            Record record;
            EXPECT_TRUE(ReadRecord(StartTimeout, record));
        } else {
            ExpectTitle(brimlet.window, std::string("0, 0, 50 x 100") + notFound);
        }
        if (row.way == SentClose)
            SendMessageA(brimlet.window, WM_CLOSE, 0, 0);
        else if (row.way == PostedClose)
            PostMessageA(brimlet.window, WM_CLOSE, 0, 0);
        else
            PostMessageA(brimlet.window, WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_TRUE(EndsWithCodeZero(brimlet.process));
        EndEverything();
    }
}

// Two instances run side by side; Tessivo's close reaches one, the other goes on.
TEST_F(BrimletProgram, SeveralInstancesRunSideBySide) {
    HoldMailslot();
    Brimlet first, second;
    StartBrimlet(FolderWithSettings("[REGION]\r\nX=11\r\n"), first);
    Record record;
    ASSERT_TRUE(ReadRecord(StartTimeout, record));
    EXPECT_EQ(Hex(record), Hex(ExpectedRecord({11, 0, 50, 100}, 1)));
    StartBrimlet(FolderWithSettings("[REGION]\r\nX=22\r\n"), second);
    ASSERT_TRUE(ReadRecord(StartTimeout, record));
    EXPECT_EQ(Hex(record), Hex(ExpectedRecord({22, 0, 50, 100}, 1)));

    HWND closing = FindWindowA("Brimlet", nullptr);
    ASSERT_TRUE(closing == first.window || closing == second.window);
    SendMessageA(closing, WM_CLOSE, 0, 0);
    const Brimlet &closed = closing == first.window ? first : second;
    const Brimlet &open = closing == first.window ? second : first;
    EXPECT_TRUE(EndsWithCodeZero(closed.process));
    EXPECT_EQ(WaitForSingleObject(open.process.hProcess, 500), (DWORD)WAIT_TIMEOUT);
    PostMessageA(open.window, WM_KEYDOWN, VK_DOWN, 1);
    int x = open.window == first.window ? 11 : 22;
    ExpectOnlyRecord(ExpectedRecord({x, 1, 50, 100}, 0));
}

} // namespace
