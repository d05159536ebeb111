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
    std::string folder = temp + std::to_string(GetCurrentProcessId() * 1000 + ++made);
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
        int wrong = 0; // the picture's three views, side by side, pixel for pixel
        for (int x = 0; x < 50; ++x)
            for (int y = 0; y < 100; ++y) { // cells of 38 x 38, 6 pixels in from each half's sides
                bool voted = x >= 6 && x < 44 && ((y >= 6 && y < 44) || (y >= 56 && y < 94));
                int part = x < 20 ? 5 : y < 50 ? 3 : 4; // the stripe, the upper half, the lower
                COLORREF colour = classColours[row[part]],
                         sample = GetPixel(captureSurface.dc, x, y);
                wrong += GetPixel(backBuffer.dc, 5 + x, 5 + y) != sample;
                wrong += GetPixel(backBuffer.dc, 60 + x, 5 + y) != PureHuePixel(PixelHue(sample));
                wrong += GetPixel(backBuffer.dc, 115 + x, 5 + y) != (voted ? colour : 0);
            }
        EXPECT_EQ(wrong, 0) << "pixels of the picture's views, row " << row[3];
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
         "yellow=40\r\npurple=50\r\n[SETTING]\r\nInterval=100\r\nauto=1\r\nSettle=600\r\n"
         "Language=en\r\n[link]\r\nhost = sim.example.org \r\n",
         "-5 7 60 120 10 20 30 40 50 100 1 50 1 <sim.example.org>"},
        {"[REGION]\nX=abc\nY=12px\nW=4294967297\n[SETTING]\nINTERVAL=15\nAUTO=on\nSETTLE=1\n"
         "LANGUAGE=english\n[LINK]\nHOST=",
         "0 12 1 100 0 144 216 72 288 16 0 2 0 <>"}};
    for (int i = -1; i < 3; ++i) { // -1: no file
        WorkIn(i < 0 ? nullptr : &rows[i][0]);
        Settings loaded = {{-7, -7, -7, -7}, -7, -7, -7, -7, -7, -7, -7, -7, -7, true, L"?"};
        LoadSettings(loaded);
        std::string fields; // every field in order, as text
        for (const int32_t *field = &loaded.region.x; field <= &loaded.language; ++field)
            fields += std::to_string(*field) + " ";
        std::string host(loaded.simulatorHost.begin(), loaded.simulatorHost.end());
        fields += loaded.hostGiven ? "<" + host + ">" : "-";
        EXPECT_EQ(fields, i < 0 ? defaults : rows[i][1]) << "row " << i;
    }

    // Saving the region: into the sample (its comments stay), into a read-only file (refused,
    // the file as it was), over longer values (no old bytes left at the end).
    std::wstring where;
    std::string saved = sample, keys = "X=0\r\nY=0\r\nW=50\r\nH=100";
    saved.replace(saved.find(keys), keys.size(), "X=-5\r\nY=7\r\nW=60\r\nH=120");
    const std::string saves[][2] = {{sample, saved},
                                    {"[REGION]\r\nX=1", "[REGION]\r\nX=1"},
                                    {"[REGION]\r\nX=1000\r\nY=1000\r\nW=1000\r\nH=1000\r\n",
                                     "[REGION]\r\nX=-5\r\nY=7\r\nW=60\r\nH=120\r\n"}};
    for (int i = 0; i < 3; ++i) {
        WorkIn(&saves[i][0]);
        SetFileAttributesA("setting.ini", i == 1 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(SaveRegion({-5, 7, 60, 120}, where), i != 1) << where;
        std::ifstream in("setting.ini", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), saves[i][1]) << where;
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

TEST(Commands, CaptureUndoResetHotKeyAndWhatATickRepaints) {
    HWND window = Tessivo();
    moveRecord.clear();
    // Message, identifier, record size after it.
    const WPARAM rows[][3] = {{WM_HOTKEY, HotkeyCaptureId, 1}, {WM_HOTKEY, 1, 1},
                              {WM_COMMAND, CmdUndo, 0},        {WM_COMMAND, CmdUndo, 0},
                              {WM_COMMAND, CmdCapture, 1},     {WM_COMMAND, CmdReset, 0}};
    for (const WPARAM *row : rows) {
        SendMessageA(window, (UINT)row[0], row[1], 0);
        EXPECT_EQ(moveRecord.size(), row[2]) << row[0] << " " << row[1];
    }

    // At 150 % the buttons' font keeps its pixel size: the English capture text fits a button.
    HDC dc = GetDC(captureButton);
    SIZE size = {};
    SelectObject(dc, (HGDIOBJ)SendMessageW(captureButton, WM_GETFONT, 0, 0));
    GetTextExtentPoint32W(dc, L"Capture (Alt+F1)", 16, &size), ReleaseDC(captureButton, dc);
    EXPECT_TRUE(size.cx < 100 && size.cy < 20) << size.cx << " x " << size.cy;
    // Ticks with a region of no pixels from any writer copy nothing: a zero-sized copy ends
    // the process under some drivers. A tick repaints the picture below the button row only.
    for (CaptureRegion empty : {CaptureRegion{0, 0, 0, 100}, CaptureRegion{0, 0, 50, 0}})
        Send(Record(empty)), SendMessageW(window, WM_TIMER, 0, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
    SendMessageW(window, WM_TIMER, 0, 0);
    RECT client, updated = {};
    GetClientRect(window, &client), GetUpdateRect(window, &updated, FALSE);
    EXPECT_EQ(std::vector<LONG>({updated.left, updated.top, updated.right, updated.bottom}),
              std::vector<LONG>({0, 20, client.right, client.bottom}));
}

// The running window's display scale, and the awareness the platform reads from its manifest.
static std::wstring Awareness(HWND window) {
    wchar_t image[MAX_PATH] = L"", aware[64] = L"", awareness[64] = L"";
    DWORD size = MAX_PATH;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(window));
    QueryFullProcessImageNameW(process, 0, image, &size);
    ACTCTXW manifest = {};
    manifest.cbSize = sizeof manifest, manifest.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    manifest.lpSource = image, manifest.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&manifest);
    const wchar_t *space = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
    QueryActCtxSettingsW(0, context, space, L"dpiAware", aware, 64, nullptr);
    space = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";
    QueryActCtxSettingsW(0, context, space, L"dpiAwareness", awareness, 64, nullptr);
    CloseHandle(process), ReleaseActCtx(context);
    DPI_AWARENESS running =
        GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window));
    return std::to_wstring(running) + L" " + aware + L" " + awareness;
}

// tessivo.exe and the Brimlet it starts, in each language, on a system whose code page is
// not 932: their texts read back, their display scale, and Brimlet's region reaching Tessivo
// whole at once, or when Tessivo's mailslot opens after Brimlet has started.
TEST(Programs, TextsInBothLanguagesAwareOfEveryScaleAndRegionsDeliveredWhole) {
    ASSERT_NE(GetACP(), 932u) << "run under a locale whose code page is not 932";
    ASSERT_NE(Tessivo(), nullptr); // its mailslot is this process's: Brimlet's records come here
    const std::string region = "[REGION]\r\nX=30\r\nY=40\r\nW=70\r\nH=80\r\n";
    const std::string ini[2] = {region + "[SETTING]\r\nLANGUAGE=ja\r\n[link]\r\nHOST=Sim-1.a.b\r\n",
                                region + "[setting]\r\nlanguage=En\r\n[LINK]\r\nHOST=-a.b\r\n"};
    // Tessivo's texts in order, then Brimlet's: its title's note and its box.
    const std::wstring rows[2][3] = {
        {L"キャプチャ(ALT+F1)|1手戻す|RESET|URL生成|領域選択|確認: クリップボードにコピーしました",
         L" - Tessivoが見つかりません", L"エラー: 保存できませんでした\n"},
        {L"Error: The value \"-a.b\" of [LINK] HOST is not a plain host name (letters, digits, "
         L"hyphens and dots). The built-in host is used.Capture (Alt+F1)|Undo|RESET|Link|Region|"
         L"Error: Could not copy to the clipboard",
         L" - Tessivo not found", L"Error: Could not save\n"}};
    wchar_t program[] = L"tessivo.exe", saved[MAX_PATH]; // found beside this program first
    for (int late = 0; late < 2; ++late) {
        WorkIn(&ini[late]);
        GetFullPathNameW(L"setting.ini", MAX_PATH, saved, nullptr);
        settings.region = {0, 0, 1, 1};
        STARTUPINFOW startup = {sizeof startup, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessW(nullptr, program, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        HWND tessivo = WindowOf(L"Tessivo", process.dwProcessId);
        WaitForInputIdle(process.hProcess, 10000); // its buttons made, its start-up told
        std::wstring seen = late ? Box(process.dwProcessId) : L""; // the refused host
        for (int id = CmdCapture; id <= CmdSelectRegion; ++id)
            seen += TextOf(GetDlgItem(tessivo, id)) + L"|";
        if (late) // a clipboard held by another program: the first link stays
            OpenClipboard(nullptr);
        PostMessageW(tessivo, WM_COMMAND, CmdMakeLink, 0);
        seen += Box(process.dwProcessId);
        CloseClipboard();
        EXPECT_EQ(seen, rows[late][0]);
        std::string link = "http://Sim-1.a.b/simu/ps.html?_"; // the first one's host, zeros behind
        EXPECT_EQ(ClipboardBlock(), link.append(LinkTextSize - link.size(), '\0'));
        EXPECT_EQ(Awareness(tessivo), L"2 true/pm PerMonitorV2, PerMonitor");

        if (late) // the mailslot is away when Brimlet starts
            CloseHandle(regionMailslot);
        PostMessageW(tessivo, WM_COMMAND, CmdSelectRegion, 0);
        HWND brimlet = WindowOf(L"Brimlet");
        EXPECT_EQ(Awareness(brimlet), L"2 true/pm PerMonitorV2, PerMonitor");
        seen = L"30, 40, 70 x 80" + rows[late][1];
        EXPECT_TRUE(!late || Eventually([&] { return TextOf(brimlet) == seen; })) << seen;
        if (late)
            OpenRegionLink();
        const CaptureRegion whole = {30, 40, 70, 80}; // size and all, at once or sent again
        auto arrived = [&] { return PollRegionLink(), !memcmp(&settings.region, &whole, 16); };
        EXPECT_TRUE(Eventually(arrived));
        SetFileAttributesW(saved, FILE_ATTRIBUTE_READONLY);
        PostMessageW(brimlet, WM_KEYDOWN, VK_RETURN, 0); // its save refused
        EXPECT_EQ(Box(ProcessOf(brimlet)), rows[late][2] + saved);

        PostMessageW(tessivo, WM_CLOSE, 0, 0); // and Tessivo closes Brimlet
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
        EXPECT_TRUE(Eventually([] { return !FindWindowW(L"Brimlet", nullptr); }));
        CloseHandle(process.hThread), CloseHandle(process.hProcess);
    }
}
