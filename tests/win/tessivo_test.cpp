// The platform code on the platform, in one process: Tessivo's real main window, its
// DIB sections, settings files, the region mailslot and the clipboard.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "app/main_window.h"
#include "app/picture.h"
#include "app/surface.h"
#include "app/window_procedure.h"
#include "config/region_link.h"
#include "config/region_message.h"
#include "config/settings_file.h"
#include "recognition/pixel_hue.h"
#include "recognition/recogniser.h"
#include "record/link_text.h"

static HWND Tessivo() { // made once; its start-up finds no setting.ini here: the defaults
    static HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    return window;
}

// Makes a folder of its own the working folder, with setting.ini holding the text (null: none).
static void WorkIn(const std::string *ini) {
    static int made;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder =
        temp + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++made);
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());
    SetFileAttributesA("setting.ini", FILE_ATTRIBUTE_NORMAL); // one left by an earlier run
    DeleteFileA("setting.ini"); // of a process with the same number goes
    if (ini)
        std::ofstream("setting.ini", std::ios::binary) << *ini;
}

static void Fill(const Surface &surface, RECT area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(surface.dc, &area, brush);
    DeleteObject(brush);
}

// Per row: the sample's upper half, its lower half and a stripe over the left 20 columns,
// with the colour numbers each is recognised as.
TEST(Recognition, VotesTheCellsAndPaintsTheViewsAndThePicture) {
    ASSERT_NE(Tessivo(), nullptr);
    const COLORREF classColours[6] = {0, 0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xFF00FF};
    const COLORREF rows[][6] = {{RGB(230, 40, 40), RGB(40, 200, 60), RGB(40, 80, 230), 1, 2, 3},
                                {RGB(240, 220, 30), RGB(170, 50, 200), RGB(40, 200, 60), 4, 5, 2},
                                {RGB(40, 80, 230), RGB(128, 128, 128), RGB(240, 220, 30), 3, 1, 4}};
    for (const COLORREF *row : rows) {
        Fill(captureSurface, {0, 0, 50, 50}, row[0]);
        Fill(captureSurface, {0, 50, 50, 100}, row[1]);
        Fill(captureSurface, {0, 0, 20, 100}, row[2]); // 14 of each cell's 38 columns
        Fill(classView, {0, 0, 50, 100}, 0xFFFFFF);
        BlobPair pair = RecognisePair(captureSurface);
        EXPECT_EQ(pair.upper * 10 + pair.lower, int(row[3] * 10 + row[4]));
        int wrong = 0; // the cells are 38 x 38, 6 pixels in from the sides of each half
        for (int x = 0; x < 50; ++x)
            for (int y = 0; y < 100; ++y) {
                bool voted = x >= 6 && x < 44 && ((y >= 6 && y < 44) || (y >= 56 && y < 94));
                COLORREF colour = classColours[row[x < 20 ? 5 : y < 50 ? 3 : 4]];
                wrong += GetPixel(classView.dc, x, y) != (voted ? colour : 0);
                wrong += GetPixel(hueView.dc, x, y) !=
                         PureHuePixel(PixelHue(GetPixel(captureSurface.dc, x, y)));
            }
        EXPECT_EQ(wrong, 0) << "pixels of the hue and class views, row " << row[3];
    }

    // Client width and height; pairs a row; pairs shown, the rest lie below the client area.
    const COLORREF discs[6] = {0, 0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xC800C8};
    for (int i = 0; i < 14; ++i)
        moveRecord.push_back({1 + i % 5, 1 + (i + 2) % 5});
    for (auto &row : {std::vector<int>{120, 200, 5, 10}, {20, 250, 1, 3}}) {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, row[0], row[1], nullptr,
                                      nullptr, nullptr, nullptr);
        ComposePicture(window, nullptr);
        for (int i = 0; i < row[3] + row[2]; ++i) { // up to the first row not shown
            int x = 15 + 20 * (i % row[2]), y = 115 + 40 * (i / row[2]); // in the upper disc
            COLORREF upper = GetPixel(backBuffer.dc, x, y),
                     lower = GetPixel(backBuffer.dc, x, y + 25);
            EXPECT_EQ(upper, i < row[3] ? discs[moveRecord[i].upper] : 0x888888) << i;
            EXPECT_TRUE(i >= row[3] || lower == discs[moveRecord[i].lower]) << i;
        }
        DestroyWindow(window);
    }
}

TEST(SettingsFile, MissingSampleAnyCaseGarbageBinaryLongAndWideValues) {
    std::ifstream file(TESSIVO_SOURCE_DIR "/dist/setting.ini", std::ios::binary);
    const std::string sample{std::istreambuf_iterator<char>(file), {}},
        defaults = "0 0 50 100 0 144 216 72 288 24 0 4";
    const std::string rows[][2] = {
        {sample, defaults},
        {"[region]\r\nx=-5\r\ny=7\r\nw=60\r\nh=120\r\n[Color]\r\nRed=10\r\ngreen=20\r\nBLUE=30\r\n"
         "yellow=40\r\npurple=50\r\n[SETTING]\r\nInterval=100\r\nauto=1\r\nSettle=6\r\n",
         "-5 7 60 120 10 20 30 40 50 100 1 6"},
        {"[REGION]\nX=abc\nY=12px\nW=4294967297\n[SETTING]\nINTERVAL=15\nAUTO=on\nSETTLE=1",
         "0 12 1 100 0 144 216 72 288 16 0 2"},
        {std::string("\1\x9f\0[SETTING]\0INTERVAL=-1\r\n", 26) + std::string(5000, 'z') +
             "\r\n[COLOR]\r\nRED=33\r\n[SETTING]\r\nINTERVAL=-1\r\nAUTO=0",
         "0 0 50 100 33 144 216 72 288 16 0 4"}};
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    for (int i = -1; i < 4; ++i) { // -1: no file
        WorkIn(i < 0 ? nullptr : &rows[i][0]);
        Settings loaded = {{-7, -7, -7, -7}, -7, -7, -7, -7, -7, -7, -7, -7};
        LoadSettings(loaded);
        std::string fields; // every field in order, as text
        for (const int32_t *field = &loaded.region.x; field <= &loaded.settleTicks; ++field)
            fields += std::to_string(*field) + (field < &loaded.settleTicks ? " " : "");
        EXPECT_EQ(fields, i < 0 ? defaults : rows[i][1]) << "row " << i;
    }

    // Saving the region: into the sample (its comments stay), into no file, into a
    // read-only file and into one that another program holds (both refused, as they were).
    std::string saved = sample, where, keys = "X=0\r\nY=0\r\nW=50\r\nH=100";
    saved.replace(saved.find(keys), keys.size(), "X=-5\r\nY=7\r\nW=60\r\nH=120");
    const std::string saves[][2] = {{sample, saved},
                                    {"", "[REGION]\r\nX=-5\r\nY=7\r\nW=60\r\nH=120\r\n"},
                                    {"[REGION]\r\nX=1", "[REGION]\r\nX=1"},
                                    {"[REGION]\r\nX=1", "[REGION]\r\nX=1"}};
    for (int i = 0; i < 4; ++i) {
        WorkIn(i == 1 ? nullptr : &saves[i][0]);
        SetFileAttributesA("setting.ini", i == 2 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        HANDLE held =
            i == 3 ? CreateFileA("setting.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0)
                   : INVALID_HANDLE_VALUE;
        EXPECT_EQ(SaveRegion({-5, 7, 60, 120}, where), i < 2) << where;
        CloseHandle(held);
        std::ifstream in("setting.ini", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), saves[i][1]) << where;
        SetFileAttributesA("setting.ini", FILE_ATTRIBUTE_NORMAL);
    }
    SetCurrentDirectoryA(previous);
}

static void Send(const std::string &message) { // into the region mailslot
    HANDLE slot = CreateFileA(regionMailslotName, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    DWORD written;
    WriteFile(slot, message.data(), (DWORD)message.size(), &written, nullptr);
    CloseHandle(slot);
}

// A record that resizes, followed by filler up to the size.
static std::string Record(CaptureRegion region, size_t size = RegionMessageSize) {
    uint8_t bytes[RegionMessageSize];
    EncodeRegionMessage(bytes, region, true);
    return std::string((char *)bytes, RegionMessageSize) + std::string(size - 9, 'r');
}

TEST(RegionLink, RecordsInOrderShortAndOversizedIgnoredAtMost256ATick) {
    const CaptureRegion a = {10, 20, 30, 40}, b = {50, 60, 70, 80};
    const std::vector<std::string> rows[] = {{Record(b), Record(a)},
                                             {Record(a), Record(b).substr(0, 8)},
                                             {Record(a, 1024)},
                                             {Record(b, 1025), Record(a), Record(b, 1025)},
                                             {Record({10, 20, 1, 1}).replace(8, 1, "\2")}};
    for (const std::vector<std::string> &messages : rows) {
        settings.region = {1, 2, 30, 40}; // a record that only moves leaves the size
        for (const std::string &message : messages)
            Send(message);
        PollRegionLink();
        EXPECT_EQ(std::vector<int32_t>(&settings.region.x, &settings.region.x + 4),
                  std::vector<int32_t>(&a.x, &a.x + 4))
            << messages.size() << " " << messages[0].size();
    }
    for (int x = 0; x < 270; ++x) // a writer waits at about 278 records under Wine
        Send(Record({x, 0, 5, 5}));
    PollRegionLink();
    EXPECT_EQ(settings.region.x, 255) << "one tick takes 256 records";
    PollRegionLink();
    EXPECT_EQ(settings.region.x, 269);
}

// The clipboard's text block, whole, or "" for none.
static std::string ClipboardBlock() {
    OpenClipboard(nullptr);
    HANDLE block = GetClipboardData(CF_TEXT);
    const char *bytes = (const char *)GlobalLock(block);
    std::string text = bytes ? std::string(bytes, GlobalSize(block)) : "";
    GlobalUnlock(block);
    CloseClipboard();
    return text;
}

TEST(Commands, CaptureUndoResetHotKeyAndTheLinkWithItsBox) {
    HWND window = Tessivo();
    Fill(captureSurface, {0, 0, 50, 50}, RGB(40, 80, 230));
    Fill(captureSurface, {0, 50, 50, 100}, RGB(240, 220, 30));
    moveRecord.clear();
    // Message, identifier, record size after it.
    const WPARAM rows[][3] = {{WM_COMMAND, CmdCapture, 1}, {WM_HOTKEY, HotkeyCaptureId, 2},
                              {WM_HOTKEY, 1, 2},           {WM_COMMAND, CmdUndo, 1},
                              {WM_COMMAND, CmdUndo, 0},    {WM_COMMAND, CmdUndo, 0},
                              {WM_COMMAND, CmdCapture, 1}, {WM_COMMAND, CmdCapture, 2},
                              {WM_COMMAND, CmdReset, 0},   {WM_COMMAND, CmdCapture, 1}};
    for (const WPARAM *row : rows) {
        SendMessageA(window, (UINT)row[0], row[1], 0);
        EXPECT_EQ(moveRecord.size(), row[2]) << row[0] << " " << row[1];
    }
    EXPECT_EQ(moveRecord[0].lower * 10 + moveRecord[0].upper, 43) << "yellow below blue";

    // "確認: クリップボードにコピーしました", then "（先頭N手のみ）" (the first N moves
    // only), and "エラー: クリップボードにコピーできませんでした".
    const std::string copy = "\x83N\x83\x8A\x83\x62\x83v\x83{\x81[\x83h\x82\xC9\x83R\x83s\x81[",
                      done = "\x8Am\x94\x46: " + copy + "\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
    char link[LinkTextSize];
    const std::string cut = std::to_string(BuildLinkText(link, MoveRecord(600)));
    const std::string rows2[][2] = {
        {"3", done},
        {"600", done + "\x81i\x90\xE6\x93\xAA" + cut + "\x8E\xE8\x82\xCC\x82\xDD\x81j"},
        {"5", "\x83G\x83\x89\x81[: " + copy +
                  "\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5"
                  "\x82\xB5\x82\xBD"}};
    OpenClipboard(nullptr); // a text left by another program, in another format
    EmptyClipboard();
    SetClipboardData(RegisterClipboardFormatA("stale"), GlobalAlloc(GMEM_MOVEABLE, 1));
    CloseClipboard();
    for (const std::string *row : rows2) {
        const bool busy = row[0] == "5";
        std::string before = ClipboardBlock(), seen;
        moveRecord.assign(std::stoi(row[0]), {2, 5});
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread answer(
            [&] { // holds the clipboard if busy until the box shows; reads, closes it
                if (busy)
                    OpenClipboard(nullptr);
                SetEvent(ready);
                DWORD process = 0;
                HWND box = nullptr;
                for (int tries = 0; tries < 1000 && process != GetCurrentProcessId();
                     ++tries, Sleep(10))
                    GetWindowThreadProcessId(box = FindWindowA("#32770", nullptr), &process);
                char caption[64] = "", text[256] = "";
                GetWindowTextA(box, caption, sizeof caption);
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the box's static text
                seen = caption + std::string(": ") + text;
                if (busy)
                    CloseClipboard();
                SendMessageA(box, WM_COMMAND, IDOK,
                             0); // a posted OK acts only seconds later in Wine
            });
        WaitForSingleObject(ready, INFINITE);
        SendMessageA(window, WM_COMMAND, CmdMakeLink, 0); // returns once the box is closed
        answer.join();
        EXPECT_EQ(seen, row[1]);
        BuildLinkText(link, moveRecord);
        EXPECT_EQ(ClipboardBlock(), busy ? before : std::string(link, LinkTextSize));
        EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormatA("stale")));
    }
}
