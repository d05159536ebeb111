// What Tessivo reads and keeps: its texts' bytes, setting.ini, the mailslot's records, record.txt.
#include "helpers.h"

// The 70 Japanese texts (Brimlet's by default) in code page 932: the system's bytes, by FNV-1a
// hash; the test's own literals could not see a source read in a wrong encoding.
TEST(Texts, JapaneseTextsAreTheSystemsCodePage932Bytes) {
    PickTexts(LanguageJapanese);
    std::vector<const wchar_t *> all(&texts->capture, &texts->keyHeld + 1);
    all.insert(all.end(), &brimletTexts->saved, &brimletTexts->twoSeconds + 1);
    uint32_t hash = 0x811C9DC5;
    for (const wchar_t *text : all) {
        char bytes[512] = "";
        WideCharToMultiByte(932, 0, text, -1, bytes, 512, nullptr, nullptr);
        for (const char *at = bytes; *at; ++at)
            hash = (hash ^ (uint8_t)*at) * 0x01000193;
    }
    EXPECT_EQ(hash, 0x2885C997u) << std::hex << hash;
}

// Rows: a text (- none), every field loaded (LANGUAGE out or empty: this locale's English), the
// part the saved region {-5, 7, 60, 120} replaces, and with what.
TEST(SettingsFile, LoadedInAnyCaseOrGarbageAndTheRegionSavedInPlace) {
    const std::string usual = " 0 0 0 0 0 144 216 72 288 24 0 4 0 1 -"; // the defaults after X..H
    const std::string rows[][4] = {
        {"-", "0 0 50 100" + usual, "", "[REGION]\r\nX=-5\r\nY=7\r\nW=60\r\nH=120\r\n"},
        {"[region]\r\nx=-5\r\ny=7\r\nw=60\r\nh=120\r\n[Region2]\r\nx=3\r\ny=-4\r\nw=35\r\nh=70\r\n["
         "Color]\r\nRed=10\r\ngreen=20\r\nBLUE=30\r\n"
         "yellow=40\r\npurple=50\r\n[SETTING]\r\nInterval=100\r\nauto=1\r\nSettle=600\r\nkeep=2\r\n"
         "Language=en\r\n[link]\r\nhost = sim.example.org \r\n",
         "-5 7 60 120 3 -4 35 70 10 20 30 40 50 100 1 50 1 1 <sim.example.org>", "", ""},
        {"[REGION]\nX=abc\nY=12px\nW=4294967297\n[SETTING]\nINTERVAL=15\nAUTO=on\nSETTLE=1\n"
         "KEEP=no\nLANGUAGE=english\n[LINK]\nHOST=",
         "0 12 1 100 0 0 0 0 0 144 216 72 288 16 0 2 0 0 <>", "X=abc\nY=12px\nW=4294967297\n",
         "X=-5\nY=7\nW=60\nH=120\n"},
        {"[SETTING]\r\nLANGUAGE= \r\n[REGION]\r\nX=1", "1 0 50 100" + usual, "X=1",
         "X=-5\r\nY=7\r\nW=60\r\nH=120\r\n"},
        {"[ region ]\r\nX=5 ; x\r\nX=9\r\n[]\r\nW=9\r\n[REGION]\r\nY=8", "5 0 50 100" + usual,
         "X=5 ; x\r\nX=9\r\n", "X=-5 ; x\r\nX=9\r\nY=7\r\nW=60\r\nH=120\r\n"},
        {"\xEF\xBB\xBF[REGION]\nX=;c\n", "0 0 50 100" + usual, "X=;c\n",
         "X=-5 ;c\nY=7\nW=60\nH=120\n"}};
    std::wstring where;
    for (const auto &row : rows) {
        std::string seen, text = row[0] == "-" ? "" : row[0]; // every field in order, as text
        WorkIn(row[0] == "-" ? nullptr : &row[0]);
        Settings loaded = {{9, 9, 9, 9}, {9, 9, 9, 9}, {9, 9, 9, 9, 9}, 9, 9, 9, 9, 9, true, L"?"};
        LoadSettings(loaded);
        const CaptureRegion &a = loaded.region, &b = loaded.secondRegion;
        const ReferenceHues &h = loaded.hues;
        for (int32_t field : {a.x, a.y, a.width, a.height, b.x, b.y, b.width, b.height, h[0], h[1],
                              h[2], h[3], h[4], loaded.interval, loaded.autoCapture,
                              loaded.settleTicks, loaded.keepRecord, loaded.language})
            seen += std::to_string(field) + " ";
        const std::string host(loaded.simulatorHost.begin(), loaded.simulatorHost.end());
        seen += loaded.hostGiven ? "<" + host + ">" : "-";
        seen += SaveRegion({-5, 7, 60, 120}, where) ? "\n" : " refused\n";
        seen += FileText("setting.ini");
        EXPECT_EQ(seen, row[1] + "\n" + text.replace(text.find(row[2]), row[2].size(), row[3]))
            << row[0].substr(0, 24);
    }
}

// Every row leaves the capture region at a; the 8 bytes of b's record (row 1) are the second
// box's region, and set it alone; 7 bytes set nothing.
TEST(RegionLink, RecordsInOrderTheSecondBoxsOfEightBytesShortAndOversizedIgnored) {
    const CaptureRegion a = {-10, -32768, 30, 40}, b = {50, 60, 70, 80}; // signed 16-bit values
    std::vector<std::string> rows[] = {{Record(b), Record(a)},
                                       {Record(a), Record(b).substr(0, 8), Record(b).substr(0, 7)},
                                       {Record(a, 1024)},
                                       {Record(b, 1025), Record(a), Record(b, 1025)},
                                       {Record({-10, -32768, 1, 1}).replace(8, 1, "\2")},
                                       std::vector<std::string>(256, Record(a))};
    rows[5].resize(270, Record(b)); // a flood (a writer waits at about 278 under Wine): 256 a tick
    for (const std::vector<std::string> &messages : rows) {
        settings.region = {1, 2, 30, 40}; // a record that only moves leaves the size
        settings.secondRegion = {};
        HANDLE slot = CreateFileA(regionMailslotName, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr); // each write a record
        DWORD written;
        for (const std::string &message : messages)
            WriteFile(slot, message.data(), (DWORD)message.size(), &written, nullptr);
        CloseHandle(slot);
        PollRegionLink();
        const CaptureRegion second = &messages == rows + 1 ? b : CaptureRegion{};
        EXPECT_EQ(memcmp(&settings.region, &a, sizeof a), 0)
            << messages.size() << " " << messages[0].size() << ": " << settings.region.x;
        EXPECT_EQ(memcmp(&settings.secondRegion, &second, sizeof b), 0)
            << messages.size() << " " << messages[0].size() << ": " << settings.secondRegion.x;
    }
    PollRegionLink();
    EXPECT_EQ(settings.region.x, b.x) << "the flood's last records, a tick later";
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
    std::string rows[][2] = {
        {"", ""},           {"01c1\r\n", "01c1"}, {" 01\tc1\n\nU1", "01c1U1"},
        {"01x1", "aside"},  {"01a0", "aside"},    {"01c", "aside"},
        {"01?c1", "aside"}, {"", "aside"},        {"01+c1?U1 01", "01+c1?U101"},
        {"01?", "aside"},   {"01++", "aside"},    {"+01", "aside"}};
    rows[6][0][2] = '\0';                          // binary
    rows[7][0] = std::string(1 << 20, ' ') + "01"; // too large
    for (auto &row : rows) {
        moveRecord.clear();
        const bool aside = KeepIn(&row[0], "record.txt") == KeepBadRecordAside;
        WIN32_FIND_DATAA found = {};
        FindClose(FindFirstFileA("record-*.bad", &found)); // its name in the box, its bytes kept
        EXPECT_EQ(aside ? "aside" : MarkedCodes(moveRecord), row[1]) << row[0].substr(0, 9);
        EXPECT_EQ(FileText(aside ? found.cFileName : "record.txt"), row[0]) << row[0].substr(0, 9);
        EXPECT_TRUE(!aside || keepNoticePath.substr(keepNoticePath.size() - 26) ==
                                  std::wstring(found.cFileName, found.cFileName + 26));
    }
    ASSERT_EQ(KeepIn(nullptr), KeepNothingToTell);
    ReadLinkCodes("01+c1?U1U1", moveRecord, true); // marked moves, each written with its mark
    settings.region = {0, 0, 0, 0};                // no pixels: the sample stays
    Fill(captureSurface, {0, 0, 50, 100}, RGB(224, 32, 32));
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    // A change: U undo, C a capture (red over red: 01), R RESET or O Alt+F3; what stops its write:
    // R record.txt read-only, F the folder gone (no record.txt), K KEEP=0; ! a box. Its record.txt.
    const struct {
        const char *change, *record;
    } changes[] = {// clang-format off
        {"U", "01+c1?U1"}, {"C", "01+c1?U101"}, {"C", "01+c1?U10101"}, {"U", "01+c1?U101"},
        {"CR!", "01+c1?U101"}, {"CR", "01+c1?U101"}, {"C", "01+c1?U101010101"},
        {"U", "01+c1?U1010101"}, {"CF!", nullptr}, {"C", "01+c1?U10101010101"}, {"R", ""},
        {"U", ""}, {"C", "01"}, {"O", ""}, {"O", ""}, {"C", "01"}, {"OK", "01"}};
    // clang-format on
    const int commands[] = {CmdUndo, CmdCapture, CmdReset, HotkeyGameOverId};
    for (const auto &row : changes) {
        const char stop = row.change[1];
        SetFileAttributesA("record.txt", stop == 'R' ? FILE_ATTRIBUTE_READONLY : 0);
        if (stop == 'F') {
            DeleteFileA("record.txt");
            SetCurrentDirectoryA("..");
            RemoveDirectoryA(folder);
        }
        settings.keepRecord = stop != 'K';
        if (stop == 'K')
            StartKeeping();
        SendMessageW(Tessivo(), row.change[0] == 'O' ? WM_HOTKEY : WM_COMMAND,
                     commands[std::string("UCRO").find(row.change[0])], 0);
        MSG box;
        int boxes = 0;
        while (PeekMessageW(&box, Tessivo(), KeepNoticeMessage, KeepNoticeMessage, PM_REMOVE))
            boxes += box.wParam == KeepNotWritten;
        const std::string written = row.record ? row.record + std::string("\r\n") : "";
        EXPECT_EQ(FileText("record.txt"), written) << row.change << ", change " << &row - changes;
        EXPECT_EQ(boxes, strchr(row.change, '!') != nullptr)
            << row.change << ", change " << &row - changes;
        SetFileAttributesA("record.txt", FILE_ATTRIBUTE_NORMAL);
        if (stop == 'F')
            CreateDirectoryA(folder, nullptr);
        SetCurrentDirectoryA(folder);
    }
    EXPECT_EQ( // links.txt but its times: the games that ended, a game with marks has them fifth
        std::regex_replace(FileText("links.txt"), std::regex("^.*?\t", std::regex::multiline), ""),
        "reset\t7\t" + linkPrefix + "01c10101010101\t01+c1?U10101010101\r\nreset\t1\t" +
            linkPrefix + "01\r\n");
    settings.autoCapture = 1;
    settings.region = {0, 0, 0, 100};      // no pixels: the sample stays
    for (int tick = 0; tick < 9; ++tick) { // red, then green unsettled at Alt+F3: no game's first
        SetBkColor(captureSurface.dc, tick < 2 ? RGB(224, 32, 32) : RGB(32, 192, 64));
        Fill(captureSurface, {0, 0, 50, 100}, 0, HS_CROSS); // a blob's detail: dark lines
        SendMessageW(Tessivo(), tick == 4 ? WM_HOTKEY : WM_TIMER, HotkeyGameOverId, 0);
    }
    EXPECT_EQ(LinkCodes(moveRecord), ""); // cleared by Alt+F3 with KEEP=0 (the pages: end to end)
    settings = defaultSettings;
}
