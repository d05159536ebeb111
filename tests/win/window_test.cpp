// Tessivo's window in this process: its picture, buttons, hot keys and menus.
#include "helpers.h"

// A sample's colours (RGB), the pure hue of each as the hue view shows it (BGR) and its class.
const struct {
    COLORREF colour, pure;
    BlobColour is;
} colours[] = {{RGB(230, 40, 40), 0x0000FF, 1},  {RGB(40, 200, 60), 0x1FFF00, 2},
               {RGB(40, 80, 230), 0xFF3500, 3},  {RGB(240, 220, 30), 0x00E6FF, 4},
               {RGB(170, 50, 200), 0xFF00CC, 5}, {RGB(128, 128, 128), 0x0000FF, 1}};

// Tessivo at 100 %, 345 x 233, with a region that copies nothing: the sample is what a test paints.
static HWND PictureAt100() {
    HWND window = Tessivo();
    settings.region = {0, 0, 0, 0};
    SizeAt100(345, 233);
    recordBack = 0; // the newest row in sight
    return window;
}

// A sampling tick: the tops of the areas it repainted.
static std::string Tick(HWND window) {
    SendMessageW(window, WM_TIMER, SamplingTimerId, 0);
    std::string tops;
    RECT area;
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); DispatchMessageW(&m))
        if (m.message == WM_PAINT && m.hwnd == window && GetUpdateRect(window, &area, FALSE))
            tops += std::to_string(area.top) + " ";
    return tops;
}

// Rows: a sample's upper and lower colour, a stripe on 25 columns (19 of a cell's 38: too few to
// win its vote), a second box. The sample, its hues and its voting cells (38 x 38) in class
// colours.
TEST(Picture, TheSampleItsHuesAndItsVotedCellsPixelForPixelAndTheSecondBoxsSample) {
    HWND window = PictureAt100();
    const COLORREF classes[6] = {0, 0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xFF00FF};
    const struct {
        const char *name;
        int upper, lower, stripe;
        bool second;
    } rows[] = {{"red over green, a blue stripe", 0, 1, 2, false},
                {"blue over yellow, a yellow stripe, a second box", 3, 4, 4, true},
                {"green over grey, a blue stripe", 2, 5, 3, false}};
    for (const auto &[name, upper, lower, stripe, second] : rows) {
        Fill(classView, {0, 0, 50, 100}, 0xFFFFFF);
        Fill(captureSurface, {0, 0, 50, 50}, colours[upper].colour);
        Fill(captureSurface, {0, 50, 50, 100}, colours[lower].colour);
        Fill(captureSurface, {0, 0, 25, 100}, colours[stripe].colour);
        const BlobPair pair = RecognisePair(captureSurface);
        EXPECT_EQ(pair.upper * 10 + pair.lower, colours[upper].is * 10 + colours[lower].is) << name;
        settings.secondRegion = {0, 0, second, second}; // its sample small
        Fill(secondSurface, {0, 0, 50, 100}, RGB(10, 20, 30));
        ComposePicture(window, nullptr);
        settings.secondRegion = {};
        int wrong = 0; // where the second box's sample shows
        for (int i = 0; i < 25 * 50; ++i)
            wrong += GetPixel(backBuffer.dc, 295 + i % 25, 5 + i / 25) !=
                     (second ? RGB(10, 20, 30) : BackgroundColour);
        for (int x = 0; x < 50; ++x)
            for (int y = 0; y < 100; ++y) {
                bool voted = x >= 6 && x < 44 && ((y >= 6 && y < 44) || (y >= 56 && y < 94));
                const auto &at = colours[x < 25 ? stripe : y < 50 ? upper : lower];
                wrong += GetPixel(backBuffer.dc, 5 + x, 5 + y) != at.colour;
                wrong += GetPixel(backBuffer.dc, 60 + x, 5 + y) != at.pure;
                wrong += GetPixel(backBuffer.dc, 115 + x, 5 + y) != (voted ? classes[at.is] : 0);
            }
        EXPECT_EQ(wrong, 0) << "pixels of the views, " << name;
    }
    settings.region = defaultSettings.region;
}

// Rows: pairs held (17 a row; some marked: seen ahead, doubted), the wheel's notches away then
// back, a capture (1) or an undo (-1); then the view's top row, whether the record repainted.
struct RecordRow {
    const char *name;
    int pairs, away, back, command;
    int topRow;
    bool painted;
};
const RecordRow recordRows[] = {{"two rows", 34, 0, 0, 0, 0, false},
                                {"a third row: the newest in sight", 35, 0, 0, 0, 1, false},
                                {"one notch back", 35, 1, 0, 0, 0, true},
                                {"three notches, as far as the first", 35, 3, 0, 0, 0, false},
                                {"three back, one forward", 35, 3, -1, 0, 1, true},
                                {"six rows, two back", 100, 2, 0, 0, 2, true},
                                {"nine back, one forward", 100, 9, -1, 0, 1, true},
                                {"two back, then a capture: the newest", 100, 2, 0, 1, 4, true},
                                {"a capture on none", 0, 0, 0, 1, 0, true},
                                {"an undo of five, one marked left", 5, 0, 0, -1, 0, true}};

// The row's record, the wheel over it and its command; the record as it should be after.
static MoveRecord Play(HWND window, const RecordRow &row) {
    MoveRecord after;
    for (int i = 0; i < row.pairs; ++i)
        after.push_back({{1 + i / 5 % 5, 1 + i % 5},
                         i % 7 == 3    ? MarkSeenAhead
                         : i % 13 == 5 ? MarkDoubt
                                       : MarkNone});
    moveRecord = after;
    POINT over = {100, 200};
    ClientToScreen(window, &over);
    for (int notches : {row.away, row.back})
        SendMessageW(window, WM_MOUSEWHEEL, WHEEL_DELTA * notches << 16,
                     MAKELPARAM(over.x, over.y));
    if (row.command)
        SendMessageW(window, WM_COMMAND, row.command > 0 ? CmdCapture : CmdUndo, 0);
    if (row.command > 0)
        after.push_back({{2, 1}}); // the sample's pair: red over green
    if (row.command < 0 && !after.empty())
        after.pop_back();
    return after;
}

// At each disc's place: the upper, the lower (its pair's, or grey), the top of a mark's rim; then
// the counts, each written anew beside them.
TEST(Picture, TheRowsInSightNewestFirstTheWheelWithinItsLimitsAndTheCounts) {
    HWND window = PictureAt100();
    PickTexts(LanguageEnglish);
    Fill(captureSurface, {0, 0, 50, 50}, colours[0].colour);
    Fill(captureSurface, {0, 50, 50, 100}, colours[1].colour); // red over green
    Tick(window);
    const COLORREF discs[6] = {0x888888, 0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xC800C8};
    const int ys[] = {115, 140, 124};
    for (const RecordRow &row : recordRows) {
        const MoveRecord after = Play(window, row);
        ComposePicture(window, nullptr);
        std::vector<COLORREF> seen, meant;
        for (size_t i = 0, move = row.topRow * 17; i < 3 * 17; ++i, ++move)
            for (int disc = 0; disc < 3; ++disc) {
                const RecordedMove at = move < after.size() ? after[move] : RecordedMove{};
                seen.push_back(
                    GetPixel(backBuffer.dc, 15 + 20 * (i % 17), ys[disc] + 40 * (i / 17)));
                meant.push_back(disc == 2 && at.mark ? 0 : discs[disc == 1 ? at.lower : at.upper]);
            }
        const auto marked = std::count_if(after.begin(), after.end(),
                                          [](const RecordedMove &move) { return move.mark; });
        const std::wstring counts[] = {std::to_wstring(after.size()) +
                                           (after.size() == 1 ? L" move" : L" moves"),
                                       marked ? std::to_wstring(marked) + L" marked" : L""};
        for (std::vector<COLORREF> *at : {&seen, &meant})
            for (int line = 0; line < 2; ++line) {
                for (int i = 0; i < 80 * 16; ++i)
                    at->push_back(GetPixel(backBuffer.dc, 170 + i % 80, 56 + 16 * line + i / 80));
                Fill(backBuffer, {170, 56 + 16 * line, 250, 72 + 16 * line}, BackgroundColour);
                SelectObject(backBuffer.dc, InterfaceFont(96));
                TextOutW(backBuffer.dc, 170, 56 + 16 * line, counts[line].c_str(),
                         (int)counts[line].size());
            }
        EXPECT_TRUE(seen == meant) << row.name;
    }
    settings.region = defaultSettings.region;
    PickTexts(LanguageJapanese);
}

// A changed sample, then a still one: the views repainted (top 25), then nothing; the row's
// change repaints the record too (top 20), and nothing else does.
TEST(Picture, TheViewsRepaintedWhereTheSampleChangedTheRecordWhereItChanged) {
    HWND window = PictureAt100();
    Tick(window);
    for (const RecordRow &row : recordRows) {
        SetPixel(captureSurface.dc, 25, 50, GetPixel(captureSurface.dc, 25, 50) ^ 0xFFFFFF);
        const std::string painted = Tick(window) + Tick(window);
        Play(window, row);
        EXPECT_EQ(painted + Tick(window), row.painted ? "25 20 " : "25 ") << row.name;
    }
    settings.region = defaultSettings.region;
}

// In each language at each scale: the suggested place taken and redrawn, each button's text whole.
TEST(Commands, WindowAndButtonsAtEveryDisplayScaleEachTextWhole) {
    HWND window = Tessivo();
    const int scales[4] = {96, 120, 144, 192}; // DPI, each in Japanese and in English
    for (int row = 0; row < 8; ++row) {
        const int dpi = scales[row / 2];
        PickTexts(row % 2); // the buttons labelled anew at the new scale
        ValidateRect(window, nullptr);
        RECT suggested = ScaleTo(dpi), place, client, updated = {}, at = {};
        GetWindowRect(window, &place);
        GetClientRect(window, &client);
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
            GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size);
            ReleaseDC(button, dc);
            GetWindowRect(button, &at);
            MapWindowPoints(nullptr, window, (POINT *)&at, 2);
            if (at.left != right || at.top != 0 || at.bottom != MulDiv(20, dpi, 96) ||
                size.cx + 4 > at.right - at.left || size.cy < MulDiv(11, dpi, 96) ||
                at.right > client.right)
                wrong += "button " + std::to_string(id) + " ";
        }
        EXPECT_EQ(wrong.substr(0, 40), "") << dpi << " DPI, language " << row % 2;
    }
    PickTexts(LanguageJapanese);
    ScaleTo(96);
}

// Tessivo at 150 %: a right click (Shift+F10 where keyed) at a place of the picture at 100 %, its
// menu's item chosen by the arrow keys; the box that it shows, if any, read and closed.
static std::wstring Choose(POINT place, int item, bool keyed = false) {
    HWND window = Tessivo();
    for (int down = 0; down <= item; ++down)
        PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    std::wstring seen;
    std::atomic<bool> chosen = false; // the choice's handler returned: no box comes after
    std::thread reader([&] {
        while (!chosen && !FindWindowW(L"#32770", nullptr))
            Sleep(10);
        seen = chosen ? L"" : Box(GetCurrentProcessId());
    });
    POINT at = {place.x * 3 / 2, place.y * 3 / 2};
    ClientToScreen(window, &at);
    SetCursorPos(at.x, at.y); // where Shift+F10 opens it
    SendMessageW(window, WM_CONTEXTMENU, (WPARAM)window, keyed ? -1 : MAKELPARAM(at.x, at.y));
    for (MSG choice; PeekMessageW(&choice, window, WM_COMMAND, WM_COMMAND, PM_REMOVE);)
        DispatchMessageW(&choice);
    chosen = true;
    reader.join();
    return seen;
}

// A plain disc above (its halves' hues round 0), an empty navy box below. Rows: a view (the
// sample, the last capture's hues, its classes), a cell, its hue (-1: as read), the colour chosen,
// by Shift+F10 or a click, and the box.
TEST(ReferenceMenu, SetsAndSavesTheCellsHueForTheColourChosen) {
    HWND window = Tessivo();
    ScaleTo(144);
    Fill(captureSurface, {0, 0, 50, 100}, RGB(96, 100, 104)); // hues 353.7 left, 9.5 right: 1
    Fill(captureSurface, {0, 50, 50, 100}, RGB(24, 40, 104)); // an empty box, navy: no blob
    GdiFlush();
    uint32_t *bits = (uint32_t *)captureSurface.bits;
    std::vector<uint32_t> other(50 * 100, 0x606468); // the board as Fill made it
    PaintBlob(bits, 50, 100, true, 0, 0, 1, 0xE6283C, 100, PlainDisc);
    PaintBlob(other.data(), 50, 100, true, 0, 0, 1, 0xE64628, 100, PlainDisc);
    for (int i = 50 * 50; i < 50 * 100; ++i) // its right half another red
        bits[i] = i % 50 >= 25 ? other[i] : bits[i];
    ReadCellHues();
    SendMessageW(window, WM_COMMAND, CmdCapture, 0); // the middle and right views show it now
    EXPECT_EQ(std::vector<int32_t>({cellHues[0], cellHues[1], capturedHues[0], capturedHues[1]}),
              std::vector<int32_t>({1, -1, 1, -1}));
    const std::string ini = "; mine\r\n[color]\r\nRED=0 ; red\r\n[SETTING]\r\nKEEP=0\r\n";
    WorkIn(&ini);
    const struct {
        const char *name;
        int view, cell, hue, item;
        bool keyed;
        std::wstring box;
    } rows[] = {
        {"green from the plain disc as captured, near red", 1, 0, -1, 1, false,
         L"注意: 緑と赤の参照が20度以内になり、見分けにくくなりました。"},
        {"the empty box, as read", 2, 1, -1, 2, false,
         L"注意: このセルには玉がありません（半分以上を占める色がないか、盤面だけです）。参照は変"
         L"わりません。"},
        {"red from the region now", 0, 0, 25, 0, false, L""},
        {"purple by Shift+F10", 2, 0, 300, 4, true, L""}};
    for (const auto &[name, view, cell, hue, item, keyed, box] : rows) {
        if (hue >= 0) // the sample's, or the last capture's on the others
            (view ? capturedHues : cellHues)[cell] = hue;
        const POINT place = {30 + 55 * view, PictureTop + 30 + 50 * cell};
        EXPECT_EQ(Choose(place, item, keyed), box) << name;
    }
    EXPECT_EQ(
        FileText("setting.ini"),
        "; mine\r\n[color]\r\nRED=25 ; red\r\nGREEN=1\r\nPURPLE=300\r\n[SETTING]\r\nKEEP=0\r\n");
    settings = defaultSettings;
}

// The record view's menu: its history (KEEP=0; no page yet; opened) and its paste (no link, no
// text, a link: the pasted game, the page made). Rows: KEEP, the clipboard's text, the item.
TEST(RecordMenu, TheHistoryOpenedOrWhyNotAndAPasteOfNoLinkTold) {
    ScaleTo(144);
    KeepIn(nullptr);
    RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, "Noted", 0);
    RegSetValueA(HKEY_CLASSES_ROOT, "Noted\\shell\\open\\command", REG_SZ,
                 "cmd /c echo %1>opened.txt", 0);
    moveRecord = {{1, 2}};
    const std::wstring page = HistoryPagePath();
    // clang-format off
    const struct {
        const char *name;
        bool keep;
        const wchar_t *clip; // null: the clipboard as it is
        int item;
        std::wstring box;
    } rows[] = {
        {"the history with KEEP=0", false, nullptr, 0,
         L"注意: KEEP=1 ではないため、履歴は保存していません。"},
        {"a paste of no link", false, L"no link\r\nsecond", 1,
         L"注意: クリップボードにリンクがありません：\nno link..."},
        {"a paste of no text", false, L"", 1, L"注意: クリップボードにリンクがありません：\n（テキストなし）"},
        {"the history before its page", true, nullptr, 0,
         L"注意: 履歴のページはまだありません（空でない記録の URL生成・RESET・ゲーム終了・リンクの貼"
         L"り付けで作られます）：\n" + page},
        {"a paste of a link", true, L" http://a.b/simu/ps.html?_s1\r\n", 1, L""},
        {"the history opened", true, nullptr, 0, L""}};
    // clang-format on
    for (const auto &[name, keep, clip, item, box] : rows) {
        settings.keepRecord = keep;
        if (clip)
            SetClipboardText(Tessivo(), clip);
        EXPECT_EQ(Choose({30, PictureTop + 130}, item), box) << name;
    }
    const std::string opened = std::string(page.begin(), page.end()) + "\r\n";
    EXPECT_TRUE(Eventually([&] { return FileText("opened.txt") == opened; })) << opened;
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Noted"); // .html opens nothing again
    settings = defaultSettings;
    StartKeeping();
}

// 9 moves a row (0..8 / 9 10+ 11 12? 13 14? 15..17 / 18 19+), 96 DPI. Rows: the wheel's notches,
// a click's place (the menu key's -1), the key chosen; record.txt, the keys no menu took. Then, by
// auto capture and the second box, commands while the last menu is open: its Delete deletes none.
TEST(MoveMenu, PutRightInPlaceKeptAtOnceTheSameRowsInSightNothingOnceTheRecordChangedUnderIt) {
    HWND window = Tessivo();
    SizeAt100(185, 170);
    KeepIn(nullptr);
    ReadLinkCodes("01q1U1o1Q1q161q1O1w161+w161?Q1u1M1?A1A121w101s1+", moveRecord, true);
    recordBack = 0;
    auto choose = [&](UINT click, LPARAM where, char key) { // then the keys no menu took
        PostMessageW(window, WM_CHAR, key, 0);
        PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
        SendMessageW(window, click, 0, where);
        char left = '0';
        for (MSG typed; PeekMessageW(&typed, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE);)
            ++left;
        for (MSG chosen; PeekMessageW(&chosen, window, WM_COMMAND, WM_COMMAND, PM_REMOVE);)
            DispatchMessageW(&chosen);
        return left;
    };
    struct Row {
        int notches, x, y, key, click;
    };
    const Row rows[] = {{1, 75, 140, 'g', WM_LBUTTONUP},   {0, 95, 160, 'd', WM_RBUTTONUP},
                        {0, 35, 160, 'i', WM_LBUTTONUP},   {0, 115, 140, 's', WM_LBUTTONUP},
                        {-1, 115, 140, 'r', WM_LBUTTONUP}, {0, 115, 140, 'c', WM_CONTEXTMENU}};
    std::string left;
    for (const Row &row : rows) {
        POINT at = {row.x, row.y};
        ClientToScreen(window, &at);
        SetCursorPos(at.x, at.y);
        SendMessageW(window, WM_MOUSEWHEEL, WHEEL_DELTA * row.notches << 16,
                     MAKELPARAM(at.x, at.y));
        left += choose(row.click, row.click == WM_CONTEXTMENU ? -1 : MAKELPARAM(row.x, row.y),
                       (char)row.key);
    }
    EXPECT_EQ(FileText("record.txt") + left, "01q1U1o1Q1q161q1O1w16161+w1i1A1A121w101s1\r\n111121");
    settings.region = {0, 0, 0, 0};               // the samples as painted here
    settings.secondRegion = {0, 0, 40000, 40000}; // set, but too large to copy
    settings.autoCapture = 1;
    auto show = [&](uint32_t next, uint32_t second) { // each box's pair of one colour, 0 none
        const uint32_t pairs[2][2] = {{next, next}, {second, second}};
        GdiFlush();
        PaintBox((uint32_t *)captureSurface.bits, pairs[0], next ? 2 : 0, 0, 100, 0x202030);
        PaintBox((uint32_t *)secondSurface.bits, pairs[1], second ? 2 : 0, 0, 100, 0x202030);
        for (int tick = 0; tick < 12; ++tick)
            SendMessageW(window, WM_TIMER, SamplingTimerId, 0);
    };
    struct Change {
        const char *name;
        std::vector<Command> commands; // while the menu is open
        const char *record;
    };
    const Change changes[] = {{"RESET", {CmdReset}, "s1\r\n"},
                              {"a paste", {CmdPasteLink}, "s1s1\r\n"},
                              {"undo and a capture", {CmdUndo, CmdCapture}, "U1s1?G1\r\n"}};
    SetClipboardText(window, L"http://a.b/simu/ps.html?_s1");
    for (const Change &change : changes) {
        ClearRecord();
        show(0, 0);
        show(gameColours[1], gameColours[2]); // purple read, yellow known to come
        for (WORD command : change.commands)
            PostMessageW(window, WM_COMMAND, command, 0);
        choose(WM_CONTEXTMENU, -1, 'd');
        show(gameColours[4], gameColours[2]); // a blue pair, not what the second box showed
        EXPECT_EQ(FileText("record.txt"), change.record) << change.name;
    }
    settings = defaultSettings;
    StartKeeping();
}
