// The simulator link on the real clipboard: what reaches it, the cut of a record
// too long for the text, and a clipboard held open by another thread.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "record/link_text.h"
#include "record/simulator_link.h"
#include "tessivo.h"
#include "win_test_support.h"

namespace {

HWND ownerWindow; // a plain hidden window of this thread, opening the clipboard

bool PutClipboardText(const char *text) {
    if (!OpenClipboard(ownerWindow))
        return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char *>(GlobalLock(block)), text);
    GlobalUnlock(block);
    bool put = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    return put;
}

std::string Codes(const MoveRecord &record, size_t count) {
    std::string codes;
    for (size_t i = 0; i < count; ++i)
        codes += LinkCode(record[i]);
    return codes;
}

MoveRecord CyclingRecord(size_t n) {
    MoveRecord record;
    for (size_t i = 0; i < n; ++i)
        record.push_back(BlobPair{BlobColour(1 + i % 5), BlobColour(1 + (i / 5) % 5)});
    return record;
}

bool SameRecord(const MoveRecord &a, const MoveRecord &b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].lower != b[i].lower || a[i].upper != b[i].upper)
            return false;
    return true;
}

class SimulatorLinkTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ownerWindow =
            CreateTestWindow("SimulatorLinkTestOwner", 0, WS_OVERLAPPED, {0, 0, 100, 100});
    }
    static void TearDownTestSuite() { DestroyWindow(ownerWindow); }
    void SetUp() override { ASSERT_NE(ownerWindow, nullptr); }
    void TearDown() override { moveRecord.clear(); }
};

TEST_F(SimulatorLinkTest, RecordReachesTheClipboard) {
    const size_t fitting = (LinkTextSize - 1 - std::strlen(linkPrefix)) / 2;
    struct Row {
        const char *name;
        MoveRecord record;
        size_t written;
    };
    const Row rows[] = {
        {"empty record gives the prefix alone", {}, 0},
        {"red below, green above", {{1, 2}}, 1},
        {"then blue below and above", {{1, 2}, {3, 3}}, 2},
        {"rows are lower, columns upper", {{4, 1}, {1, 4}}, 2},
        {"colours outside 1..5", {{0, 3}, {6, 6}, {-1, 2}, {5, 5}}, 4},
        {"exactly as many pairs as fit", CyclingRecord(fitting), fitting},
        {"one pair more than fits", CyclingRecord(fitting + 1), fitting},
        {"three thousand pairs", CyclingRecord(3000), fitting},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(PutClipboardText("old content"));
        moveRecord = row.record;
        const LinkExport result = BuildSimulatorLink(ownerWindow);
        EXPECT_TRUE(result.copied);
        EXPECT_EQ(result.pairsWritten, row.written);
        EXPECT_EQ(result.complete, row.written == row.record.size());
        EXPECT_TRUE(SameRecord(moveRecord, row.record)) << "the export changed the record";

        const ClipboardText clipboard = ReadClipboardText(ownerWindow);
        EXPECT_EQ(clipboard.text, linkPrefix + Codes(row.record, row.written));
        EXPECT_LE(clipboard.text.size(), LinkTextSize - 1);
        EXPECT_GE(clipboard.blockSize, LinkTextSize);
        EXPECT_TRUE(clipboard.zeroBehindText);
        EXPECT_EQ(GetClipboardOwner(), ownerWindow);
    }
}

// A thread of its own holds the clipboard open until it is told to let go.
struct ClipboardHolder {
    HANDLE opened;
    HANDLE release;
    BOOL held;
};

DWORD WINAPI HoldClipboard(void *parameter) {
    ClipboardHolder *holder = static_cast<ClipboardHolder *>(parameter);
    holder->held = OpenClipboard(nullptr);
    SetEvent(holder->opened);
    WaitForSingleObject(holder->release, INFINITE);
    if (holder->held)
        CloseClipboard();
    return 0;
}

TEST_F(SimulatorLinkTest, ClipboardHeldElsewhereKeepsTheOldContent) {
    ASSERT_TRUE(PutClipboardText("old content"));
    moveRecord = {{1, 2}, {3, 3}};
    ClipboardHolder holder = {CreateEventA(nullptr, TRUE, FALSE, nullptr),
                              CreateEventA(nullptr, TRUE, FALSE, nullptr), FALSE};
    HANDLE thread = CreateThread(nullptr, 0, HoldClipboard, &holder, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(holder.opened, INFINITE);
    ASSERT_TRUE(holder.held);

    const LinkExport result = BuildSimulatorLink(ownerWindow);

    SetEvent(holder.release);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(holder.opened);
    CloseHandle(holder.release);

    EXPECT_FALSE(result.copied);
    EXPECT_EQ(result.pairsWritten, 2u);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(ReadClipboardText(ownerWindow).text, "old content");
    EXPECT_EQ(moveRecord.size(), 2u);

    // Once the clipboard is free again the same export goes through.
    EXPECT_TRUE(BuildSimulatorLink(ownerWindow).copied);
    EXPECT_EQ(ReadClipboardText(ownerWindow).text, std::string(linkPrefix) + "c1s1");
}

} // namespace
