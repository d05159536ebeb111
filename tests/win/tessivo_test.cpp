// The platform code on the platform: Tessivo's real main window, its DIB sections, settings
// files, the region mailslot and the clipboard in this process; both programs as processes.
#undef WINVER // the display scale's functions are newer than what the programs need
#define WINVER 0x0A00
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

#include "../game_box.h"
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
#include "keep/kept_record.h"
#include "recognition/pixel_hue.h"
#include "recognition/recogniser.h"
#include "record/link_text.h"
#include "surface.h"
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

// Tessivo's window moved onto a monitor of that scale, as the system tells it; its size there.
static RECT ScaleTo(int dpi) {
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
    FillRect(surface.dc, &area, brush);
    DeleteObject(brush);
}

// The picture at 100 % in a client of 345 x 233: the sample's halves and a stripe over its left
// 25 columns, with the colours each cell is recognised as, in the three views pixel for pixel.
// The record view (17 pairs a row, 2 rows whole): pairs, the wheel's notches away from the user
// then back, a capture after them, the row drawn at the top. The move count, written over, stays.
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
    std::istringstream rows(
        "66B6E394 1F13FF2A 0D76D520 8C140AE0 78F71233 BACD39B9 3D4805BE E8803174 FA3CC603 F8DA37DA "
        "4B71DDF3 E932019B 1E899FF9 D6D93262 960F089E 4D239B66 AEF6DA32 BC5FEE81 C05ACC08 AE5FD877 "
        "8349CE77 79491322 ED45F827 9449E93A 7CA3B62D 956CA7BF 9A3D26B9 B3D3A275 DC49AEFB 455C004C "
        "5BFE40C6 A325B51A 408437B9 2FA63DBC 076B26B4 D3A8DFE9 1B68D89A 9F13650F BC47825F E932019B "
        "9C398191 56685F2B 581F7DC3 55FFDBBD C16E9192 C733C541");
    PickTexts(LanguageJapanese), PickBrimletTexts(LanguageJapanese);
    std::vector<const wchar_t *> all(&texts->capture, &texts->noBrimlet + 1);
    all.insert(all.end(), &brimletTexts->saved, &brimletTexts->noPair + 1);
    for (size_t i = 0; i < all.size(); ++i) {
        char bytes[512] = "", hex[9];
        std::string row = "-";
        uint32_t hash = 0x811C9DC5;
        WideCharToMultiByte(932, 0, all[i], -1, bytes, 512, nullptr, nullptr);
        for (const char *at = bytes; *at; ++at)
            hash = (hash ^ (uint8_t)*at) * 0x01000193;
        EXPECT_EQ((snprintf(hex, 9, "%08X", hash), hex), (rows >> row, row)) << "text " << i;
    }
    EXPECT_TRUE(rows.eof() && all.size() == 46) << all.size() << " texts";
}

// Settings texts (- none), every field loaded (LANGUAGE left out or empty: English, as this
// locale's interface language is), and the region {-5, 7, 60, 120} saved into them
// (R: a read-only file, refused as it was): the text after, from one part of it to another (the
// comments kept: the host tests), and the region read back through the platform.
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
        SetFileAttributesA("setting.ini",
                           refused ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
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
    WriteFile(slot, message.data(), (DWORD)message.size(), &written, nullptr);
    CloseHandle(slot);
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

// The clipboard's text block, whole, or "" for none.
static std::string ClipboardBlock() {
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

// The process's first shown window of the class (0: any process's).
static HWND WindowOf(const wchar_t *windowClass, DWORD process = 0) {
    HWND found = nullptr;
    Eventually([&] {
        while ((found = FindWindowExW(nullptr, found, windowClass, nullptr)))
            if (IsWindowVisible(found) && (!process || ProcessOf(found) == process))
                return true;
        return false;
    });
    return found;
}

// "caption: text" of the process's box, closed by a sent OK (a posted one is slow in Wine).
static std::wstring Box(DWORD process) {
    HWND box = WindowOf(L"#32770", process);
    wchar_t text[512] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    std::wstring seen = TextOf(box) + L": " + text;
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    Eventually([&] { return !IsWindow(box); }); // so that the next box is not this one
    return seen;
}

// At 100, 125, 150 and 200 %, in each language: the window takes the rectangle suggested and
// redraws whole, its largest size scaled; its buttons in a row, each text whole in a scaled font.
TEST(Commands, WindowAndButtonsAtEveryDisplayScaleEachTextWhole) {
    HWND window = Tessivo();
    const int scales[4] = {96, 120, 144, 192}; // DPI, each in Japanese and in English
    for (int row = 0; row < 8; ++row) {
        const int dpi = scales[row / 2];
        PickTexts(row % 2);
        for (int id = CmdCapture; id <= CmdSelectRegion; ++id)
            SetWindowTextW(GetDlgItem(window, id), (&texts->capture)[id]);
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
        EXPECT_EQ(wrong.substr(0, 40), "") << dpi << " DPI, language " << row % 2;
    }
    PickTexts(LanguageJapanese), ScaleTo(96);
}

// The sample's cells at a tick: a blob with eyes above, its halves' hues round 0, a board below.
// Rows: view, cell (2: the record view), the cell's hue, the item chosen; the box after. A cell's
// colour set (saved: end to end), a reference within 20 degrees of another, a cell without a blob;
// the history with KEEP=0, with no page yet, opened by a program that notes it; no link, an empty
// clipboard, a link pasted.
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
            lstrcpyW((wchar_t *)GlobalLock(block), text), GlobalUnlock(block),
                OpenClipboard(window);
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
        POINT at = {(5 + 55 * rows[i][0] + 25) * 3 / 2,
                    (PictureTop + 30 + 50 * rows[i][1]) * 3 / 2};
        ClientToScreen(window, &at), SetCursorPos(at.x, at.y); // row 7 as Shift+F10 gives it
        SendMessageW(window, WM_CONTEXTMENU, (WPARAM)window, i != 7 ? MAKELPARAM(at.x, at.y) : -1);
        MSG chosen;
        while (PeekMessageW(&chosen, window, WM_COMMAND, WM_COMMAND, PM_REMOVE))
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

// A durable write stopped after each step, as a kill stops it; record.txt restored at start or
// put aside with its bytes; each change written at once, a failed write told once until one works.
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
        WorkIn(&row[0], "record.txt");
        moveRecord.clear();
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
    for (std::string change; changes >> change;) {
        const int command = change[0] == 'U'   ? int(CmdUndo)
                            : change[0] == 'C' ? int(CmdCapture)
                            : change[0] == 'R' ? int(CmdReset)
                                               : HotkeyGameOverId;
        change += "  ";
        SetFileAttributesA("record.txt", change[1] == 'R' ? FILE_ATTRIBUTE_READONLY : 0);
        if (change[1] == 'F')
            DeleteFileA("record.txt"), SetCurrentDirectoryA(".."), RemoveDirectoryA(folder);
        if (change[1] == 'K')
            settings.keepRecord = 0, StartKeeping();
        const std::string before = FileText("record.txt");
        SendMessageW(Tessivo(), change[0] == 'O' ? WM_HOTKEY : WM_COMMAND, command, 0);
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

// Brimlet alone on a region at each corner of the screen, then on one on no monitor: the band on
// the screen, below the region at the top, and the label too; the top-left band dragged down, where
// it goes above; the region on no monitor sent from the middle of the screen and told, not saved.
TEST(Brimlet, BandWithinReachAtEveryCornerAndARegionOnNoMonitorBroughtToTheMain) {
    ASSERT_NE(Tessivo(), nullptr); // its mailslot takes Brimlet's records
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const int grip = MulDiv(9, GetDpiForSystem(), 96); // the band's middle, from the region's edge
    const int rows[][5] = {{0, 0, 0, 0, 1},
                           {w - 50, 0, w - 50, 0, 1},
                           {0, h - 100, 0, h - 100, -1},
                           {w - 50, h - 100, w - 50, h - 100, -1},
                           {-9000, 40, (w - 50) / 2, (h - 100) / 2, -1}};
    for (const int *row : rows) {
        const std::string ini =
            "[REGION]\r\nX=" + std::to_string(row[0]) + "\r\nY=" + std::to_string(row[1]) + "\r\n";
        WorkIn(&ini);
        wchar_t program[] = L"Brimlet.exe";
        STARTUPINFOW startup = {sizeof startup, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessW(nullptr, program, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        const std::wstring told = row[0] < 0 ? L"The saved region lay on no screen: it was moved "
                                               L"to the middle of the main screen"
                                             : L"";
        HWND label = WindowOf(L"RegionLabel", process.dwProcessId);
        for (int dragged = 0; dragged < 1 + (row == rows[0]); ++dragged) {
            const CaptureRegion sent = {row[2] + 100 * dragged, row[3] + 100 * dragged, 50, 100};
            const bool below = row[4] > 0 && !dragged;
            const POINT band = {sent.x + 25, below ? sent.y + 100 + grip : sent.y - grip};
            EXPECT_TRUE(Eventually([&] { // the record sent, the band's orange, the label shown
                HDC screen = GetDC(nullptr);
                const COLORREF pixel = GetPixel(screen, band.x, band.y);
                ReleaseDC(nullptr, screen);
                RECT at;
                GetWindowRect(label, &at);
                wchar_t numbers[32];
                swprintf(numbers, 32, L"%d, %d, 50 x 100", (int)sent.x, (int)sent.y);
                PollRegionLink();
                return !memcmp(&settings.region, &sent, 16) && pixel == RGB(255, 128, 0) &&
                       at.left >= 0 && at.top >= 0 && at.right <= w && at.bottom <= h &&
                       TextOf(label) == (told.empty() || dragged ? numbers : told);
            })) << row[0]
                << ", " << row[1] << (dragged ? " dragged" : "");
            if (row != rows[0] || dragged)
                continue;
            INPUT press[2] = {{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}}; // a drag by 100, 100
            press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN, press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            HWND frame = WindowOf(L"Brimlet", process.dwProcessId);
            GUITHREADINFO moving = {sizeof moving, 0, 0, 0, 0, 0, 0, 0, {}}; // each step taken
            RECT was, now;
            GetWindowRect(frame, &was);
            SetCursorPos(band.x, band.y), SendInput(1, &press[0], sizeof(INPUT));
            EXPECT_TRUE(Eventually([&] {
                return GetGUIThreadInfo(process.dwThreadId, &moving) &&
                       moving.flags & GUI_INMOVESIZE;
            }));
            SetCursorPos(band.x + 100, band.y + 100);
            EXPECT_TRUE(
                Eventually([&] { return GetWindowRect(frame, &now), now.left != was.left; }));
            SendInput(1, &press[1], sizeof(INPUT));
        }
        PostMessageW(FindWindowW(L"Brimlet", nullptr), WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
        CloseHandle(process.hThread), CloseHandle(process.hProcess);
        EXPECT_EQ(FileText("setting.ini"), ini);
    }
}

static std::wstring Size(HWND window) { // scaled only where the program is aware of the scale
    RECT at;
    return GetWindowRect(window, &at),
           std::to_wstring(at.right - at.left) + L" x " + std::to_wstring(at.bottom - at.top);
}

// tessivo.exe and its Brimlet in each language, code page not 932, at 150 %: their texts (a cut
// link's note too), scale and size, Brimlet round the same region at 200 %, and its region reaching
// Tessivo whole, at once or when Tessivo's mailslot opens after Brimlet has started.
TEST(Programs, TextsInBothLanguagesAwareOfEveryScaleAndRegionsDeliveredWhole) {
    ASSERT_NE(GetACP(), 932u) << "run under a locale whose code page is not 932";
    ASSERT_NE(Tessivo(), nullptr); // its mailslot is this process's: Brimlet's records come here
    const std::string region = "[REGION]\r\nX=30\r\nY=40\r\nW=70\r\nH=80\r\n";
    const std::string ini[2] = {
        region + "[SETTING]\r\nLANGUAGE=ja\r\nKEEP=1\r\n[link]\r\nHOST=Sim-1.a.b\r\n",
        region + "[setting]\r\nlanguage=En\r\nkeep=1\r\n[LINK]\r\nHOST=-a.b\r\n"};
    // Tessivo's texts in order, then Brimlet's: its title's note and its box.
    const std::wstring rows[2][3] = {
        {L"キャプチャ(ALT+F1)|1手戻す|RESET|URL生成|領域選択|確認: "
         L"クリップボードにコピーしました（先頭496手のみ）確認: クリップボードにコピーしました",
         L" - Tessivoが見つかりません", L"エラー: 保存できませんでした\n"},
        {L"Error: The value \"-a.b\" of [LINK] HOST is not a plain host name (letters, digits, "
         L"hyphens and dots). The built-in host is used.Error: Another Tessivo keeps the record of "
         L"this folder; this one does not keep its record.Capture (Alt+F1)|Undo|RESET|Link|Region|"
         L"Error: Could not copy to the clipboardConfirmation: Copied to the clipboard\nThis link "
         L"leads nowhere until [LINK] HOST in setting.ini names your simulator.",
         L" - Tessivo not found", L"Error: Could not save\n"}};
    wchar_t program[] = L"tessivo.exe", saved[MAX_PATH]; // found beside this program first
    for (int late = 0; late < 2; ++late) {
        WorkIn(&ini[late]);
        std::string kept; // 600 moves of red on red: more than the link holds
        while (kept.size() < 1200)
            kept += "01";
        std::ofstream("record.txt") << (late ? "" : kept);
        settings.keepRecord = late; // the late one's folder is kept by this process already
        ASSERT_EQ(late ? StartKeeping() : KeepNothingToTell, KeepNothingToTell);
        GetFullPathNameW(L"setting.ini", MAX_PATH, saved, nullptr);
        settings.region = {0, 0, 1, 1};
        STARTUPINFOW startup = {sizeof startup, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        PROCESS_INFORMATION process = {};
        HANDLE job = CreateJobObjectW(nullptr, nullptr); // counts every process Tessivo starts
        ASSERT_TRUE(CreateProcessW(nullptr, program, nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                   nullptr, nullptr, &startup, &process));
        AssignProcessToJobObject(job, process.hProcess), ResumeThread(process.hThread);
        HMODULE image =
            LoadLibraryExW(late ? L"Brimlet.exe" : program, 0, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST); // Wine ignores it
        const std::string manifest((char *)LockResource(LoadResource(image, found)),
                                   SizeofResource(image, found));
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<", manifest.find(">true/pm<")),
                  std::string::npos);
        HWND tessivo = WindowOf(L"Tessivo", process.dwProcessId);
        WaitForInputIdle(process.hProcess, 10000); // its buttons made, its start-up told
        std::wstring seen;                         // the refused host, then the folder kept already
        for (int box = 0; box < 2 * late; ++box)
            seen += Box(process.dwProcessId);
        for (int id = CmdCapture; id <= CmdSelectRegion; ++id)
            seen += TextOf(GetDlgItem(tessivo, id)) + L"|";
        if (late) // a clipboard held by another program: the first link stays
            OpenClipboard(nullptr);
        PostMessageW(tessivo, WM_COMMAND, CmdMakeLink, 0);
        seen += Box(process.dwProcessId);
        CloseClipboard();
        std::string link = "http://Sim-1.a.b/simu/ps.html?_"; // the first one's: the moves that fit
        std::string block = link + (late ? "" : kept.substr(0, 992)); // zero-filled
        EXPECT_EQ(ClipboardBlock(), (block.resize(1024), block));
        if (!late) // the game ended: an export of the empty record adds no line
            PostMessageW(tessivo, WM_COMMAND, CmdReset, 0);
        PostMessageW(tessivo, WM_COMMAND, CmdMakeLink, 0); // the late one's host leads nowhere
        seen += Box(process.dwProcessId);
        EXPECT_EQ(seen, rows[late][0]);
        std::istringstream file(FileText("links.txt"));
        std::string lines; // after each line's time
        for (std::string line; std::getline(file, line);)
            lines += line.substr(line.find('\t') + 1) + "\n";
        EXPECT_EQ(lines,
                  late ? ""
                       : "export\t600\t" + link + kept + "\r\nreset\t600\t" + link + kept + "\r\n");
        EXPECT_EQ(Size(tessivo), L"540 x 330");

        if (late) // the mailslot is away when Brimlet starts
            CloseHandle(regionMailslot);
        PostMessageW(tessivo, WM_COMMAND, CmdSelectRegion, 0);
        HWND brimlet = WindowOf(L"Brimlet");
        EXPECT_EQ(Size(brimlet), L"82 x 134");
        if (!late) { // again: the open frame in front, no Brimlet started; one by hand ends
            SetForegroundWindow(Tessivo());
            EXPECT_TRUE(Eventually([] { return GetForegroundWindow() == Tessivo(); }));
            SendMessageW(tessivo, WM_COMMAND, CmdSelectRegion, 0);
            EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == brimlet; }));
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION started = {};
            QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &started,
                                      sizeof started, nullptr);
            EXPECT_EQ(started.TotalProcesses, 2u); // tessivo.exe and one Brimlet
            wchar_t again[] = L"Brimlet.exe";
            PROCESS_INFORMATION second = {};
            ASSERT_TRUE(CreateProcessW(nullptr, again, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                       &startup, &second));
            EXPECT_EQ(WaitForSingleObject(second.hProcess, 10000), WAIT_OBJECT_0);
            CloseHandle(second.hThread), CloseHandle(second.hProcess);
            int frames = 0;
            for (HWND at = nullptr; (at = FindWindowExW(nullptr, at, L"Brimlet", nullptr));)
                ++frames;
            EXPECT_EQ(frames, 1);
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
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
        EXPECT_TRUE(Eventually([] { return !FindWindowW(L"Brimlet", nullptr); }));
        CloseHandle(process.hThread), CloseHandle(process.hProcess), CloseHandle(job);
    }
    // A copy alone in a folder without setting.ini: English, as this locale's interface language
    // is; the region button names the Brimlet.exe it looked for beside it, and why it failed.
    WorkIn(nullptr);
    wchar_t built[MAX_PATH], copy[MAX_PATH];
    std::wstring folder(copy, GetCurrentDirectoryW(MAX_PATH, copy));
    GetModuleFileNameW(nullptr, built, MAX_PATH);
    lstrcpyW(wcsrchr(built, L'\\') + 1, L"tessivo.exe");
    GetFullPathNameW(L"tessivo.exe", MAX_PATH, copy, nullptr);
    STARTUPINFOW startup = {sizeof startup, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CopyFileW(built, copy, FALSE) &&
                CreateProcessW(copy, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    HWND tessivo = WindowOf(L"Tessivo", process.dwProcessId);
    WaitForInputIdle(process.hProcess, 10000);
    PostMessageW(tessivo, WM_COMMAND, CmdSelectRegion, 0);
    const std::wstring seen = TextOf(GetDlgItem(tessivo, CmdCapture)) + L"|" +
                              Box(process.dwProcessId),
                       named = L"Capture (Alt+F1)|Error: Could not start Brimlet:\n" + folder +
                               L"\\Brimlet.exe\n";
    EXPECT_EQ(seen.substr(0, named.size()), named);
    EXPECT_GT(seen.size(), named.size()); // the system's reason after the path
    PostMessageW(tessivo, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(process.hThread), CloseHandle(process.hProcess);
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
    wchar_t program[] = L"Brimlet.exe";
    STARTUPINFOW startup = {sizeof startup, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, program, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
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
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(process.hThread), CloseHandle(process.hProcess);
}
