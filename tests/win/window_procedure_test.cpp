// The main window's handling, driven by real messages to the real main window of
// this process.
#include <gtest/gtest.h>

#include <string>

#include "app/main_window.h"
#include "app/surface.h"
#include "app/window_procedure.h"
#include "config/region_link.h"
#include "tessivo.h"
#include "win_test_support.h"

static HWND mainWindow;

// "クリップボードにコピーしました", "確認", "クリップボードにコピーできませんでした", "エラー"
static const std::string copied = "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9"
                                  "\x83\x52\x83\x73\x81\x5B\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
static const std::string confirmation = "\x8A\x6D\x94\x46";
static const std::string notCopied = "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68"
                                     "\x82\xC9\x83\x52\x83\x73\x81\x5B\x82\xC5\x82\xAB\x82\xDC"
                                     "\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD";
static const std::string error = "\x83\x47\x83\x89\x81\x5B";

class WindowProcedureTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The working folder of ctest holds no setting.ini: the defaults apply.
        mainWindow = CreateMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(mainWindow, nullptr);
    }
};

// Must run first: nothing has been sampled yet, so the sample is still black.
TEST_F(WindowProcedureTest, ACaptureBeforeTheFirstTickGivesRedOverRed) {
    ASSERT_TRUE(moveRecord.empty());
    EXPECT_EQ(SendMessageA(mainWindow, WM_COMMAND, CmdCapture, 0), 0);
    ASSERT_EQ(moveRecord.size(), 1u);
    EXPECT_EQ(moveRecord[0].lower, ColourRed);
    EXPECT_EQ(moveRecord[0].upper, ColourRed);
    EXPECT_EQ(GetPixel(hueView.dc, 25, 50), 0x0000FFu) << "black shows pure red";
}

TEST_F(WindowProcedureTest, StartUpMadeTheSurfacesAndTheMailslot) {
    struct {
        const char *name;
        const Surface &surface;
        int width, height;
    } rows[] = {{"backBuffer", backBuffer, 1200, 400},
                {"captureSurface", captureSurface, 50, 100},
                {"hueView", hueView, 50, 100},
                {"classView", classView, 50, 100}};
    for (auto &row : rows) {
        EXPECT_EQ(row.surface.width, row.width) << row.name;
        EXPECT_EQ(row.surface.height, row.height) << row.name;
        EXPECT_NE(row.surface.dc, nullptr) << row.name;
        EXPECT_NE(row.surface.bitmap, nullptr) << row.name;
    }
    EXPECT_NE(regionMailslot, INVALID_HANDLE_VALUE);
    EXPECT_EQ(settings.interval, 24);
    EXPECT_EQ(desktopWindow, GetDesktopWindow());
    RECT outer;
    GetWindowRect(mainWindow, &outer);
    EXPECT_EQ(outer.right - outer.left, 360);
    EXPECT_EQ(outer.bottom - outer.top, 220);
}

TEST_F(WindowProcedureTest, CommandsAreDecidedByTheLowWordAlone) {
    struct {
        WPARAM wParam;
        int change; // in the record's size, from three pairs
    } rows[] = {
        {MAKEWPARAM(CmdCapture, 0), +1},      {MAKEWPARAM(CmdCapture, BN_CLICKED), +1},
        {MAKEWPARAM(CmdCapture, 0xFFFF), +1}, {MAKEWPARAM(CmdUndo, 0), -1},
        {MAKEWPARAM(CmdUndo, BN_DBLCLK), -1}, {MAKEWPARAM(CmdReset, 0), -3},
        {MAKEWPARAM(CmdReset, 0x8000), -3},   {MAKEWPARAM(5, 0), 0},
        {MAKEWPARAM(6, CmdCapture), 0},       {MAKEWPARAM(0xFFFF, 0), 0},
        {MAKEWPARAM(100, BN_CLICKED), 0},
    };
    for (auto &row : rows) {
        moveRecord.assign(3, BlobPair{ColourGreen, ColourBlue});
        EXPECT_EQ(SendMessageA(mainWindow, WM_COMMAND, row.wParam, 12345), 0)
            << "wParam " << std::hex << row.wParam;
        EXPECT_EQ((int)moveRecord.size(), 3 + row.change) << "wParam " << std::hex << row.wParam;
    }
}

TEST_F(WindowProcedureTest, UndoAndResetOnAnEmptyRecordChangeNothing) {
    moveRecord.assign(5, BlobPair{ColourRed, ColourBlue});
    moveRecord.clear();
    size_t capacity = moveRecord.capacity();
    for (WORD id : {CmdUndo, CmdReset, CmdUndo}) {
        EXPECT_EQ(SendMessageA(mainWindow, WM_COMMAND, id, 0), 0);
        EXPECT_TRUE(moveRecord.empty());
        EXPECT_EQ(moveRecord.capacity(), capacity);
    }
}

TEST_F(WindowProcedureTest, OnlyTheCaptureHotKeyCaptures) {
    struct {
        WPARAM id;
        size_t change;
    } rows[] = {{HotkeyCaptureId, 1}, {9253, 0}, {0, 0}, {1, 0}, {0x2424 + 0x10000, 0}};
    for (auto &row : rows) {
        moveRecord.clear();
        EXPECT_EQ(SendMessageA(mainWindow, WM_HOTKEY, row.id, MAKELPARAM(MOD_ALT, VK_F1)), 0);
        EXPECT_EQ(moveRecord.size(), row.change) << "hot key " << row.id;
    }
}

// A window of one colour placed over the capture region; any timer identifier
// takes a sample of it.
TEST_F(WindowProcedureTest, EveryTimerMessageTakesASample) {
    HWND scene = CreateTestWindow("SampleColourWindow", WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE,
                                  {0, 0, 50, 100});
    ASSERT_NE(scene, nullptr);
    settings.region = CaptureRegion{0, 0, 50, 100};
    // Only the ticks sent here may sample: the window's own timer is stopped.
    KillTimer(mainWindow, SamplingTimerId);
    struct {
        UINT_PTR timer;
        COLORREF colour;
    } rows[] = {{0, 0x0000FF}, {1, 0x00FF00}, {77, 0xFF0000}, {0xFFFF, 0x00FFFF}};
    for (auto &row : rows) {
        HDC dc = GetDC(scene);
        RECT all = {0, 0, 50, 100};
        HBRUSH brush = CreateSolidBrush(row.colour);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(scene, dc);
        // The display shows the new colour a little later; each try is a new tick
        // with the same identifier, so a tick that took no sample never passes.
        for (int tries = 0; tries < 200 && GetPixel(captureSurface.dc, 25, 50) != row.colour;
             ++tries) {
            PumpMessages(10);
            EXPECT_EQ(SendMessageA(mainWindow, WM_TIMER, row.timer, 0), 0);
        }
        EXPECT_EQ(GetPixel(captureSurface.dc, 25, 50), row.colour) << "timer " << row.timer;
        EXPECT_EQ(GetPixel(captureSurface.dc, 0, 0), row.colour) << "timer " << row.timer;
    }
    DestroyWindow(scene);
    SetTimer(mainWindow, SamplingTimerId, (UINT)settings.interval, nullptr);
}

// Regions that cannot be copied leave the last sample in place and the program
// running; the tick still repaints.
TEST_F(WindowProcedureTest, ARegionThatCannotBeCopiedKeepsTheLastSample) {
    CaptureRegion rows[] = {{0, 0, 0, 100},      {0, 0, 50, 0},      {0, 0, 0, 0},
                            {0, 0, 40000, 100},  {0, 0, 50, -32768}, {-5, -5, 32768, 32768},
                            {0, 0, -40000, 100}, {0, 0, 50, 65536}};
    RECT all = {0, 0, captureSurface.width, captureSurface.height};
    HBRUSH marker = CreateSolidBrush(0x345678);
    for (const CaptureRegion &region : rows) {
        SCOPED_TRACE(std::to_string(region.width) + " x " + std::to_string(region.height));
        FillRect(captureSurface.dc, &all, marker);
        settings.region = region;
        EXPECT_EQ(SendMessageA(mainWindow, WM_TIMER, SamplingTimerId, 0), 0);
        EXPECT_EQ(GetPixel(captureSurface.dc, 25, 50), 0x345678u);
        EXPECT_TRUE(GetUpdateRect(mainWindow, nullptr, FALSE)) << "the tick asks for a paint";
        ValidateRect(mainWindow, nullptr);
    }
    DeleteObject(marker);
    settings.region = defaultSettings.region;
}

TEST_F(WindowProcedureTest, SizeLimitCapsTrackingOnly) {
    MINMAXINFO limits;
    limits.ptReserved = {1, 2};
    limits.ptMaxSize = {3000, 2000};
    limits.ptMaxPosition = {-8, -9};
    limits.ptMinTrackSize = {112, 27};
    limits.ptMaxTrackSize = {5000, 4000};
    EXPECT_EQ(SendMessageA(mainWindow, WM_GETMINMAXINFO, 0, (LPARAM)&limits), 0);
    EXPECT_EQ(limits.ptMaxTrackSize.x, 1200);
    EXPECT_EQ(limits.ptMaxTrackSize.y, 400);
    EXPECT_EQ(limits.ptReserved.x, 1);
    EXPECT_EQ(limits.ptReserved.y, 2);
    EXPECT_EQ(limits.ptMaxSize.x, 3000);
    EXPECT_EQ(limits.ptMaxSize.y, 2000);
    EXPECT_EQ(limits.ptMaxPosition.x, -8);
    EXPECT_EQ(limits.ptMaxPosition.y, -9);
    EXPECT_EQ(limits.ptMinTrackSize.x, 112);
    EXPECT_EQ(limits.ptMinTrackSize.y, 27);

    // The platform applies the limit when the window is sized.
    SetWindowPos(mainWindow, nullptr, 0, 0, 2000, 900, SWP_NOZORDER | SWP_NOMOVE);
    RECT outer;
    GetWindowRect(mainWindow, &outer);
    EXPECT_LE(outer.right - outer.left, 1200);
    EXPECT_LE(outer.bottom - outer.top, 400);
    SetWindowPos(mainWindow, nullptr, 0, 0, 360, 220, SWP_NOZORDER | SWP_NOMOVE);
}

TEST_F(WindowProcedureTest, LinkExportConfirmsWithTheRightBox) {
    moveRecord = {{ColourRed, ColourGreen}, {ColourBlue, ColourBlue}};
    BoxSeen box = SendCommandWithBox(mainWindow, CmdMakeLink);
    EXPECT_EQ(box.caption, confirmation);
    EXPECT_EQ(box.text, copied);
    std::string link = ReadClipboardText().text;
    EXPECT_EQ(link.substr(0, 7), "http://");
    EXPECT_EQ(link.substr(link.size() - 6), "?_c1s1");
    EXPECT_EQ(moveRecord.size(), 2u) << "the export leaves the record";

    moveRecord.clear();
    box = SendCommandWithBox(mainWindow, CmdMakeLink);
    EXPECT_EQ(box.text, copied) << "an empty record is exported too";
    EXPECT_EQ(ReadClipboardText().text.back(), '_');
}

TEST_F(WindowProcedureTest, ATooLongRecordSaysHowManyMovesWereCopied) {
    moveRecord.assign(1000, BlobPair{ColourYellow, ColourRed});
    BoxSeen box = SendCommandWithBox(mainWindow, CmdMakeLink);
    std::string link = ReadClipboardText().text;
    size_t prefix = link.find("?_") + 2;
    size_t written = (link.size() - prefix) / 2;
    EXPECT_LE(link.size(), 1023u);
    EXPECT_GT(link.size(), 1021u);
    // "（先頭N手のみ）" after the copied text
    EXPECT_EQ(box.text, copied + "\x81\x69\x90\xE6\x93\xAA" + std::to_string(written) +
                            "\x8E\xE8\x82\xCC\x82\xDD\x81\x6A");
    EXPECT_EQ(box.caption, confirmation);
    EXPECT_EQ(moveRecord.size(), 1000u);
}

static DWORD WINAPI HoldClipboard(LPVOID release) {
    OpenClipboard(nullptr);
    WaitForSingleObject((HANDLE)release, 20000);
    CloseClipboard();
    return 0;
}

TEST_F(WindowProcedureTest, AClipboardHeldElsewhereGivesTheErrorBox) {
    moveRecord = {{ColourRed, ColourRed}};
    SendCommandWithBox(mainWindow, CmdMakeLink);
    std::string before = ReadClipboardText().text;

    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE holder = CreateThread(nullptr, 0, HoldClipboard, release, 0, nullptr);
    Sleep(200);
    moveRecord = {{ColourGreen, ColourGreen}};
    BoxSeen box = SendCommandWithBox(mainWindow, CmdMakeLink);
    SetEvent(release);
    WaitForSingleObject(holder, 20000);
    CloseHandle(holder);
    CloseHandle(release);

    EXPECT_EQ(box.caption, error);
    EXPECT_EQ(box.text, notCopied);
    EXPECT_EQ(ReadClipboardText().text, before);
}

TEST_F(WindowProcedureTest, ASecondMainWindowCannotBeMade) {
    // The class is registered already: the entry point would end with -1.
    EXPECT_EQ(CreateMainWindow(GetModuleHandleA(nullptr)), nullptr);
}

TEST_F(WindowProcedureTest, TheButtonsCarryTheirCommandsAndTexts) {
    struct {
        HWND button;
        int id;
        const char *text;
        int left, width;
    } rows[] = {
        {captureButton, CmdCapture, "\x83\x4C\x83\x83\x83\x76\x83\x60\x83\x83(ALT+F1)", 0, 100},
        {undoButton, CmdUndo, "1\x8E\xE8\x96\xDF\x82\xB7", 100, 60},
        {resetButton, CmdReset, "RESET", 160, 60},
        {linkButton, CmdMakeLink, "URL\x90\xB6\x90\xAC", 220, 60},
        {regionButton, CmdSelectRegion, "\x97\xCC\x88\xE6\x91\x49\x91\xF0", 280, 60},
    };
    for (auto &row : rows) {
        SCOPED_TRACE(row.text);
        ASSERT_NE(row.button, nullptr);
        EXPECT_EQ(GetDlgCtrlID(row.button), row.id);
        char text[64];
        GetWindowTextA(row.button, text, sizeof text);
        EXPECT_STREQ(text, row.text);
        RECT place;
        GetWindowRect(row.button, &place);
        MapWindowPoints(nullptr, mainWindow, (POINT *)&place, 2);
        EXPECT_EQ(place.left, row.left);
        EXPECT_EQ(place.top, 0);
        EXPECT_EQ(place.right - place.left, row.width);
        EXPECT_EQ(place.bottom - place.top, 20);
        EXPECT_EQ(SendMessageA(row.button, WM_GETFONT, 0, 0),
                  (LRESULT)GetStockObject(DEFAULT_GUI_FONT));
    }
    EXPECT_TRUE(GetWindowLongA(mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    char title[32];
    GetWindowTextA(mainWindow, title, sizeof title);
    EXPECT_STREQ(title, "Tessivo");
}
