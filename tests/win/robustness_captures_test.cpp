// 100,000 captures on the real main window: the program runs on, the export stays
// within its 1,024 bytes with whole codes, and undo and RESET still work.
// A capture by command takes about a millisecond under Wine (7,888 pixel reads and
// as many writes through the drawing context), so 1,001 of the captures go through
// the capture command over known samples and the other 98,999 are appended as a
// capture appends them (AppendPair), keeping the test within seconds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/main_window.h"
#include "app/surface.h"
#include "app/window_procedure.h"
#include "record/link_text.h"
#include "record/move_record.h"
#include "tessivo.h"
#include "win_test_support.h"

namespace {

HWND mainWindow;
const COLORREF PureColours[5] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};

// Scene s shows colour s in the upper half of the sample and colour s + 2 below.
BlobPair ScenePair(int s) {
    return {(BlobColour)(1 + (s + 2) % 5), (BlobColour)(1 + s % 5)};
}

void ShowScene(int s) {
    RECT upper = {0, 0, captureSurface.width, captureSurface.height / 2};
    RECT lower = {0, captureSurface.height / 2, captureSurface.width, captureSurface.height};
    HBRUSH brush = CreateSolidBrush(PureColours[s % 5]);
    FillRect(captureSurface.dc, &upper, brush);
    DeleteObject(brush);
    brush = CreateSolidBrush(PureColours[(s + 2) % 5]);
    FillRect(captureSurface.dc, &lower, brush);
    DeleteObject(brush);
}

BlobPair AppendedPair(size_t i) {
    return {(BlobColour)(1 + i % 5), (BlobColour)(1 + i / 5 % 5)};
}

bool Same(BlobPair a, BlobPair b) {
    return a.lower == b.lower && a.upper == b.upper;
}

void Capture() {
    EXPECT_EQ(SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(CmdCapture, BN_CLICKED), 0), 0);
}

// "クリップボードにコピーしました" (copied to the clipboard), and "（先頭" N "手のみ）"
// ("(only the first" N "moves)") after it for a record cut short.
const std::string copied = "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9"
                           "\x83\x52\x83\x73\x81\x5B\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
std::string CutShort(size_t written) {
    return copied + "\x81\x69\x90\xE6\x93\xAA" + std::to_string(written) +
           "\x8E\xE8\x82\xCC\x82\xDD\x81\x6A";
}

// The export of the record as it stands: whole codes of the oldest pairs within
// 1,023 characters, in a block of 1,024 bytes; returns the number of codes.
size_t ExpectWholeCodes(const ClipboardText &clipboard) {
    const size_t prefix = strlen(linkPrefix);
    EXPECT_EQ(clipboard.blockSize, LinkTextSize);
    EXPECT_LE(clipboard.text.size(), LinkTextSize - 1);
    EXPECT_EQ(clipboard.text.compare(0, prefix, linkPrefix), 0) << clipboard.text;
    EXPECT_EQ((clipboard.text.size() - prefix) % 2, 0u) << "a code was cut";
    const size_t written = (clipboard.text.size() - prefix) / 2;
    size_t i = 0;
    while (i < written && i < moveRecord.size() &&
           clipboard.text.compare(prefix + 2 * i, 2, LinkCode(moveRecord[i])) == 0)
        ++i;
    EXPECT_EQ(i, written) << "code " << i << " is not that of its pair";
    return written;
}

TEST(RobustCaptures, HundredThousandCapturesLoseNothing) {
    mainWindow = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(mainWindow, nullptr);
    CountTicksAndPaints(mainWindow);
    // The samples are set here, not taken from the screen.
    KillTimer(mainWindow, SamplingTimerId);

    for (int s = 0; s < 5; ++s) {
        ShowScene(s);
        for (int i = 0; i < 200; ++i)
            Capture();
    }
    for (size_t i = moveRecord.size(); i < 99999; ++i)
        ASSERT_TRUE(AppendPair(AppendedPair(i)));
    ShowScene(3);
    Capture();
    ASSERT_EQ(moveRecord.size(), 100000u);
    for (size_t i = 0; i < 1000; ++i)
        ASSERT_TRUE(Same(moveRecord[i], ScenePair((int)i / 200))) << "capture " << i;
    EXPECT_TRUE(Same(moveRecord[99999], ScenePair(3)));

    // The program runs on: ticks sample and paint with the long record.
    countedTicks = countedPaints = 0;
    SetTimer(mainWindow, SamplingTimerId, (UINT)settings.interval, nullptr);
    PumpMessages(300);
    EXPECT_GE(countedTicks, 3);
    EXPECT_GE(countedPaints, 3);
    EXPECT_NE(GetPixel(backBuffer.dc, 15, 120), 0x888888u) << "the first pair is not drawn";

    // The export: the oldest pairs as whole codes, the box saying how many.
    const size_t fits = (LinkTextSize - 1 - strlen(linkPrefix)) / 2;
    const std::string box = SendCommandWithBox(mainWindow, CmdMakeLink).text;
    const ClipboardText clipboard = ReadClipboardText();
    EXPECT_EQ(ExpectWholeCodes(clipboard), fits);
    EXPECT_EQ(box, CutShort(fits));
    EXPECT_EQ(moveRecord.size(), 100000u) << "the export changed the record";

    // Undo takes back the last capture, then the appended pairs, one at a time.
    for (size_t size = 100000; size > 98000; --size) {
        ASSERT_EQ(SendMessageA(mainWindow, WM_COMMAND, CmdUndo, 0), 0);
        ASSERT_EQ(moveRecord.size(), size - 1);
    }
    EXPECT_TRUE(Same(moveRecord.back(), AppendedPair(97999)));

    // RESET empties it, the next tick shows no pair, and capturing starts afresh.
    ASSERT_EQ(SendMessageA(mainWindow, WM_COMMAND, CmdReset, 0), 0);
    EXPECT_TRUE(moveRecord.empty());
    PumpMessages(100);
    EXPECT_EQ(GetPixel(backBuffer.dc, 15, 120), 0x888888u) << "a pair is drawn after RESET";
    KillTimer(mainWindow, SamplingTimerId);
    ShowScene(1);
    Capture();
    ASSERT_EQ(moveRecord.size(), 1u);
    EXPECT_TRUE(Same(moveRecord[0], ScenePair(1)));
    EXPECT_EQ(SendCommandWithBox(mainWindow, CmdMakeLink).text, copied);
    EXPECT_EQ(ExpectWholeCodes(ReadClipboardText()), 1u);
}

} // namespace
