// The platform-free code: colours, classification, links, the watch, the history, hot keys as a
// player writes them and as Tessivo writes them back, the pair search.
#include <gtest/gtest.h>

#include <utility>

#include "../game_box.h"
#include "config/key_combination.h"
#include "keep/history_page.h"
#include "recognition/classify.h"
#include "recognition/pair_search.h"
#include "recognition/pair_watch.h"
#include "record/link_text.h"
#include "tessivo.h"
#include "record/pasted_link.h"

// Every 8-bit colour once: the sums pin every rounding (on floats, (4, 5, 0) gives 72, not 71).
TEST(Colour, EveryEightBitColourToTheLastBitAndTheNearestReference) {
    std::vector<int64_t> sums(8); // of the degrees, of the pure hues' pixels; each class's count
    for (uint32_t pixel = 0; pixel < 1u << 24; ++pixel) {
        float hue = PixelHue(pixel | 0xFF000000u * (pixel & 1)); // the top byte is ignored
        sums[0] += HueDegrees(hue);
        sums[1] += PureHuePixel(hue);
        ++sums[2 + ClassifyHue(hue, defaultSettings.hues) % 6];
    }
    EXPECT_EQ(sums, std::vector<int64_t>({3005701091, 140553768174184, 0, 3405324, 3401721, 3353819,
                                          3310546, 3305806}));
}

// Hosts in rows of one kind: those the link takes, leading somewhere or nowhere (reserved, or a
// name under one), and those refused for the built-in host. Pasted texts: links (every code;
// blanks, https, a host's case; no pair), then texts that are no link, leaving the record ("a0").
TEST(Link, CodesTheHostOfTheSettingsAndEveryShapeOfAPastedLink) {
    const std::wstring label(63, L'h'), longest = label + L"." + label + L"." + label + L"." +
                                                  std::wstring(61, L'x'); // 253 characters
    const bool defaultHost = TESSIVO_SIMULATOR_HOST == std::string("simulator.invalid"); // reserved
    // clang-format off
    const struct {
        const char *kind;
        bool taken, nowhere;
        std::vector<std::wstring> hosts;
    } hosts[] = {
        {"leads somewhere", true, false, {L"a", L"testing", longest, L"myexample.com",
         L"example.com.au", L"invalid.a", L"localhost1.b", L"examplecom"}},
        {"leads nowhere", true, true,
         {L"Sim-1.example.org", L"simulator.invalid", L"Invalid", L"a.EXAMPLE", L"b.test",
          L"localhost", L"x.localhost", L"example.com", L"a.b.example.net", L"Example.ORG"}},
        {"refused: the built-in host, reserved", false, true,
         {longest + L"x", L"", label + L"h.b", L"-a.b", L"a-.b", L"a..b", L"a.b.", L"a_b", L"a b",
          L"a:80", L"http://a/b", L"\x00e9.b"}}};
    // clang-format on
    for (const auto &[kind, taken, nowhere, names] : hosts)
        for (const std::wstring &host : names) {
            const std::string used =
                taken ? std::string(host.begin(), host.end()) : TESSIVO_SIMULATOR_HOST;
            EXPECT_EQ(UseSimulatorHost(host), taken) << kind << ": " << host;
            EXPECT_EQ(linkPrefix, "http://" + used + "/simu/ps.html?_") << kind << ": " << host;
            EXPECT_TRUE(LinkLeadsNowhere() == nowhere || !(taken || defaultHost))
                << kind << ": " << host;
        }
    // Rows by lower colour, columns by upper.
    const std::string codes = "01c1o1A1M121e1q1C1O141g1s1E1Q161i1u1G1S181k1w1I1U1";
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(LinkCode({i / 5 + 1, i % 5 + 1}), codes.substr(2 * i, 2));
    // clang-format off
    const struct {
        const char *kind;
        bool link;
        std::string record;
        std::vector<std::wstring> texts;
    } texts[] = {
        {"every code", true, codes,
         {L"http://a/simu/ps.html?_" + std::wstring(codes.begin(), codes.end())}},
        {"blanks round it, https, a host's case", true, "c1",
         {L" \t\r\nhttps://Sim-1.example.org/simu/ps.html?_c1\r\n "}},
        {"no pair", true, "", {L"http://a/simu/ps.html?_"}},
        {"no link", false, "a0",
         {L"https://a/simu/ps.html?_a0", L"http://a_b/simu/ps.html?_01",
          L"http://a/simu/ps.htm?_01", L"http://a/simu/ps.html?_01c", L"http://a/simu/ps.html?_02",
          L"http://a/simu/ps.html?_01 c1", L"http://a/simu/ps.html?_0\xff11", L" ",
          L"see http://a/simu/ps.html?_01", L"http://a/simu/ps.html?_01\nhttp://a/simu/ps.html?_01",
          L"http://a/abcdefghijklmn21"}}};
    // clang-format on
    for (const auto &[kind, link, record, shapes] : texts)
        for (const std::wstring &text : shapes) {
            MoveRecord read = {{0, 9}};
            EXPECT_EQ(ReadPastedLink(text, read), link) << kind << ": " << text;
            EXPECT_EQ(LinkCodes(read), record) << kind << ": " << text;
        }
}

// Each row a restart, then a sample a letter (R: a restart). Dots: a dotted look, 2 x 2 dots every
// 4 pixels (s 40, S 21), grey left of 25 (h) or 26 (g) columns. Box: a game's box on a navy, black
// and wooden board: a pair (a rg, c gb, f pp), 1..7 a scroll by 8ths to the pair named next; d, D,
// w the pair before at 30 %, 10 %, half-way to white; X, x yellow on 263, 262 cell pixels; k its
// eyes shut; K a count on 28 rows of its lower cell. Rough, Stretched: a Box roughened, stretched.
TEST(PairWatch, OneCaptureForEachNewPairThatSettlesAScrollIsAChangeADimOrFlashNot) {
    enum Painted { Dots, Box, Rough, Stretched };
    const struct {
        const char *name;
        Painted painted;
        const char *samples;
        std::vector<int> captures; // the samples that capture, from 0
    } rows[] = {{"the pair again after an empty box", Dots, "aaannaaaa", {8}},
                {"grey, pale or dark is no pair", Dots, "bbbb....b::::b,,,,", {}},
                {"the pair shown at a restart is not new", Dots, "aaaRbbbbb", {}},
                {"a restart as a pair changes", Dots, "aaaaRabbbb", {9}},
                {"one sample of a pair is none", Dots, "aaac.cbbbbaaaa", {9, 13}},
                {"pale as a pair changes", Dots, "aaabba:bbbb", {10}},
                {"just bright and just saturated enough", Dots, ".AAAAnPPPP", {4, 9}},
                {"a navy blob on a faintly patterned navy board", Dots, "FFFFfFFFF", {8}},
                {"near-black dots just sharp enough, just too faint", Dots, "bbbbkbbbbjbbbb", {13}},
                {"dots seen two over only: a blob", Dots, "bbbbSbbbb", {}},
                {"too few dots: a board", Dots, "bbbbsbbbb", {8}},
                {"a blob on half a cell, under half", Dots, "aaaahhhhgggg", {7}},
                {"a pair for one sample", Dots, "aaaacaaaa", {}},
                {"a scroll to the same pair", Box, "aaaaa1234567aaaaa", {15}},
                {"a quick scroll to another pair", Box, "aaaaa246ccccc", {11}},
                {"a scroll to a dim pair", Box, "aaaaa1234567dddddaaaa", {15}},
                {"a scroll that stops a sample", Box, "aaaaa12344567aaaaa", {16}},
                {"dims in place", Box, "aaaaadaaaadaaaa", {}},
                {"a flash and a deep dim", Box, "aaaaawaaaaDDDDDaaaa", {}},
                {"purple over purple again, slowly", Box, "fffff112233445566fffff", {20}},
                {"yellow on 262 cell pixels", Box, "aaaaacccccxccccc", {8}},
                {"yellow on 263", Box, "aaaaaXaaaaa", {}},
                {"a rough scroll", Rough, "aaaaa1234567aaaaa", {15}},
                {"rough blinks", Rough, "aaaaakaaaakkkkaaaa", {}},
                {"a chain's count", Rough, "aaaaaKaaaaKKKKKaaaa", {}},
                {"a stretched scroll", Stretched, "aaaaa1234567aaaaa", {15}}};
    // A dotted look's letter, body and dots.
    const uint32_t looks[][3] = {
        {'a', 0xE02020, 0x380808}, {'b', 0x20C040, 0x083010}, {'c', 0x2040E0, 0x081038},
        {'A', 0x330000, 0x1A0000}, {'P', 0xFFBFBF, 0x7F5F5F}, {'F', 0x182868, 0x18284E},
        {'h', 0x20C040, 0x106020}, {'n', 0x182868, 0x182868}, {'f', 0x182868, 0x18284F},
        {'j', 0x0B0B0B, 0},        {'s', 0x20C040, 0x083010}, {'.', 0x808080, 0x404040},
        {',', 0x320000, 0x190000}, {':', 0xFFC0C0, 0x806060}, {'k', 0x0C0C0C, 0},
        {'g', 0x2040E0, 0x102070}, {'S', 0x20C040, 0x083010}};
    settings.hues = skinHues; // the film's skin
    const std::string pairs = "argbrgcgberrfpp", shown = "dDwXxkK";
    const int percents[] = {30, 10, 150, 100, 100, 100, 100, 100};
    const int edges[] = {0, 0, 0, 263, 262, 0, 0, 0};
    auto pairOf = [&](char tick, const std::string &other) { // the pair a letter names, or other
        return pairs.find(tick) < 13 ? pairs.substr(pairs.find(tick) + 1, 2) : other;
    };
    PairWatch watch;
    std::vector<uint32_t> watched; // the sample that the watch saw last, seen again unchanged
    for (uint32_t board : {0x182868u, 0x080808u, 0x14A3A10u}) // navy, black, a wooden tile
        for (const auto &row : rows) {
            std::vector<int> captures;
            std::string before;
            RestartPairWatch(watch);
            for (int at = 0; row.samples[at]; ++at) {
                const char *tick = row.samples + at;
                if (*tick == 'R') {
                    RestartPairWatch(watch);
                    continue;
                }
                const uint32_t *dots = looks[0]; // the dotted look of the tick, if any
                for (const uint32_t *each : looks)
                    dots = each[0] == uint32_t(*tick) ? each : dots;
                const size_t look = std::min(shown.find(*tick), size_t(7));
                const int eighths = isdigit(*tick) ? *tick - '0' : 8; // of a scroll, else in place
                before = pairOf(*tick, before);
                std::vector<uint32_t> sample(50 * 100);
                for (uint32_t i = 0; i < 50 * 100 && row.painted == Dots; ++i) {
                    const uint32_t x = i % 50, y = i / 50,
                                   grey = (*tick == 'h') * 25u + (*tick == 'g') * 26u,
                                   period = 4 + 36 * (*tick == 's') + 17 * (*tick == 'S');
                    const bool dot = x % period < 2 && y % period < 2;
                    sample[i] = x < grey ? 0x808080 : dot ? dots[2] : dots[1];
                }
                if (row.painted != Dots) { // a scroll's frame, to the pair named next if any
                    int down = 0;
                    const int part = ScrollPart(eighths, 8, down);
                    const std::string two =
                        part ? pairOf(tick[strspn(tick, "1234567")], before) : before;
                    const std::string colours = "rgbyp";
                    const uint32_t blobs[2] = {skin[colours.find(two[0])],
                                               skin[colours.find(two[1])]};
                    PaintBox(sample.data(), blobs, part == 1 ? 0 : 2, down, percents[look], board,
                             look == 5 ? Blink : Face);
                    for (int i = 0; i < edges[look]; ++i)
                        sample[(99 - 93 + i / 38) * 50 + 6 + i % 38] = 0xE6C727;
                    for (int i = 0; look == 6 && i < 50 * 28; ++i) // pale, over the lower cell
                        sample[(10 + i / 50) * 50 + i % 50] = 0xF0F0F0;
                    for (int i = 50 * 100 - 1; row.painted == Stretched && i >= 0; --i)
                        sample[i] = sample[i - i % 50 + i % 50 / 2];
                    if (row.painted == Rough)
                        Roughen(sample.data(), 50, 100, 20, eighths < 8 ? 3 : 0, (unsigned)at);
                }
                const bool again = std::exchange(watched, sample) == sample;
                if (again ? WatchSameSighting(watch, 3)
                          : WatchPair(watch, SightPair(sample.data(), 50, 100), 3))
                    captures.push_back(at);
            }
            EXPECT_EQ(captures, row.captures) << row.name << " on " << std::hex << board;
        }
    settings = defaultSettings;
}

// Histories and their pages, newest first: none; lines not as Tessivo writes them (end to end).
TEST(HistoryPage, EveryLineNewestFirstGamesDrawnTheRestAsItStands) {
    const std::string a = linkPrefix + "c1", b = "https://a/simu/ps.html?_",
                      gr = "<i><b class=g></b><b class=r></b></i>";
    auto game = [&](const std::string &heading, const std::string &discs, const std::string &to) {
        return "<section><h2>" + heading + "</h2><p>" + discs + "</p><a href=\"" + to + "\">" + to +
               "</a></section>\n";
    };
    const std::string rows[][2] = {
        {" \r\n", "<div>No games yet.</div>\n"},
        {"<b>&\"'\texport\t1\t" + a + "\nx\treset\t2\t" + a + "\n " + b + " \r\nx\treset\t1\t" + b +
             "a0\r\n",
         "<pre>x\treset\t1\t" + b + "a0</pre>\n" + game("0 moves", "", b) + "<pre>x\treset\t2\t" +
             a + "</pre>\n" + game("&lt;b&gt;&amp;&quot;&#39; · Link · 1 move", gr, a)},
        {"t\treset\t2\t" + linkPrefix + "01c1\t01+c1?U1\nu\texport\t1\t" + a + "\t01+\n",
         "<pre>u\texport\t1\t" + a + "\t01+</pre>\n" + // marks on other codes than the link's
             game("t · RESET · 2 moves",
                  "<i><b class=r></b><b class=r></b><u>+</u></i>" + gr.substr(0, 33) +
                      "<u>?</u><s class=p></s><s class=p></s></i>",
                  linkPrefix + "01c1")}};
    for (auto &row : rows) {
        const std::string page = HistoryPage(row[0], LanguageEnglish);
        EXPECT_EQ(page.substr(page.find("<h1>")),
                  "<h1>Tessivo history</h1>\n" + row[1] + "</body>\n</html>\n")
            << row[0].substr(0, 40);
        EXPECT_NE(page.find(".r{background:#ff0000}.g{background:#00ff00}.b{background:#0000ff}"
                            ".y{background:#ffff00}.p{background:#c800c8}</style>"),
                  std::string::npos); // the discs as the record view draws them
    }
}

// Rows: a value, its reading, the combination read (modifiers << 8 | key) and its text as
// Tessivo writes it. Four hot keys' values: the keys settled ("-" none) and each value refused,
// and why (unreadable, reserved, or the earlier action holding it).
TEST(KeyCombination, EveryShapeReadAndWrittenBackOrRefusedFourValuesSettledTheLaterRefused) {
    // clang-format off
    const struct {
        const wchar_t *value;
        KeyReading reading;
        uint32_t read;
        const wchar_t *text;
    } rows[] = {
        {L"Alt+F1", KeyRead, 0x170, L"Alt+F1"}, {L"Alt+Delete", KeyRead, 0x12E, L"Alt+Delete"},
        {L" ctrl + SHIFT +z\t", KeyRead, 0x65A, L"Ctrl+Shift+Z"}, {L"", KeyNone, 0, L""},
        {L"win+Shift+aLT+Ctrl+f24", KeyRead, 0xF87, L"Ctrl+Alt+Shift+Win+F24"},
        {L" pause ", KeyRead, 0x13, L"Pause"}, {L"Alt+a", KeyRead, 0x141, L"Alt+A"},
        {L"Win+0", KeyRead, 0x830, L"Win+0"}, {L"Shift+9", KeyRead, 0x439, L"Shift+9"},
        {L"Ctrl+numpad0", KeyRead, 0x260, L"Ctrl+NumPad0"}, {L" \t ", KeyNone, 0, L""},
        {L"Alt+NUMPAD9", KeyRead, 0x169, L"Alt+NumPad9"}, {L"F13", KeyRead, 0x7C, L"F13"},
        {L"Alt+space", KeyRead, 0x120, L"Alt+Space"}, {L"Alt+", KeyUnreadable, 0, L""},
        {L"Alt+pageup", KeyRead, 0x121, L"Alt+PageUp"}, {L"+F1", KeyUnreadable, 0, L""},
        {L"Shift+Ctrl+V", KeyRead, 0x656, L"Ctrl+Shift+V"}, {L"F1+a", KeyUnreadable, 0, L""},
        {L"Alt+PageDown", KeyRead, 0x122, L"Alt+PageDown"}, {L"Alt+Foo", KeyUnreadable, 0, L""},
        {L"Alt+Insert", KeyRead, 0x12D, L"Alt+Insert"}, {L"Alt+F25", KeyUnreadable, 0, L""},
        {L"Ctrl+Alt+F4", KeyRead, 0x373, L"Ctrl+Alt+F4"}, {L"Alt+Page Up", KeyUnreadable, 0, L""},
        {L"alt+f4", KeyReserved, 0x173, L"Alt+F4"}, {L"Ctrl+v", KeyReserved, 0x256, L"Ctrl+V"},
        {L"Alt+Tab", KeyReserved, 0x109, L"Alt+Tab"}, {L"Alt+Esc", KeyReserved, 0x11B, L"Alt+Esc"},
        {L"Ctrl+Shift+esc", KeyReserved, 0x61B, L"Ctrl+Shift+Esc"},
        {L"Alt+A+B", KeyUnreadable, 0, L""}, {L"Ctrl+Shift", KeyUnreadable, 0, L""},
        {L"Alt+Alt+F1", KeyUnreadable, 0, L""}, {L"Alt++F1", KeyUnreadable, 0, L""},
        {L"NumPad1", KeyUnreadable, 0, L""}};
    // clang-format on
    for (const auto &[value, reading, read, text] : rows) {
        KeyCombination combination = {9, 9};
        EXPECT_EQ(ReadKeyCombination(value, combination), reading) << value;
        EXPECT_EQ(combination.modifiers << 8 | combination.key, read) << value;
        EXPECT_EQ(KeyCombinationText(combination), text) << value;
    }
    const struct {
        std::wstring values[HotKeyCount];
        std::wstring settled;
    } fours[] = {
        {{L"Alt+F1", L"alt+f1", L"Ctrl+V", L"Alt+X+Y"},
         L"Alt+F1 Alt+F2 Alt+F3 Alt+F5, AUTO=alt+f1 held by CAPTURE, GAMEOVER=Ctrl+V "
         L"reserved, UNDO=Alt+X+Y unreadable"},
        {{L"Alt+F2", L"Alt+F2", L"", L"Alt+F3"}, L"Alt+F2 - - Alt+F3, AUTO=Alt+F2 held by CAPTURE"},
        {{L"", L"Alt+F1", L"Alt+F1", L"Alt+F2"},
         L"- Alt+F1 Alt+F3 Alt+F2, GAMEOVER=Alt+F1 held by AUTO"}};
    const std::wstring why[] = {L" held by ", L"", L" unreadable", L" reserved"};
    for (const auto &[values, expected] : fours) {
        const HotKeys hotKeys = SettleHotKeys(values);
        std::wstring settled;
        for (const KeyCombination &key : hotKeys.keys)
            settled += (settled.empty() ? L"" : L" ") + (key.key ? KeyCombinationText(key) : L"-");
        for (const HotKeyRefusal &refusal : hotKeys.refusals)
            settled += L", " + (hotKeyNames[refusal.action] + (L"=" + refusal.value)) +
                       why[refusal.reading] +
                       (refusal.reading ? L"" : hotKeyNames[refusal.takenBy]);
        EXPECT_EQ(settled, expected) << values[0] << L" " << values[1] << L" " << values[2];
    }
}

// Screens as PaintScreen draws them, in its looks, on a navy, light or dark board (2 + k: colour
// k's hue at saturation 0.7, value 0.27, the colours turned by k); the frame moved by quarters of
// the box, sized in tenths. The pair is fitted, a cell a half, then the second box 0.7 below; other
// pairs lie farther or are the next pair's size; of two second boxes about as near, neither.
TEST(PairSearch, FitsTheRegionOntoThePairNearestTheFrameAndTheSecondOntoTheSecondBox) {
    const struct {
        const char *name;
        int c, board, pair, second, field, first, right, down, size, look;
    } rows[] = {
        {"1x", 50, 0, 2, 1, 1, 0, 0, 0, 10, 0},      {"1.5x", 75, 1, 2, 1, 1, 0, 0, 0, 10, 0},
        {"2x", 100, 0, 2, 1, 1, 0, 0, 0, 10, 0},     {"12px", 14, 1, 2, 0, 1, 0, 0, 0, 10, 0},
        {"160px", 174, 0, 2, 1, 0, 0, 0, 0, 10, 0},  {"left", 50, 0, 2, 1, 1, 0, -1, 0, 10, 0},
        {"right", 50, 1, 2, 1, 1, 0, 1, 0, 10, 0},   {"up", 50, 0, 2, 1, 1, 0, 0, -1, 10, 0},
        {"down", 50, 0, 2, 1, 1, 0, 0, 1, 10, 0},    {"x1.5", 50, 0, 2, 1, 1, 0, 0, 0, 15, 0},
        {"x0.6", 50, 1, 2, 1, 1, 0, 0, 0, 6, 0},     {"up 2", 50, 0, 2, 1, 1, 0, 0, -2, 10, 0},
        {"down 2", 50, 0, 2, 0, 0, 0, 0, 2, 10, 0},  {"one", 50, 0, 1, 0, 0, 0, 0, 0, 10, 0},
        {"empty", 50, 1, 0, 0, 0, 0, 0, 0, 10, 0},   {"first", 50, 0, 2, 1, 1, 1, 0, 0, 10, 0},
        {"unequal", 50, 0, 0, 0, 0, 2, 0, 0, 10, 0}, {"blue", 50, 6, 2, 1, 1, 0, 0, 0, 10, 0},
        {"red", 100, 5, 2, 1, 1, 0, 0, 0, 10, 0},    {"two 2nd", 50, 0, 2, 2, 1, 0, 0, 0, 10, 0},
        {"2nd 1x", 75, 2, 2, 3, 1, 0, 0, 0, 10, 0},  {"plain", 50, 0, 2, 1, 1, 0, 0, 0, 10, 1},
        {"eyes", 75, 1, 2, 1, 1, 0, 0, 0, 10, 2},    {"real1", 50, 0, 2, 1, 1, 0, 1, 1, 8, 3},
        {"real1.5", 75, 6, 2, 1, 1, 0, -1, 0, 8, 3}, {"real2", 100, 0, 2, 1, 1, 0, 0, -1, 12, 3},
        {"combed", 75, 0, 2, 1, 1, 0, 1, 0, 8, 4}};
    const uint32_t boards[] = {0x202030, 0xE8E8F0, 0x15451A, 0x3A1545,
                               0x454015, 0x451515, 0x152745};
    for (const auto &[name, c, board, pair, second, field, first, right, down, size, look] : rows) {
        const int w = c * size / 10, x = 8 * c + (c - w) / 2 + right * c / 4;
        const auto screen =
            PaintScreen(c, boards[board], pair, second, field, first, std::max(board - 2, 0), look);
        CaptureRegion found = {}, frame = {x, 4 * c - w + down * c / 2, w, 2 * w}, after = {};
        const bool any = FindPairNear(screen.data(), 10 * c, 11 * c, frame, {}, found);
        EXPECT_EQ(any, pair == 2) << name << " " << c;
        const SecondPairFit fit =
            any ? FindSecondPair(screen.data(), 10 * c, 11 * c, found, {}, after) : NoSecondPair;
        const SecondPairFit fits[] = {NoSecondPair, SecondPairFound, TwoSecondPairs, NoSecondPair};
        EXPECT_EQ(fit, fits[any ? second : 0]) << name << " " << c;
        const int32_t got[] = {found.x, found.y, found.width, found.height,
                               after.x, after.y, after.width, after.height};
        const double cells[] = {8, 3, 1, 2, 8.15, 5.6, .7, 1.4};
        for (int i = 0; any && i < (fit == SecondPairFound ? 8 : 4); ++i)
            EXPECT_NEAR(got[i], cells[i] * c, 0.06 * c) << name << " " << c << ", xywh " << i;
    }
}
