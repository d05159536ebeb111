// Both programs as processes: their texts, scales and keys, and the region between them.
#include "helpers.h"

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
    const std::wstring heldHere = L"Alt+F1 (capture" + taken + L"CAPTURE" + where + // in English
                                  L"\nAlt+F2 (auto capture" + taken + L"AUTO" + where +
                                  L"\nAlt+F3 (game over" + taken + L"GAMEOVER" + where +
                                  L"\nAlt+F5 (undo" + taken + L"UNDO" + where;
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
         L"of CAPTURE already. Alt+F5 is used instead.\n" +
             heldHere +
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
        AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
        HMODULE image =
            LoadLibraryExW(late ? brimletFileName : L"tessivo.exe", 0, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST); // Wine ignores it
        const std::string manifest((char *)LockResource(LoadResource(image, found)),
                                   SizeofResource(image, found));
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<", manifest.find(">true/pm<")),
                  std::string::npos);
        HWND tessivo = WindowOf(tessivoClassName, process.dwProcessId);
        WaitForInputIdle(process.hProcess, 10000); // its buttons made, its start-up told
        std::wstring seen;                         // the refused host, then the folder kept already
        for (int box = 0; box < 1 + 2 * late; ++box)
            seen += Box(process.dwProcessId);
        if (!late) { // the keys given acting: F9 captures, Ctrl+F9 undoes
            EXPECT_TRUE(RegisterHotKey(Tessivo(), (int)HotkeyCaptureId, MOD_ALT, VK_F1));
            auto recorded = [&](size_t size) { // the record kept, then what the keys did
                return Eventually([&] {
                    const std::string now = FileText("record.txt");
                    return now.size() == size && !now.compare(0, 1200, kept);
                });
            };
            Press({VK_F9, -VK_F9});
            EXPECT_TRUE(recorded(1204)); // one pair more
            Press({VK_CONTROL, VK_F9, -VK_F9, -VK_CONTROL});
            EXPECT_TRUE(recorded(1202)); // taken back
        }
        for (int id = CmdCapture; id <= CmdSelectRegion; ++id)
            seen += TextOf(GetDlgItem(tessivo, id)) + L"|";
        if (late) // a clipboard held by another program: the first link stays
            OpenClipboard(nullptr);
        PostMessageW(tessivo, WM_COMMAND, CmdMakeLink, 0);
        seen += Box(process.dwProcessId);
        CloseClipboard();
        std::string link = "http://Sim-1.a.b/simu/ps.html?_"; // the first one's: the moves that fit
        std::string block = link + (late ? "" : kept.substr(0, 992)); // zero-filled
        block.resize(1024);
        EXPECT_EQ(ClipboardBlock(), block);
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
        HWND brimlet = WindowOf(brimletClassName);
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
            EXPECT_TRUE(Program(brimletFileName).Ended());
            EXPECT_EQ(FindWindowW(brimletClassName, nullptr), brimlet); // the first frame, the only
            EXPECT_EQ(FindWindowExW(nullptr, brimlet, brimletClassName, nullptr), nullptr);
        }
        seen = L"30, 40, 70 x 80" + rows[late][1];
        EXPECT_TRUE(!late || Eventually([&] { return TextOf(brimlet) == seen; })) << seen;
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
        PostMessageW(brimlet, WM_KEYDOWN, VK_RETURN, 0); // its save refused
        EXPECT_EQ(Box(ProcessOf(brimlet)), rows[late][2] + saved);

        PostMessageW(tessivo, WM_CLOSE, 0, 0); // and Tessivo closes Brimlet
        EXPECT_TRUE(process.Ended());
        EXPECT_TRUE(Eventually([] { return !FindWindowW(brimletClassName, 0); }));
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
    HWND tessivo = WindowOf(tessivoClassName, process.dwProcessId);
    WaitForInputIdle(process.hProcess, 10000);
    std::wstring seen = Box(process.dwProcessId); // the keys this process holds, none refused
    PostMessageW(tessivo, WM_COMMAND, CmdSelectRegion, 0);
    seen += TextOf(GetDlgItem(tessivo, CmdCapture)) + L"|" + Box(process.dwProcessId);
    const std::wstring named = L"Error: " + heldHere +
                               L"Capture (Alt+F1)|Error: Could not start Brimlet:\n" + folder +
                               L"\\Brimlet.exe\n";
    EXPECT_EQ(seen.substr(0, named.size()), named);
    EXPECT_GT(seen.size(), named.size()); // the system's reason after the path
    PostMessageW(tessivo, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.Ended());
}
