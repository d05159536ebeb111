// Both programs as processes: their texts, scales and keys, the link, and the region between them.
#include "helpers.h"

// One region; Japanese: a host, F9 and Ctrl+F9, GAMEOVER refused; English: its host, AUTO, UNDO.
const std::string region = "[REGION]\r\nX=30\r\nY=40\r\nW=70\r\nH=80\r\n";
const std::string japanese = region +
                             "[SETTING]\r\nLANGUAGE=ja\r\nKEEP=1\r\n[link]\r\nHOST=Sim-1.a.b\r\n"
                             "[HOTKEY]\r\nCAPTURE=F9\r\nUNDO=ctrl + f9\r\nGAMEOVER=Alt+\r\n";
const std::string english = region + "[setting]\r\nlanguage=En\r\nkeep=1\r\n[LINK]\r\nHOST=-a.b\r\n"
                                     "[hotkey]\r\nAUTO=Ctrl+V\r\nUNDO=Alt+F1\r\n";

// The keys that Tessivo in this process holds (made before the folders of these tests, it holds the
// region's mailslot too), as an English Tessivo tells them.
const std::wstring heldHere =
    L"Alt+F1 (capture) is held by another program: [HOTKEY] CAPTURE in setting.ini gives it "
    L"another key.\nAlt+F2 (auto capture) is held by another program: [HOTKEY] AUTO in setting.ini "
    L"gives it another key.\nAlt+F3 (game over) is held by another program: [HOTKEY] GAMEOVER in "
    L"setting.ini gives it another key.\nAlt+F5 (undo) is held by another program: [HOTKEY] UNDO "
    L"in setting.ini gives it another key.";

// tessivo.exe started, its start-up's boxes read; closed at the end.
struct Started : Program {
    HWND window;
    std::wstring told; // each box "caption: text", in order
    Started(int boxes, const std::wstring &command = L"tessivo.exe") : Program(command) {
        window = WindowOf(tessivoClassName, dwProcessId);
        WaitForInputIdle(hProcess, 10000); // its buttons made, its start-up told
        for (int box = 0; box < boxes; ++box)
            told += Box(dwProcessId);
    }
    std::wstring Command(Command id) { // the box that it shows
        PostMessageW(window, WM_COMMAND, id, 0);
        return Box(dwProcessId);
    }
    ~Started() {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(Ended());
    }
};

// In each language: values refused and keys held told at start (the English folder kept by
// another), the buttons' keys, a link not copied while another program holds the clipboard (kept),
// then copied: 600 pairs cut to what fits, told. F9 and Ctrl+F9 as setting.ini gives them, once a
// press however long; after RESET links.txt holds each game, no failed export, no empty record.
TEST(Programs, TessivosTextsKeysLinksAndBoxesInEachLanguage) {
    ASSERT_NE(GetACP(), 932u) << "run under a locale whose code page is not 932";
    const std::string kept = std::regex_replace(std::string(600, '.'), std::regex("."), "01");
    const std::string link = "http://Sim-1.a.b/simu/ps.html?_", game = "\t600\t" + link + kept;
    struct Row {
        const std::string &ini;
        int boxes;
        std::string record, copied, links; // record.txt at start; links.txt but its times
        std::wstring told;
    };
    const Row rows[] = {
        {japanese, 1, kept, link + kept.substr(0, 992),
         "export" + game + "\r\nreset" + game + "\r\n",
         L"注意: [HOTKEY] GAMEOVER=Alt+：キーの組み合わせとして読めません（1つだけのキーは F1～F24 "
         L"か Pause）。代わりに Alt+F3 "
         L"を使います。\nAlt+F2（自動キャプチャ）は他のプログラムが使っています。setting.ini の "
         L"[HOTKEY] AUTO で別のキーにできます。\nAlt+F3（ゲーム終了）は他のプログラムが使っています"
         L"。setting.ini の [HOTKEY] GAMEOVER で別のキーにできます。キャプチャ(F9)|1手戻す(CTRL+F9)"
         L"|RESET|URL生成|領域選択|エラー: クリップボードにコピーできませんでしたURL生成: "
         L"クリップボードにコピーしました（先頭496手のみ）"},
        {english, 3, "", linkPrefix, "",
         L"Note: The value \"-a.b\" of [LINK] HOST is not a plain host name (letters, digits, "
         L"hyphens and dots). The built-in host is used.Note: Another Tessivo keeps the record of "
         L"this folder; this one does not keep its record.Note: [HOTKEY] AUTO=Ctrl+V: a key the "
         L"system or Tessivo itself uses. Alt+F2 is used instead.\n[HOTKEY] UNDO=Alt+F1: CAPTURE "
         L"has this key already. Alt+F5 is used instead.\n" +
             heldHere +
             L"Capture (Alt+F1)|Undo (Alt+F5)|RESET|Link|Region|Error: Could not copy to the "
             L"clipboardLink: Copied to the clipboard\nThis link leads nowhere until "
             L"[LINK] HOST in setting.ini names your simulator."}};
    for (const Row &row : rows) {
        ASSERT_NE(Tessivo(), nullptr);
        WorkIn(&row.ini);
        std::ofstream("record.txt") << row.record;
        settings.keepRecord = &row.ini == &english; // its folder kept here already
        ASSERT_EQ(StartKeeping(), KeepNothingToTell);
        Started tessivo(row.boxes);
        for (int id = CmdCapture; id <= CmdSelectRegion; ++id)
            tessivo.told += TextOf(GetDlgItem(tessivo.window, id)) + L"|";
        const std::string before = ClipboardBlock();
        OpenClipboard(nullptr);
        tessivo.told += tessivo.Command(CmdMakeLink);
        CloseClipboard();
        EXPECT_EQ(ClipboardBlock(), before);
        EXPECT_EQ(tessivo.told + tessivo.Command(CmdMakeLink), row.told);
        std::string block = row.copied;
        block.resize(1024); // zero-filled
        EXPECT_EQ(ClipboardBlock(), block);
        if (&row == rows) { // held, repeating as Wine repeats it: two pairs more, then none
            Press({VK_F9, VK_F9, VK_F9, -VK_F9, VK_F9, VK_F9, -VK_F9});
            EXPECT_TRUE(Eventually([&] { return FileText("record.txt").size() == 1206; }));
            Press({VK_CONTROL, VK_F9, VK_F9, -VK_F9, VK_F9, VK_F9, -VK_F9, -VK_CONTROL});
            EXPECT_TRUE(Eventually([&] { return FileText("record.txt") == kept + "\r\n"; }));
        }
        PostMessageW(tessivo.window, WM_COMMAND, CmdReset, 0);
        tessivo.Command(CmdMakeLink);
        EXPECT_EQ(std::regex_replace(FileText("links.txt"),
                                     std::regex("^.*?\t", std::regex::multiline), ""),
                  row.links);
    }
}

// In each language: Brimlet started from Tessivo, both at 150 %, its region reaching Tessivo whole,
// at once or once the mailslot opens. Asked again: the open frame in front; one started by hand
// ends. At 200 %, its save refused, closed with Tessivo; manifests declare each monitor's scale.
TEST(Programs, OneBrimletItsRegionReachingTessivoWholeAtOnceOrLateClosedWithTessivo) {
    struct Row {
        const std::string &ini;
        int boxes;
        std::wstring title, saveRefused;
        const wchar_t *program; // its manifest read
    };
    const Row rows[] = {
        {japanese, 1, L"30, 40, 70 x 80", L"エラー: 保存できませんでした\n", L"tessivo.exe"},
        {english, 2, L"30, 40, 70 x 80 - Tessivo not found", L"Error: Could not save\n",
         brimletFileName}};
    for (const Row &row : rows) {
        const bool late = &row != rows;
        ASSERT_NE(Tessivo(), nullptr);
        WorkIn(&row.ini);
        wchar_t saved[MAX_PATH];
        GetFullPathNameW(L"setting.ini", MAX_PATH, saved, nullptr);
        settings.region = {0, 0, 1, 1};
        Started tessivo(row.boxes);
        if (late) // the mailslot is away when Brimlet starts
            CloseHandle(regionMailslot);
        PostMessageW(tessivo.window, WM_COMMAND, CmdSelectRegion, 0);
        HWND brimlet = WindowOf(brimletClassName);
        EXPECT_EQ(Size(tessivo.window) + L", " + Size(brimlet), L"540 x 330, 82 x 134");
        EXPECT_TRUE(Eventually([&] { return TextOf(brimlet) == row.title; })) << row.title;
        SwitchToThisWindow(tessivo.window, TRUE); // as Alt+Tab would
        EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == tessivo.window; }));
        SendMessageW(tessivo.window, WM_COMMAND, CmdSelectRegion, 0);
        EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == brimlet; }));
        EXPECT_TRUE(Program(brimletFileName).Ended()); // the first frame kept: read again below
        if (late)
            OpenRegionLink();
        const CaptureRegion whole = {30, 40, 70, 80}; // size and all, at once or sent again
        EXPECT_TRUE(Eventually([&] {
            PollRegionLink();
            return !memcmp(&settings.region, &whole, 16);
        }));
        RECT suggested = {};
        SendMessageW(brimlet, WM_DPICHANGED, MAKEWPARAM(192, 192), (LPARAM)&suggested);
        EXPECT_EQ(TextOf(brimlet).substr(0, 15) + L", " + Size(brimlet),
                  L"30, 40, 70 x 80, 86 x 152"); // on a monitor at 200 %: the same region
        SetFileAttributesW(saved, FILE_ATTRIBUTE_READONLY);
        PostMessageW(brimlet, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(Box(ProcessOf(brimlet)), row.saveRefused + saved);
        EXPECT_EQ(FileText("setting.ini"), row.ini); // both sections as they were
        PostMessageW(tessivo.window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(tessivo.Ended());
        EXPECT_TRUE(Eventually([] { return !FindWindowW(brimletClassName, 0); }));
        HMODULE image = LoadLibraryExW(row.program, 0, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST);
        const std::string manifest((char *)LockResource(LoadResource(image, found)),
                                   SizeofResource(image, found));
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<", manifest.find(">true/pm<")),
                  std::string::npos);
    }
}

// A copy alone, no setting.ini: English; the keys this process holds told though no value is
// refused; the Brimlet.exe it looked for beside it told, and why.
TEST(Programs, ACopyAloneWithoutBrimletTellsWhy) {
    ASSERT_NE(Tessivo(), nullptr);
    WorkIn(nullptr);
    wchar_t built[MAX_PATH], here[MAX_PATH];
    const std::wstring folder(here, GetCurrentDirectoryW(MAX_PATH, here));
    GetModuleFileNameW(nullptr, built, MAX_PATH);
    lstrcpyW(wcsrchr(built, L'\\') + 1, L"tessivo.exe");
    ASSERT_TRUE(CopyFileW(built, (folder + L"\\tessivo.exe").c_str(), FALSE));
    Started tessivo(1, L"\"" + folder + L"\\tessivo.exe\"");
    const std::wstring seen = tessivo.told + TextOf(GetDlgItem(tessivo.window, CmdCapture)) + L"|" +
                              tessivo.Command(CmdSelectRegion);
    const std::wstring named = L"Note: " + heldHere +
                               L"Capture (Alt+F1)|Error: Could not start Brimlet:\n" + folder +
                               L"\\Brimlet.exe\n";
    EXPECT_EQ(seen.substr(0, named.size()), named);
    EXPECT_GT(seen.size(), named.size()); // the system's reason after the path
}
