// The platform code on the platform: Tessivo's real main window, its DIB sections, settings
// files, the region mailslot and the clipboard in this process; both programs as processes.
#undef _WIN32_WINNT // the display scale's functions are newer than what the programs need
#define _WIN32_WINNT 0x0A00
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include "../game_box.h"
#include "app/button_row.h"

#include <commctrl.h> // the buttons' tips

#include "app/main_window.h"
#include "app/picture.h"
#include "app/reference_menu.h"
#include "app/texts.h"
#include "app/warning_boxes.h"
#include "app/commands.h"
#include "app/window_procedure.h"
#include "brimlet_texts.h"
#include "config/region_link.h"
#include "config/region_message.h"
#include "config/settings_file.h"
#include "keep/durable_file.h"
#include "recognition/pixel_hue.h"
#include "recognition/recogniser.h"
#include "record/link_text.h"
#include "display_scale.h"

// Makes a new folder the working folder, with the file holding the text (null: none).
static void WorkIn(const std::string *ini, const char *name = "setting.ini") {
    char temp[MAX_PATH], folder[MAX_PATH]; // a name no run has taken, as a file at first
    GetTempPathA(MAX_PATH, temp), GetTempFileNameA(temp, "tv", 0, folder), DeleteFileA(folder);
    CreateDirectoryA(folder, nullptr), SetCurrentDirectoryA(folder);
    if (ini)
        std::ofstream(name, std::ios::binary) << *ini;
}

static HWND Tessivo() { // made once; its setting.ini pins Japanese: the other keys' defaults
    static const std::string japanese = "[SETTING]\r\nLANGUAGE=JA\r\n";
    static HWND window = (SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2),
                          WorkIn(&japanese), CreateMainWindow(GetModuleHandleA(nullptr)));
    return window;
}

static RECT ScaleTo(int dpi) { // Tessivo told it is on a monitor of that scale; its size there
    RECT suggested = {0, 0, MulDiv(360, dpi, 96), MulDiv(220, dpi, 96)};
    SendMessageW(Tessivo(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)&suggested);
    return suggested;
}

static std::string FileText(const char *name) { // "" for none
    std::ifstream file(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

static void Fill(const Surface &surface, RECT area, COLORREF colour, int hatch = -1) {
    HBRUSH brush = hatch < 0 ? CreateSolidBrush(colour) : CreateHatchBrush(hatch, colour);
    FillRect(surface.dc, &area, brush), DeleteObject(brush);
}

// At 100 %, a sample's halves with a stripe over 25 columns: the three views pixel for pixel. Rows:
// pairs held, the wheel's notches away then back, a capture, the record view's top row (17 a row).
TEST(Picture, VotedViewsNewestRowInSightTheWheelWithinItsLimitsAndTheMoveCount) {
    HWND window = Tessivo();
    RECT frame = {0, 0, 345, 233};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_TOPMOST), ScaleTo(96);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, 0);
    const COLORREF classColours[6] = {0, 0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xFF00FF},
                   discs[6] = {0x888888, 0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xC800C8};
    const COLORREF samples[][6] = {
        {RGB(230, 40, 40), RGB(40, 200, 60), RGB(40, 80, 230), 1, 2, 3},
        {RGB(240, 220, 30), RGB(170, 50, 200), RGB(170, 50, 200), 4, 5, 5},
        {RGB(40, 80, 230), RGB(128, 128, 128), RGB(240, 220, 30), 3, 1, 4}};
    const int rows[][5] = {{34, 0, 0, 0, 0},   {35, 0, 0, 0, 1},  {35, 1, 0, 0, 0},
                           {35, 3, 0, 0, 0},   {35, 3, -1, 0, 1}, {100, 2, 0, 0, 2},
                           {100, 9, -1, 0, 1}, {100, 2, 0, 1, 4}, {0, 0, 0, 0, 0}};
    POINT over = {100, 200}; // on the record
    ClientToScreen(window, &over);
    for (const int *row : rows) {
        const COLORREF *sample = samples[(row - rows[0]) / 5 % 3];
        Fill(classView, {0, 0, 50, 100}, 0xFFFFFF), Fill(captureSurface, {0, 0, 50, 50}, sample[0]);
        Fill(captureSurface, {0, 50, 50, 100}, sample[1]);
        Fill(captureSurface, {0, 0, 25, 100}, sample[2]); // 19 of each cell's 38: ties to the lower
        const BlobPair pair = RecognisePair(captureSurface);
        EXPECT_EQ(pair.upper * 10 + pair.lower, int(sample[3] * 10 + sample[4]));
        moveRecord.clear();
        for (int i = 0; i < row[0]; ++i)
            moveRecord.push_back({1 + i / 5 % 5, 1 + i % 5});
        for (int notches : {row[1], row[2]})
            SendMessageW(window, WM_MOUSEWHEEL, WHEEL_DELTA * notches << 16,
                         MAKELPARAM(over.x, over.y));
        if (row[3])
            SendMessageW(window, WM_COMMAND, CmdCapture, 0);
        ComposePicture(window, nullptr);
        int wrong = 0; // the three views
        for (int x = 0; x < 50; ++x)
            for (int y = 0; y < 100; ++y) { // cells of 38 x 38, 6 pixels in from each half's sides
                bool voted = x >= 6 && x < 44 && ((y >= 6 && y < 44) || (y >= 56 && y < 94));
                int part = x < 25 ? 5 : y < 50 ? 3 : 4; // the stripe, the upper half, the lower
                COLORREF colour = classColours[sample[part]],
                         pixel = GetPixel(captureSurface.dc, x, y);
                wrong += GetPixel(backBuffer.dc, 5 + x, 5 + y) != pixel;
                wrong += GetPixel(backBuffer.dc, 60 + x, 5 + y) != PureHuePixel(PixelHue(pixel));
                wrong += GetPixel(backBuffer.dc, 115 + x, 5 + y) != (voted ? colour : 0);
            }
        std::vector<COLORREF> seen, meant; // both discs at each place: its pair's, or grey
        for (size_t i = 0, pair = row[4] * 17; i < 3 * 17; ++i, ++pair)
            for (int disc = 0; disc < 2; ++disc) {
                const BlobPair at = pair < moveRecord.size() ? moveRecord[pair] : BlobPair{0, 0};
                seen.push_back(
                    GetPixel(backBuffer.dc, 15 + 20 * (i % 17), 115 + 40 * (i / 17) + 25 * disc));
                meant.push_back(discs[disc ? at.lower : at.upper]);
            }
        const std::wstring count = std::to_wstring(moveRecord.size()) + L"手";
        for (std::vector<COLORREF> *pixels : {&seen, &meant}) { // the count, then written over
            for (int i = 0; i < 80 * 16; ++i)
                pixels->push_back(GetPixel(backBuffer.dc, 170 + i % 80, 56 + i / 80));
            SelectObject(backBuffer.dc, InterfaceFont(96));
            TextOutW(backBuffer.dc, 170, 56, count.c_str(), (int)count.size());
        }
        EXPECT_EQ(wrong, 0) << "pixels of the views, sample " << sample[3];
        EXPECT_TRUE(seen == meant) << row[0] << " pairs, wheel " << row[1] << " " << row[2];
    }
}

// Each Japanese text of both programs in code page 932 is the system's bytes, by FNV-1a hash, in
// the tables' order (the test's own literals could not see a source read in a wrong encoding).
TEST(Texts, JapaneseTextsAreTheSystemsCodePage932Bytes) {
    const std::string rows =
        "279B7E841F13FF2A0D76D5208C140AE078F71233BACD39B93D4805BEE8803174FA3CC603F8DA37DA4B71DDF3"
        "E932019B1E899FF9D6D93262960F089E4D239B66AEF6DA32BC5FEE81C05ACC08AE5FD8778349CE7779491322"
        "ED45F8279449E93A7CA3B62D956CA7BF9A3D26B9B3D3A275DC49AEFB455C004C5BFE40C6A325B51A408437B9"
        "2FA63DBC076B26B4D3A8DFE91B68D89A2D0C9C17279B7E842E8ABF4CFE176C521F13FF2A5D6AD92D873EEE68"
        "28374A7E42FDAC93A0E98B09BF85B50C7CE70FDE433774FFD5BADC4287667F419F13650FBC47825FE932019B"
        "9C39819156685F2B581F7DC355FFDBBDC16E9192C733C541";
    PickTexts(LanguageJapanese), PickBrimletTexts(LanguageJapanese);
    std::vector<const wchar_t *> all(&texts->capture, &texts->keyHeldEnd + 1);
    all.insert(all.end(), &brimletTexts->saved, &brimletTexts->noPair + 1);
    for (size_t i = 0; i < all.size(); ++i) {
        char bytes[512] = "", hex[9];
        uint32_t hash = 0x811C9DC5;
        WideCharToMultiByte(932, 0, all[i], -1, bytes, 512, nullptr, nullptr);
        for (const char *at = bytes; *at; ++at)
            hash = (hash ^ (uint8_t)*at) * 0x01000193;
        EXPECT_EQ((snprintf(hex, 9, "%08X", hash), hex), rows.substr(8 * i, 8)) << "text " << i;
    }
    EXPECT_TRUE(rows.size() == 8 * 61 && all.size() == 61) << all.size() << " texts";
}

// Rows: a text (- none), every field loaded (LANGUAGE out or empty: this locale's English), the
// part the saved region {-5, 7, 60, 120} replaces, and with what (R: a read-only file, refused).
TEST(SettingsFile, LoadedInAnyCaseOrGarbageAndTheRegionSavedInPlace) {
    const std::string rows[][4] = {
        {"-", "0 0 50 100 0 144 216 72 288 24 0 4 0 1 -", "",
         "[REGION]\r\nX=-5\r\nY=7\r\nW=60\r\nH=120\r\n"},
        {"[region]\r\nx=-5\r\ny=7\r\nw=60\r\nh=120\r\n[Color]\r\nRed=10\r\ngreen=20\r\nBLUE=30\r\n"
         "yellow=40\r\npurple=50\r\n[SETTING]\r\nInterval=100\r\nauto=1\r\nSettle=600\r\nkeep=2\r\n"
         "Language=en\r\n[link]\r\nhost = sim.example.org \r\n",
         "-5 7 60 120 10 20 30 40 50 100 1 50 1 1 <sim.example.org>", "", ""},
        {"[REGION]\nX=abc\nY=12px\nW=4294967297\n[SETTING]\nINTERVAL=15\nAUTO=on\nSETTLE=1\n"
         "KEEP=no\nLANGUAGE=english\n[LINK]\nHOST=",
         "0 12 1 100 0 144 216 72 288 16 0 2 0 0 <>", "X=abc\nY=12px\nW=4294967297\n",
         "X=-5\nY=7\nW=60\nH=120\n"},
        {"[SETTING]\r\nLANGUAGE= \r\n[REGION]\r\nX=1", "1 0 50 100 0 144 216 72 288 24 0 4 0 1 -",
         "", "R"},
        {"[ region ]\r\nX=5 ; x\r\nX=9\r\n[]\r\nW=9\r\n[REGION]\r\nY=8",
         "5 0 50 100 0 144 216 72 288 24 0 4 0 1 -", "X=5 ; x\r\nX=9\r\n",
         "X=-5 ; x\r\nX=9\r\nY=7\r\nW=60\r\nH=120\r\n"}};
    std::wstring where;
    for (const auto &row : rows) {
        const bool refused = row[3] == "R";
        std::string seen, text = row[0] == "-" ? "" : row[0]; // every field in order, as text
        WorkIn(row[0] == "-" ? nullptr : &row[0]);
        SetFileAttributesA("setting.ini", refused ? FILE_ATTRIBUTE_READONLY : 0);
        Settings loaded = {{-7, -7, -7, -7}, -7, -7, -7, -7, -7, -7, -7, -7, -7, -7, true, L"?"};
        LoadSettings(loaded);
        for (const int32_t *field = &loaded.region.x; field <= &loaded.language; ++field)
            seen += std::to_string(*field) + " ";
        const std::string host(loaded.simulatorHost.begin(), loaded.simulatorHost.end());
        seen += loaded.hostGiven ? "<" + host + ">" : "-";
        seen += SaveRegion({-5, 7, 60, 120}, where) ? "\n" : " refused\n";
        seen += FileText("setting.ini");
        const CaptureRegion read = refused ? loaded.region : CaptureRegion{-5, 7, 60, 120};
        LoadSettings(loaded);
        EXPECT_EQ(memcmp(&loaded.region, &read, sizeof read), 0) << where;
        EXPECT_EQ(seen,
                  row[1] + (refused ? " refused\n" : "\n") +
                      (refused ? text : text.replace(text.find(row[2]), row[2].size(), row[3])));
        SetFileAttributesA("setting.ini", FILE_ATTRIBUTE_NORMAL);
    }
}

static void Send(const std::string &message) { // into the region mailslot
    HANDLE slot = CreateFileA(regionMailslotName, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    DWORD written;
    WriteFile(slot, message.data(), (DWORD)message.size(), &written, nullptr), CloseHandle(slot);
}

// A record that resizes, followed by filler up to the size.
static std::string Record(CaptureRegion region, size_t size = RegionMessageSize) {
    uint8_t bytes[RegionMessageSize];
    EncodeRegionMessage(bytes, region, true);
    return std::string((char *)bytes, RegionMessageSize) + std::string(size - 9, 'r');
}

TEST(RegionLink, RecordsInOrderShortAndOversizedIgnored) {
    const CaptureRegion a = {-10, -32768, 30, 40}, b = {50, 60, 70, 80}; // signed 16-bit values
    std::vector<std::string> rows[] = {{Record(b), Record(a)},
                                       {Record(a), Record(b).substr(0, 8)},
                                       {Record(a, 1024)},
                                       {Record(b, 1025), Record(a), Record(b, 1025)},
                                       {Record({-10, -32768, 1, 1}).replace(8, 1, "\2")},
                                       std::vector<std::string>(256, Record(a))};
    rows[5].resize(270, Record(b)); // a flood (a writer waits at about 278 under Wine): 256 a tick
    for (const std::vector<std::string> &messages : rows) {
        settings.region = {1, 2, 30, 40}; // a record that only moves leaves the size
        for (const std::string &message : messages)
            Send(message);
        PollRegionLink();
        EXPECT_EQ(memcmp(&settings.region, &a, sizeof a), 0)
            << messages.size() << " " << messages[0].size() << ": " << settings.region.x;
    }
    PollRegionLink();
    EXPECT_EQ(settings.region.x, b.x) << "the flood's last records, a tick later";
}

static std::string ClipboardBlock() { // the clipboard's text block, whole, or "" for none
    OpenClipboard(nullptr);
    HANDLE block = GetClipboardData(CF_TEXT);
    const char *bytes = (const char *)GlobalLock(block);
    std::string text = bytes ? std::string(bytes, GlobalSize(block)) : "";
    GlobalUnlock(block), CloseClipboard();
    return text;
}

template <typename Seen> static bool Eventually(Seen seen) { // waits up to 10 s for it
    for (int tries = 0; tries < 500; ++tries, Sleep(20))
        if (seen())
            return true;
    return false;
}

static std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    return GetWindowTextW(window, text, 512), text;
}

static DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    return GetWindowThreadProcessId(window, &process), process;
}

static HWND WindowOf(const wchar_t *windowClass, DWORD process = 0) { // its first shown (0: any)
    HWND found = nullptr;
    Eventually([&] {
        while ((found = FindWindowExW(nullptr, found, windowClass, nullptr)))
            if (IsWindowVisible(found) && (!process || ProcessOf(found) == process))
                return true;
        return false;
    });
    return found;
}

static std::wstring Box(DWORD process) { // "caption: text", closed by a sent OK (posted: slow)
    HWND box = WindowOf(L"#32770", process);
    wchar_t text[1024] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    std::wstring seen = TextOf(box) + L": " + text;
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    Eventually([&] { return !IsWindow(box); }); // so that the next box is not this one
    return seen;
}

struct Program : PROCESS_INFORMATION { // started from a command line, found beside this one first
    Program(std::wstring command, DWORD flags = 0) : PROCESS_INFORMATION() {
        STARTUPINFOW startup = {sizeof startup, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        EXPECT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, flags, nullptr,
                                   nullptr, &startup, this))
            << command;
    }
    bool Ended() const { return WaitForSingleObject(hProcess, 10000) == WAIT_OBJECT_0; }
    ~Program() { CloseHandle(hThread), CloseHandle(hProcess); }
};

// In each language at each scale: the suggested place taken and redrawn, each button's text whole.
TEST(Commands, WindowAndButtonsAtEveryDisplayScaleEachTextWhole) {
    HWND window = Tessivo();
    const int scales[4] = {96, 120, 144, 192}; // DPI, each in Japanese and in English
    for (int row = 0; row < 8; ++row) {
        const int dpi = scales[row / 2];
        PickTexts(row % 2); // the buttons labelled anew at the new scale
        ValidateRect(window, nullptr);
        RECT suggested = ScaleTo(dpi), place, client, updated = {}, at = {};
        GetWindowRect(window, &place), GetClientRect(window, &client);
        MINMAXINFO limits = {};
        SendMessageW(window, WM_GETMINMAXINFO, 0, (LPARAM)&limits);
        GetUpdateRect(window, &updated, FALSE); // the largest size, and a picture that fits it
        const POINT largest = {MulDiv(1200, dpi, 96), MulDiv(400, dpi, 96)};
        std::string wrong;
        if (!EqualRect(&updated, &client) || !EqualRect(&place, &suggested) ||
            memcmp(&limits.ptMaxTrackSize, &largest, 8) || backBuffer.width != largest.x)
            wrong = "window ";
        for (int id = CmdCapture, right = 0; id <= CmdSelectRegion; ++id, right = at.right) {
            HWND button = GetDlgItem(window, id);
            HDC dc = GetDC(button);
            SIZE size = {};
            const std::wstring text = TextOf(button);
            SelectObject(dc, (HGDIOBJ)SendMessageW(button, WM_GETFONT, 0, 0));
            GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size), ReleaseDC(button, dc);
            GetWindowRect(button, &at), MapWindowPoints(nullptr, window, (POINT *)&at, 2);
            if (at.left != right || at.top != 0 || at.bottom != MulDiv(20, dpi, 96) ||
                size.cx + 4 > at.right - at.left || size.cy < MulDiv(11, dpi, 96) ||
                at.right > client.right)
                wrong += "button " + std::to_string(id) + " ";
        }
        const wchar_t *keyed[2][2] = {{L"キャプチャ(ALT+F1)", L"1手戻す(ALT+F5)"},
                                      {L"Capture (Alt+F1)", L"Undo (Alt+F5)"}};
        for (int id : {CmdCapture, CmdUndo}) { // its key on the button, or in its tip if no room
            const std::wstring full = keyed[row % 2][id], shown = TextOf(GetDlgItem(window, id));
            wchar_t tip[64] = L"";
            TOOLINFOW tool = {sizeof tool, 0, window, (UINT_PTR)GetDlgItem(window, id), {}, 0,
                              tip,         0, 0};
            SendMessageW(buttonTips, TTM_GETTEXTW, 64, (LPARAM)&tool);
            if (!(shown == full && !*tip) &&
                !(tip == full && (full.find(shown + L"(") == 0 || full.find(shown + L" (") == 0)))
                wrong += "key " + std::to_string(id) + " ";
        }
        EXPECT_EQ(wrong.substr(0, 40), "") << dpi << " DPI, language " << row % 2;
    }
    PickTexts(LanguageJapanese), ScaleTo(96);
}

// Alt+F1 held down, its key repeating as Wine repeats it (each repeat a WM_HOTKEY), then again:
// one capture a press.
TEST(HotKeys, AHeldKeyCapturesOnceAPress) {
    ASSERT_NE(Tessivo(), nullptr);
    moveRecord.clear();
    for (int step = 0; step < 10; ++step) { // Alt, F1 down 3 times and up, twice, Alt up
        INPUT key = {INPUT_KEYBOARD, {}};
        key.ki.wVk = step % 9 ? VK_F1 : VK_MENU;
        key.ki.dwFlags = step == 4 || step == 8 || step == 9 ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &key, sizeof key);
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    EXPECT_EQ(moveRecord.size(), 2u);
}

// A blob above (its halves' hues round 0), a board below. Rows: view, cell (2: the record view),
// the cell's hue, the item chosen; then its box. The history: KEEP=0, no page yet, opened; then
// the pastes: no link, an empty clipboard, a link.
TEST(ReferenceMenu, SetsAndSavesTheCellsHueForTheColourChosen) {
    HWND window = Tessivo();
    ScaleTo(144); // the views at 150 %: the clicks' places too
    Fill(captureSurface, {0, 0, 50, 100}, RGB(24, 40, 104)); // hues 353.7 left, 9.5 right: 1
    Fill(captureSurface, {4, 4, 25, 46}, RGB(230, 40, 60)),
        Fill(captureSurface, {25, 4, 46, 46}, RGB(230, 70, 40));
    Fill(captureSurface, {14, 20, 20, 30}, 0), Fill(captureSurface, {30, 20, 36, 30}, 0);
    ReadCellHues();
    EXPECT_EQ(std::vector<int32_t>(cellHues, cellHues + 2), std::vector<int32_t>({1, -1}));
    const std::string ini = "; mine\r\n[color]\r\nRED=0 ; red\r\n[SETTING]\r\nKEEP=0\r\n";
    WorkIn(&ini);
    RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, "Noted", 0);
    RegSetValueA(HKEY_CLASSES_ROOT, "Noted\\shell\\open\\command", REG_SZ,
                 "cmd /c echo %1>opened.txt", 0);
    settings.keepRecord = 1, StartKeeping(), moveRecord = {{1, 2}};
    const std::wstring page = HistoryPagePath();
    const int rows[][4] = {{1, 0, 92, 1}, {2, 1, -1, 2}, {0, 2, 0, 0},  {0, 2, 0, 1},
                           {0, 2, 0, 1},  {0, 2, 0, 0},  {0, 0, 25, 0}, {2, 0, 300, 4},
                           {0, 2, 0, 1},  {0, 2, 0, 0}};
    const wchar_t *clips[] = {L"no link\r\nsecond", L"", L" http://a.b/simu/ps.html?_s1\r\n"};
    const std::wstring menus[] = {L"履歴を開く|リンクを貼り付け|", L"赤|緑|青|黄|紫|"};
    const std::wstring boxes[10] = {
        L"エラー: 緑と黄の参照が20度以内になり、見分けにくくなりました。",
        L"エラー: この枠には玉の色のピクセルがないため、参照は変わりません。",
        L"エラー: KEEP=1 ではないため、履歴は保存していません。",
        L"エラー: クリップボードにリンクがありません：\nno link...",
        L"エラー: クリップボードにリンクがありません：\n（テキストなし）",
        L"エラー: 履歴のページはまだありません（URL生成か RESET で作られます）：\n" + page};
    for (int i = 0, pasted = 0; i < 10; ++i) {
        if (rows[i][1] < 2)
            cellHues[rows[i][1]] = rows[i][2];
        settings.keepRecord = i >= 5;
        if (rows[i][1] == 2 && rows[i][3]) { // a paste: the next text on the clipboard
            const wchar_t *text = clips[pasted++];
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 256);
            wcscpy((wchar_t *)GlobalLock(block), text), GlobalUnlock(block), OpenClipboard(window);
            EmptyClipboard(), SetClipboardData(CF_UNICODETEXT, *text ? block : 0), CloseClipboard();
        }
        std::wstring items, box;
        std::thread chooser([&] { // the menu's items read, one chosen by its keys
            HWND menu = WindowOf(L"#32768", GetCurrentProcessId());
            HMENU shown = (HMENU)SendMessageW(menu, MN_GETHMENU, 0, 0);
            for (int item = 0; item < GetMenuItemCount(shown); ++item) {
                wchar_t text[16] = L"";
                GetMenuStringW(shown, item, text, 16, MF_BYPOSITION);
                items += text + std::wstring(L"|");
            }
            for (int down = 0; down <= rows[i][3]; ++down)
                PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
            box = boxes[i].empty() ? L"" : Box(GetCurrentProcessId());
        });
        POINT at = {(30 + 55 * rows[i][0]) * 3 / 2, (PictureTop + 30 + 50 * rows[i][1]) * 3 / 2};
        ClientToScreen(window, &at), SetCursorPos(at.x, at.y); // row 7 as Shift+F10 gives it
        SendMessageW(window, WM_CONTEXTMENU, (WPARAM)window, i != 7 ? MAKELPARAM(at.x, at.y) : -1);
        for (MSG chosen; PeekMessageW(&chosen, window, WM_COMMAND, WM_COMMAND, PM_REMOVE);)
            DispatchMessageW(&chosen);
        chooser.join();
        EXPECT_EQ(items + box, menus[rows[i][1] < 2] + boxes[i]) << i;
    }
    const std::string opened = std::string(page.begin(), page.end()) + "\r\n";
    EXPECT_TRUE(Eventually([&] { return FileText("opened.txt") == opened; })) << opened;
    EXPECT_EQ(FileText("record.txt"), "s1\r\n"); // the record it replaced: end to end
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Noted");  // .html opens nothing again
    settings = defaultSettings, StartKeeping();
}

// A durable write stopped as a kill stops it; record.txt restored or put aside; each change kept.
TEST(KeptRecord, RestoredWrittenAtEveryChangeAndNeverLeftBroken) {
    ASSERT_NE(Tessivo(), nullptr); // made before keeping starts here: it keeps nothing itself
    WorkIn(nullptr);
    DurableWrite write; // a kill after its temporary was made: the file as it was, then written
    ASSERT_TRUE(WriteFileDurably(L"kept.txt", "old") && OpenDurableWrite(write, L"kept.txt"));
    CloseHandle(write.file);
    EXPECT_EQ(FileText("kept.txt"), "old");
    EXPECT_TRUE(WriteFileDurably(L"kept.txt", "new") && FileText("kept.txt") == "new");
    settings.keepRecord = 1;
    std::string rows[][2] = {{"", ""},           {"01c1\r\n", "01c1"}, {" 01\tc1\n\nU1", "01c1U1"},
                             {"01x1", "aside"},  {"01a0", "aside"},    {"01c", "aside"},
                             {"01?c1", "aside"}, {"", "aside"}};
    rows[6][0][2] = '\0', rows[7][0] = std::string(1 << 20, ' ') + "01"; // binary, too large
    for (auto &row : rows) {
        WorkIn(&row[0], "record.txt"), moveRecord.clear();
        const bool aside = StartKeeping() == KeepBadRecordAside;
        WIN32_FIND_DATAA found = {};
        FindClose(FindFirstFileA("record-*.bad", &found)); // its name in the box, its bytes kept
        EXPECT_EQ(aside ? "aside" : LinkCodes(moveRecord), row[1]) << row[0].substr(0, 9);
        EXPECT_EQ(FileText(aside ? found.cFileName : "record.txt"), row[0]) << row[0].substr(0, 9);
        EXPECT_TRUE(!aside || keepNoticePath.substr(keepNoticePath.size() - 26) ==
                                  std::wstring(found.cFileName, found.cFileName + 26));
    }
    WorkIn(nullptr);
    ASSERT_EQ(StartKeeping(), KeepNothingToTell);
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    // Undo, Capture, Reset or O (Alt+F3); what stops its write: R record.txt read-only, F the
    // folder gone, K KEEP=0; ! a box.
    std::istringstream changes("U C C U CR! CR C U CF! C R C O O C OK");
    const int commands[] = {CmdUndo, CmdCapture, CmdReset, HotkeyGameOverId};
    for (std::string change; changes >> change;) {
        change += "  ";
        SetFileAttributesA("record.txt", change[1] == 'R' ? FILE_ATTRIBUTE_READONLY : 0);
        if (change[1] == 'F')
            DeleteFileA("record.txt"), SetCurrentDirectoryA(".."), RemoveDirectoryA(folder);
        if (change[1] == 'K')
            settings.keepRecord = 0, StartKeeping();
        const std::string before = FileText("record.txt");
        SendMessageW(Tessivo(), change[0] == 'O' ? WM_HOTKEY : WM_COMMAND,
                     commands[std::string("UCRO").find(change[0])], 0);
        MSG box;
        int boxes = 0;
        while (PeekMessageW(&box, Tessivo(), KeepNoticeMessage, KeepNoticeMessage, PM_REMOVE))
            boxes += box.wParam == KeepNotWritten;
        EXPECT_EQ(FileText("record.txt"),
                  change[1] == ' ' ? LinkCodes(moveRecord) + "\r\n" : before)
            << change;
        EXPECT_EQ(boxes, int(change.find('!') < 9)) << change;
        SetFileAttributesA("record.txt", FILE_ATTRIBUTE_NORMAL);
        if (change[1] == 'F')
            CreateDirectoryA(folder, nullptr), SetCurrentDirectoryA(folder);
    }
    settings.autoCapture = 1, settings.region = {0, 0, 0, 100}; // no pixels: the sample stays
    for (int tick = 0; tick < 9; ++tick) // red, then green, not settled at Alt+F3: no game's first
        SetBkColor(captureSurface.dc, tick < 2 ? RGB(224, 32, 32) : RGB(32, 192, 64)),
            Fill(captureSurface, {0, 0, 50, 100}, 0, HS_CROSS), // a blob's detail: dark lines
            SendMessageW(Tessivo(), tick == 4 ? WM_HOTKEY : WM_TIMER, HotkeyGameOverId, 0);
    EXPECT_EQ(LinkCodes(moveRecord), ""); // cleared by Alt+F3 with KEEP=0 (the pages: end to end)
    settings = defaultSettings;
}

// Brimlet alone at each screen corner: its band on the screen (below the region at the top), the
// top-left one dragged down; a region on no monitor sent from the screen's middle, told, not saved.
TEST(Brimlet, BandWithinReachAtEveryCornerAndARegionOnNoMonitorBroughtToTheMain) {
    ASSERT_NE(Tessivo(), nullptr); // its mailslot takes Brimlet's records
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const int grip = MulDiv(9, GetDpiForSystem(), 96); // the band's middle, from the region's edge
    const POINT rows[] = {{0, 0}, {w - 50, 0}, {0, h - 100}, {w - 50, h - 100}, {-9000, 40}};
    for (const POINT &row : rows) {
        const std::string ini =
            "[REGION]\r\nX=" + std::to_string(row.x) + "\r\nY=" + std::to_string(row.y) + "\r\n";
        const POINT at = row.x < 0 ? POINT{(w - 50) / 2, (h - 100) / 2} : row; // lost: the middle
        WorkIn(&ini);
        const Program process(L"Brimlet.exe");
        const std::wstring told = row.x < 0 ? L"The saved region lay on no screen: it was moved "
                                              L"to the middle of the main screen"
                                            : L"";
        HWND label = WindowOf(L"RegionLabel", process.dwProcessId);
        for (int dragged = 0; dragged < 1 + (&row == rows); ++dragged) {
            const CaptureRegion sent = {at.x + 100 * dragged, at.y + 100 * dragged, 50, 100};
            const bool below = row.y == 0 && !dragged;
            const POINT band = {sent.x + 25, below ? sent.y + 100 + grip : sent.y - grip};
            const std::wstring numbers =
                std::to_wstring(sent.x) + L", " + std::to_wstring(sent.y) + L", 50 x 100";
            EXPECT_TRUE(Eventually([&] { // the record sent, the band's orange, the label shown
                HDC screen = GetDC(nullptr);
                const COLORREF pixel = GetPixel(screen, band.x, band.y);
                ReleaseDC(nullptr, screen);
                RECT at;
                GetWindowRect(label, &at);
                PollRegionLink();
                return !memcmp(&settings.region, &sent, 16) && pixel == RGB(255, 128, 0) &&
                       at.left >= 0 && at.top >= 0 && at.right <= w && at.bottom <= h &&
                       std::min(std::abs(at.top - sent.y - 100 - (below ? 2 * grip : grip / 2)),
                                std::abs(at.bottom - sent.y + (below ? grip / 2 : 2 * grip))) <=
                           grip / 2 && // beside the frame as it shows, band and all
                       TextOf(label) == (told.empty() || dragged ? numbers : told);
            })) << row.x
                << ", " << row.y << (dragged ? " dragged" : "");
            if (&row != rows || dragged)
                continue;
            HWND frame = WindowOf(L"Brimlet", process.dwProcessId);
            GUITHREADINFO moving = {sizeof moving, 0, 0, 0, 0, 0, 0, 0, {}}; // each step taken
            RECT was, now;
            GetWindowRect(frame, &was);
            SetCursorPos(band.x, band.y), mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0); // by 100
            EXPECT_TRUE(Eventually([&] {
                return GetGUIThreadInfo(process.dwThreadId, &moving) &&
                       moving.flags & GUI_INMOVESIZE;
            }));
            SetCursorPos(band.x + 100, band.y + 100);
            EXPECT_TRUE(
                Eventually([&] { return GetWindowRect(frame, &now), now.left != was.left; }));
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        PostMessageW(FindWindowW(L"Brimlet", nullptr), WM_CLOSE, 0, 0);
        EXPECT_TRUE(process.Ended());
        EXPECT_EQ(FileText("setting.ini"), ini);
    }
}

static std::wstring Size(HWND window) { // scaled only where the program is aware of the scale
    RECT at;
    return GetWindowRect(window, &at),
           std::to_wstring(at.right - at.left) + L" x " + std::to_wstring(at.bottom - at.top);
}

// Both programs in each language at 150 %, then Brimlet at 200 %; Brimlet's region reaching
// Tessivo whole, at once or when Tessivo's mailslot opens only after Brimlet has started.
TEST(Programs, TextsInBothLanguagesAwareOfEveryScaleAndRegionsDeliveredWhole) {
    ASSERT_NE(GetACP(), 932u) << "run under a locale whose code page is not 932";
    ASSERT_NE(Tessivo(), nullptr); // its mailslot is this process's: Brimlet's records come here
    const std::string region = "[REGION]\r\nX=30\r\nY=40\r\nW=70\r\nH=80\r\n";
    const std::string ini[2] = {
        region + "[SETTING]\r\nLANGUAGE=ja\r\nKEEP=1\r\n[link]\r\nHOST=Sim-1.a.b\r\n[HOTKEY]\r\n"
                 "CAPTURE=F9\r\nUNDO=ctrl + f9\r\nGAMEOVER=Alt+\r\n",
        region + "[setting]\r\nlanguage=En\r\nkeep=1\r\n[LINK]\r\nHOST=-a.b\r\n[hotkey]\r\n"
                 "AUTO=Ctrl+V\r\nUNDO=Alt+F1\r\n"};
    // Tessivo's texts in order (the keys this process holds told), then Brimlet's: its title's note
    // and its box.
    const std::wstring held = L"は他のプログラムが使っています。setting.ini の [HOTKEY] ",
                       taken = L") is held by another program: [HOTKEY] ",
                       where = L" in setting.ini gives it another key.";
    const std::wstring rows[2][3] = {
        {L"エラー: [HOTKEY] GAMEOVER=Alt+：キーの組み合わせとして読めません。代わりに Alt+F3 "
         L"を使います。\nAlt+F2（自動キャプチャ）" +
             held + L"AUTO で別のキーにできます。\nAlt+F3（ゲーム終了）" + held +
             L"GAMEOVER "
             L"で別のキーにできます。キャプチャ(F9)|1手戻す(CTRL+F9)|RESET|URL生成|領域選択|確認: "
             L"クリップボードにコピーしました（先頭496手のみ）確認: クリップボードにコピーしました",
         L" - Tessivoが見つかりません", L"エラー: 保存できませんでした\n"},
        {L"Error: The value \"-a.b\" of [LINK] HOST is not a plain host name (letters, digits, "
         L"hyphens and dots). The built-in host is used.Error: Another Tessivo keeps the record of "
         L"this folder; this one does not keep its record.Error: [HOTKEY] AUTO=Ctrl+V: a key the "
         L"system or Tessivo itself uses. Alt+F2 is used instead.\n[HOTKEY] UNDO=Alt+F1: the key "
         L"of CAPTURE already. Alt+F5 is used instead.\nAlt+F1 (capture" +
             taken + L"CAPTURE" + where + L"\nAlt+F2 (auto capture" + taken + L"AUTO" + where +
             L"\nAlt+F3 (game over" + taken + L"GAMEOVER" + where + L"\nAlt+F5 (undo" + taken +
             L"UNDO" + where +
             L"Capture (Alt+F1)|Undo (Alt+F5)|RESET|Link|Region|"
             L"Error: Could not copy to the clipboardConfirmation: Copied to the clipboard\nThis "
             L"link leads nowhere until [LINK] HOST in setting.ini names your simulator.",
         L" - Tessivo not found", L"Error: Could not save\n"}};
    wchar_t saved[MAX_PATH];
    for (int late = 0; late < 2; ++late) {
        WorkIn(&ini[late]);
        const std::string kept = std::regex_replace(std::string(600, '.'), std::regex("."), "01");
        std::ofstream("record.txt") << (late ? "" : kept); // 600 red on red: more than a link holds
        settings.keepRecord = late; // the late one's folder is kept by this process already
        ASSERT_EQ(late ? StartKeeping() : KeepNothingToTell, KeepNothingToTell);
        GetFullPathNameW(L"setting.ini", MAX_PATH, saved, nullptr);
        settings.region = {0, 0, 1, 1};
        UnregisterHotKey(Tessivo(), late ? 0 : (int)HotkeyCaptureId); // Alt+F1 free: not taken
        const Program process(L"tessivo.exe", CREATE_SUSPENDED);
        HANDLE job = CreateJobObjectW(nullptr, nullptr); // counts every process Tessivo starts
        AssignProcessToJobObject(job, process.hProcess), ResumeThread(process.hThread);
        HMODULE image =
            LoadLibraryExW(late ? L"Brimlet.exe" : L"tessivo.exe", 0, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST); // Wine ignores it
        const std::string manifest((char *)LockResource(LoadResource(image, found)),
                                   SizeofResource(image, found));
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<", manifest.find(">true/pm<")),
                  std::string::npos);
        HWND tessivo = WindowOf(L"Tessivo", process.dwProcessId);
        WaitForInputIdle(process.hProcess, 10000); // its buttons made, its start-up told
        std::wstring seen;                         // the refused host, then the folder kept already
        for (int box = 0; box < 1 + 2 * late; ++box)
            seen += Box(process.dwProcessId);
        if (!late) { // the keys given acting: F9 captures, Ctrl+F9 undoes
            EXPECT_TRUE(RegisterHotKey(Tessivo(), (int)HotkeyCaptureId, MOD_ALT, VK_F1));
            for (int step = 0; step < 6; ++step) {
                INPUT key = {INPUT_KEYBOARD, {}};
                key.ki.wVk = step == 2 || step == 5 ? VK_CONTROL : VK_F9;
                key.ki.dwFlags = step == 1 || step >= 4 ? KEYEVENTF_KEYUP : 0;
                SendInput(1, &key, sizeof key);
                const std::string text = step == 1 ? kept + "??\r\n" : kept + "\r\n";
                EXPECT_TRUE(step % 4 != 1 || Eventually([&] {
                                const std::string now = FileText("record.txt");
                                return now.size() == text.size() && !now.compare(0, 1200, kept);
                            }))
                    << step;
            }
        }
        for (int id = CmdCapture; id <= CmdSelectRegion; ++id)
            seen += TextOf(GetDlgItem(tessivo, id)) + L"|";
        if (late) // a clipboard held by another program: the first link stays
            OpenClipboard(nullptr);
        PostMessageW(tessivo, WM_COMMAND, CmdMakeLink, 0);
        seen += Box(process.dwProcessId), CloseClipboard();
        std::string link = "http://Sim-1.a.b/simu/ps.html?_"; // the first one's: the moves that fit
        std::string block = link + (late ? "" : kept.substr(0, 992)); // zero-filled
        EXPECT_EQ(ClipboardBlock(), (block.resize(1024), block));
        if (!late) // the game ended: an export of the empty record adds no line
            PostMessageW(tessivo, WM_COMMAND, CmdReset, 0);
        PostMessageW(tessivo, WM_COMMAND, CmdMakeLink, 0); // the late one's host leads nowhere
        seen += Box(process.dwProcessId);
        EXPECT_EQ(seen, rows[late][0]);
        const std::string after = "\t600\t" + link + kept + "\r\n"; // after each time
        EXPECT_EQ(std::regex_replace(FileText("links.txt"),
                                     std::regex("^.*?\t", std::regex::multiline), ""),
                  late ? "" : "export" + after + "reset" + after);
        EXPECT_EQ(Size(tessivo), L"540 x 330");

        if (late) // the mailslot is away when Brimlet starts
            CloseHandle(regionMailslot);
        PostMessageW(tessivo, WM_COMMAND, CmdSelectRegion, 0);
        HWND brimlet = WindowOf(L"Brimlet");
        EXPECT_EQ(Size(brimlet), L"82 x 134");
        if (!late) { // again: the open frame in front, no Brimlet started; one by hand ends
            SetForegroundWindow(tessivo);
            EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == tessivo; }));
            SendMessageW(tessivo, WM_COMMAND, CmdSelectRegion, 0);
            EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == brimlet; }));
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION started = {};
            QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &started,
                                      sizeof started, nullptr);
            EXPECT_EQ(started.TotalProcesses, 2u); // tessivo.exe and one Brimlet
            EXPECT_TRUE(Program(L"Brimlet.exe").Ended());
            EXPECT_TRUE(FindWindowW(L"Brimlet", nullptr) == brimlet && // the first frame, the only
                        !FindWindowExW(nullptr, brimlet, L"Brimlet", nullptr));
        }
        seen = L"30, 40, 70 x 80" + rows[late][1];
        EXPECT_TRUE(!late || Eventually([&] { return TextOf(brimlet) == seen; })) << seen;
        if (late)
            OpenRegionLink();
        const CaptureRegion whole = {30, 40, 70, 80}; // size and all, at once or sent again
        auto arrived = [&] { return PollRegionLink(), !memcmp(&settings.region, &whole, 16); };
        EXPECT_TRUE(Eventually(arrived));
        RECT suggested = {};
        SendMessageW(brimlet, WM_DPICHANGED, MAKEWPARAM(192, 192), (LPARAM)&suggested);
        EXPECT_EQ(TextOf(brimlet).substr(0, 15) + L", " + Size(brimlet),
                  L"30, 40, 70 x 80, 86 x 152"); // on a monitor at 200 %: the same region
        SetFileAttributesW(saved, FILE_ATTRIBUTE_READONLY);
        PostMessageW(brimlet, WM_KEYDOWN, VK_RETURN, 0); // its save refused
        EXPECT_EQ(Box(ProcessOf(brimlet)), rows[late][2] + saved);

        PostMessageW(tessivo, WM_CLOSE, 0, 0); // and Tessivo closes Brimlet
        EXPECT_TRUE(process.Ended() && Eventually([] { return !FindWindowW(L"Brimlet", 0); }));
        CloseHandle(job);
    }
    // A copy alone, no setting.ini: English; the Brimlet.exe it looked for beside it told, and why.
    WorkIn(nullptr);
    wchar_t built[MAX_PATH], here[MAX_PATH];
    const std::wstring folder(here, GetCurrentDirectoryW(MAX_PATH, here));
    GetModuleFileNameW(nullptr, built, MAX_PATH);
    lstrcpyW(wcsrchr(built, L'\\') + 1, L"tessivo.exe");
    ASSERT_TRUE(CopyFileW(built, (folder + L"\\tessivo.exe").c_str(), FALSE));
    const Program process(L"\"" + folder + L"\\tessivo.exe\"");
    HWND tessivo = WindowOf(L"Tessivo", process.dwProcessId);
    WaitForInputIdle(process.hProcess, 10000);
    Box(process.dwProcessId); // the keys this process holds (told above)
    PostMessageW(tessivo, WM_COMMAND, CmdSelectRegion, 0);
    const std::wstring seen = TextOf(GetDlgItem(tessivo, CmdCapture)) + L"|" +
                              Box(process.dwProcessId),
                       named = L"Capture (Alt+F1)|Error: Could not start Brimlet:\n" + folder +
                               L"\\Brimlet.exe\n";
    EXPECT_EQ(seen.substr(0, named.size()), named);
    EXPECT_GT(seen.size(), named.size()); // the system's reason after the path
    PostMessageW(tessivo, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.Ended());
}

// A game's screen at 1.5x, Brimlet's frame a quarter of a box off its pair: F fits the frame onto
// the pair, which Tessivo captures (green over purple); Ctrl+Z puts the region back; F away from
// the game leaves the region and tells so on the label.
TEST(Fit, FOntoTheNearestPairUndoneByCtrlZAndNoPairTold) {
    std::thread painter([] { // a program of its own: it paints whenever it is uncovered
        const std::vector<uint32_t> screen = PaintScreen(75, 0x202030, 2, true, true);
        HWND shown = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"", WS_POPUP | SS_BITMAP, 100, 50,
                                     750, 825, nullptr, nullptr, nullptr, nullptr);
        SendMessageW(shown, STM_SETIMAGE, IMAGE_BITMAP,
                     (LPARAM)CreateBitmap(750, 825, 1, 32, screen.data()));
        ShowWindow(shown, SW_SHOWNOACTIVATE);
        for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;)
            DispatchMessageW(&message);
    });
    HWND game = WindowOf(L"Static", GetCurrentProcessId());
    SetWindowPos(Tessivo(), nullptr, 860, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER); // takes records
    const std::string ini = "[REGION]\r\nX=719\r\nY=294\r\nW=75\r\nH=150";       // English here
    WorkIn(&ini);
    const Program process(L"Brimlet.exe");
    HWND frame = WindowOf(L"Brimlet", process.dwProcessId);
    auto at = [&](CaptureRegion to, int slack) { // the last record's x, y, w, h each within slack
        const int32_t *sent = (PollRegionLink(), &settings.region.x);
        return std::equal(sent, sent + 4, &to.x, [&](int a, int b) { return abs(a - b) <= slack; });
    };
    EXPECT_TRUE(Eventually([&] { return at({719, 294, 75, 150}, 0); }));
    PostMessageW(frame, WM_KEYDOWN, 'F', 0);
    EXPECT_TRUE(Eventually([&] { return at({700, 275, 75, 150}, 4); })) << settings.region.y;
    SendMessageW(Tessivo(), WM_TIMER, 0, 0), SendMessageW(Tessivo(), WM_COMMAND, CmdCapture, 0);
    EXPECT_EQ(moveRecord.back().upper * 10 + moveRecord.back().lower, 25); // green, purple
    SetForegroundWindow(frame);
    EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == frame; }));
    for (int key = 0; key < 4; ++key) // Ctrl+Z, pressed and released
        keybd_event(key % 3 ? 'Z' : VK_CONTROL, 0, key < 2 ? 0 : KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(Eventually([&] { return at({719, 294, 75, 150}, 0); }));
    RECT was;
    GetWindowRect(frame, &was); // moved far from the game
    SetWindowPos(frame, nullptr, was.left + 400, was.top + 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(Eventually([&] { return at({1119, 694, 75, 150}, 0); }));
    PostMessageW(frame, WM_KEYDOWN, 'F', 0);
    HWND label = WindowOf(L"RegionLabel", process.dwProcessId);
    EXPECT_TRUE(Eventually([&] { return TextOf(label) == L"No pair found near the frame"; }));
    EXPECT_TRUE(at({1119, 694, 75, 150}, 0));
    PostMessageW(frame, WM_CLOSE, 0, 0), PostMessageW(game, WM_QUIT, 0, 0), painter.join();
    EXPECT_TRUE(process.Ended());
}
