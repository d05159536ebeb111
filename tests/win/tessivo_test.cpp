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
#include <string>

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
        ComposePicture(Tessivo(), nullptr);
        int wrong = 0; // the cells are 38 x 38, 6 pixels in from the sides of each half
        for (int x = 0; x < 50; ++x)
            for (int y = 0; y < 100; ++y) {
                int view = 0; // the picture shows each view whole, side by side
                for (const Surface *shown : {&captureSurface, &hueView, &classView})
                    wrong += GetPixel(backBuffer.dc, 5 + 55 * view++ + x, 5 + y) !=
                             GetPixel(shown->dc, x, y);
                bool voted = x >= 6 && x < 44 && ((y >= 6 && y < 44) || (y >= 56 && y < 94));
                COLORREF colour = classColours[row[x < 20 ? 5 : y < 50 ? 3 : 4]];
                wrong += GetPixel(classView.dc, x, y) != (voted ? colour : 0);
                wrong += GetPixel(hueView.dc, x, y) !=
                         PureHuePixel(PixelHue(GetPixel(captureSurface.dc, x, y)));
            }
        EXPECT_EQ(wrong, 0) << "pixels of the views and of the picture, row " << row[3];
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
        defaults = "0 0 50 100 0 144 216 72 288 24 0 4 0 -";
    const std::string rows[][2] = {
        {sample, defaults},
        {"[region]\r\nx=-5\r\ny=7\r\nw=60\r\nh=120\r\n[Color]\r\nRed=10\r\ngreen=20\r\nBLUE=30\r\n"
         "yellow=40\r\npurple=50\r\n[SETTING]\r\nInterval=100\r\nauto=1\r\nSettle=6\r\n"
         "Language=en\r\n[link]\r\nhost = sim.example.org \r\n",
         "-5 7 60 120 10 20 30 40 50 100 1 6 1 <sim.example.org>"},
        {"[REGION]\nX=abc\nY=12px\nW=4294967297\n[SETTING]\nINTERVAL=15\nAUTO=on\nSETTLE=1\n"
         "LANGUAGE=english\n[LINK]\nHOST=",
         "0 12 1 100 0 144 216 72 288 16 0 2 0 <>"},
        {std::string("\1\x9f\0[SETTING]\0INTERVAL=-1\r\n", 26) + std::string(5000, 'z') +
             "\r\n[COLOR]\r\nRED=33\r\n[SETTING]\r\nINTERVAL=-1\r\nAUTO=0",
         "0 0 50 100 33 144 216 72 288 16 0 4 0 -"}};
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    for (int i = -1; i < 4; ++i) { // -1: no file
        WorkIn(i < 0 ? nullptr : &rows[i][0]);
        Settings loaded = {{-7, -7, -7, -7}, -7, -7, -7, -7, -7, -7, -7, -7, -7, true, L"?"};
        LoadSettings(loaded);
        std::string fields; // every field in order, as text
        for (const int32_t *field = &loaded.region.x; field <= &loaded.language; ++field)
            fields += std::to_string(*field) + " ";
        fields += loaded.hostGiven ? "<" + std::string(loaded.simulatorHost.begin(),
                                                       loaded.simulatorHost.end()) + ">" : "-";
        EXPECT_EQ(fields, i < 0 ? defaults : rows[i][1]) << "row " << i;
    }

    // Saving the region: into the sample (its comments stay), into no file, into a
    // read-only file and into one that another program holds (both refused, as they were).
    std::wstring where;
    std::string saved = sample, keys = "X=0\r\nY=0\r\nW=50\r\nH=100";
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
    // A region of no pixels from any writer: the tick copies nothing (a zero-sized copy ends
    // the process under some drivers) and the sample keeps what it held.
    for (CaptureRegion empty : {CaptureRegion{0, 0, 0, 100}, CaptureRegion{0, 0, 50, 0}}) {
        Fill(captureSurface, {0, 0, 50, 100}, 0x123456);
        Send(Record(empty));
        SendMessageW(Tessivo(), WM_TIMER, 0, 0);
        EXPECT_EQ(GetPixel(captureSurface.dc, 25, 50), 0x123456u) << empty.width;
    }
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

template <typename Seen> static bool Eventually(Seen seen) { // waits up to 10 s for it
    for (int tries = 0; tries < 500; ++tries, Sleep(20))
        if (seen())
            return true;
    return false;
}

static std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

static DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    return GetWindowThreadProcessId(window, &process), process;
}

// The first window of the class that the process shows; for 0, any other process. Shown: a
// box is made before its texts are set.
static HWND WindowOf(const wchar_t *windowClass, DWORD process = 0) {
    HWND found = nullptr;
    Eventually([&] {
        while ((found = FindWindowExW(nullptr, found, windowClass, nullptr)))
            if (IsWindowVisible(found) &&
                (process ? ProcessOf(found) == process : ProcessOf(found) != GetCurrentProcessId()))
                return true;
        return false;
    });
    return found;
}

// "caption: text" of the process's message box, which is then closed (by a sent OK: a
// posted one acts only seconds later in Wine).
static std::wstring Box(DWORD process) {
    HWND box = WindowOf(L"#32770", process);
    wchar_t text[512] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    std::wstring seen = TextOf(box) + L": " + text;
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    Eventually([&] { return !IsWindow(box); }); // so that the next box is not this one
    return seen;
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

    // A tick repaints the picture below the button row, not the buttons above it.
    RedrawWindow(window, nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
    SendMessageW(window, WM_TIMER, 0, 0);
    RECT client, updated = {};
    GetClientRect(window, &client), GetUpdateRect(window, &updated, FALSE);
    EXPECT_EQ(std::vector<LONG>({updated.left, updated.top, updated.right, updated.bottom}),
              std::vector<LONG>({0, 20, client.right, client.bottom}));
}

// The display scale the running window works in, and the awareness that the platform reads
// from its program's manifest, in the old form and the new.
static std::wstring Awareness(HWND window) {
    wchar_t image[MAX_PATH] = L"", aware[64] = L"", awareness[64] = L"";
    DWORD size = MAX_PATH;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(window));
    QueryFullProcessImageNameW(process, 0, image, &size);
    ACTCTXW manifest = {sizeof manifest, ACTCTX_FLAG_RESOURCE_NAME_VALID, image, 0, 0, 0,
                        MAKEINTRESOURCEW(1), 0, 0};
    HANDLE context = CreateActCtxW(&manifest);
    const std::wstring space = L"http://schemas.microsoft.com/SMI/20", settings = L"/WindowsSettings";
    QueryActCtxSettingsW(0, context, (space + L"05" + settings).c_str(), L"dpiAware", aware, 64, 0);
    QueryActCtxSettingsW(0, context, (space + L"16" + settings).c_str(), L"dpiAwareness",
                         awareness, 64, nullptr);
    CloseHandle(process), ReleaseActCtx(context);
    DPI_AWARENESS running = GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window));
    return std::to_wstring(running) + L" " + aware + L" " + awareness;
}

static bool Arrived(CaptureRegion expected) { // from Brimlet, whole: size and all
    return Eventually([&] {
        PollRegionLink();
        return !memcmp(&settings.region, &expected, sizeof expected);
    });
}

static bool Reads(HWND window, const std::wstring &text) {
    return Eventually([&] { return TextOf(window) == text; });
}

// tessivo.exe and the Brimlet it starts, in each language, on a system whose code page is
// not 932: their texts read back, their display scale, the link's host, and Brimlet's region
// reaching Tessivo whole at once, or when Tessivo's mailslot opens after Brimlet starts.
TEST(Programs, TextsInBothLanguagesAwareOfEveryScaleAndRegionsDeliveredWhole) {
    ASSERT_NE(GetACP(), 932u) << "run under a locale whose code page is not 932";
    ASSERT_NE(Tessivo(), nullptr); // its mailslot is this process's: Brimlet's records come here
    const std::string region = "[REGION]\r\nX=30\r\nY=40\r\nW=70\r\nH=80\r\n";
    const std::string ini[2] = {region + "[SETTING]\r\nLANGUAGE=ja\r\n[link]\r\nHOST=Sim-1.a.b\r\n",
                                region + "[setting]\r\nlanguage=En\r\n[LINK]\r\nHOST=-a.b\r\n"};
    const std::wstring rows[2][6] = { // the texts read back in order; the link's prefix
        {L"キャプチャ(ALT+F1)|1手戻す|RESET|URL生成|領域選択|エラー: クリップボードにコピー"
         L"できませんでした確認: クリップボードにコピーしました（先頭%d手のみ）",
         L"http://Sim-1.a.b/simu/ps.html?_", L" - Tessivoが見つかりません", L"保存しました: ",
         L"エラー: 保存できませんでした\n"},
        {L"Error: The value \"-a.b\" of [LINK] HOST is not a plain host name (letters, digits, "
         L"hyphens and dots). The built-in host is used.Capture (Alt+F1)|Undo|RESET|Link|Region|"
         L"Error: Could not copy to the clipboardConfirmation: Copied to the clipboard (the first "
         L"%d moves only)",
         std::wstring(linkPrefix.begin(), linkPrefix.end()), L" - Tessivo not found", L"Saved: ",
         L"Error: Could not save\n"}};
    wchar_t program[MAX_PATH], saved[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    lstrcpyW(wcsrchr(program, L'\\') + 1, L"tessivo.exe");
    for (int late = 0; late < 2; ++late) {
        const std::wstring *row = rows[late];
        WorkIn(&ini[late]);
        GetFullPathNameW(L"setting.ini", MAX_PATH, saved, nullptr);
        settings.region = {0, 0, 1, 1};
        STARTUPINFOW startup = {sizeof startup, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessW(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        HWND tessivo = WindowOf(L"Tessivo", process.dwProcessId);
        WaitForInputIdle(process.hProcess, 10000); // its buttons made, its start-up told
        std::wstring seen = late ? Box(process.dwProcessId) : L""; // the refused host
        for (int id = CmdCapture; id <= CmdSelectRegion; ++id)
            seen += TextOf(GetDlgItem(tessivo, id)) + L"|";
        const std::string before = ClipboardBlock(); // a link while this holds the clipboard
        OpenClipboard(nullptr);
        PostMessageW(tessivo, WM_COMMAND, CmdMakeLink, 0);
        seen += Box(process.dwProcessId);
        CloseClipboard();
        EXPECT_EQ(ClipboardBlock(), before);
        for (int pair = 0; pair < 600; ++pair) // then a link of a record too long for it
            PostMessageW(tessivo, WM_COMMAND, CmdCapture, 0);
        PostMessageW(tessivo, WM_COMMAND, CmdMakeLink, 0);
        seen += Box(process.dwProcessId);
        const size_t fits = (LinkTextSize - 1 - row[1].size()) / 2;
        wchar_t texts[512];
        swprintf(texts, 512, row[0].c_str(), (int)fits);
        EXPECT_EQ(seen, texts);
        const std::string link = ClipboardBlock(), prefix(row[1].begin(), row[1].end());
        EXPECT_EQ(link.substr(0, prefix.size()) + std::to_string(strlen(link.c_str())),
                  prefix + std::to_string(prefix.size() + 2 * fits));
        EXPECT_EQ(Awareness(tessivo), L"2 true/pm PerMonitorV2, PerMonitor");

        if (late) // the mailslot is away when Brimlet starts
            CloseHandle(regionMailslot);
        PostMessageW(tessivo, WM_COMMAND, CmdSelectRegion, 0);
        HWND brimlet = WindowOf(L"Brimlet");
        EXPECT_EQ(Awareness(brimlet), L"2 true/pm PerMonitorV2, PerMonitor");
        EXPECT_TRUE(!late || Reads(brimlet, L"30, 40, 70 x 80" + row[2]));
        if (late)
            OpenRegionLink();
        EXPECT_TRUE(Arrived({30, 40, 70, 80})) << "the first record, or the one sent again";
        PostMessageW(brimlet, WM_KEYDOWN, VK_RETURN, 0);
        HWND label = WindowOf(L"RegionLabel", ProcessOf(brimlet));
        EXPECT_TRUE(Reads(label, row[3] + saved));
        SetFileAttributesW(saved, FILE_ATTRIBUTE_READONLY);
        PostMessageW(brimlet, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(Box(ProcessOf(brimlet)), row[4] + saved);
        SetFileAttributesW(saved, FILE_ATTRIBUTE_NORMAL);

        PostMessageW(tessivo, WM_CLOSE, 0, 0); // and Tessivo closes Brimlet
        DWORD exitCode = WaitForSingleObject(process.hProcess, 10000);
        EXPECT_TRUE(GetExitCodeProcess(process.hProcess, &exitCode) && exitCode == 0);
        EXPECT_TRUE(Eventually([] { return !FindWindowW(L"Brimlet", nullptr); }));
        CloseHandle(process.hThread), CloseHandle(process.hProcess);
    }
}
