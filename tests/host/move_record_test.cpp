// The move record: append, undo and RESET over the one process-wide record.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "record/move_record.h"

namespace {

// Each test starts from a record without storage, as the program does.
class MoveRecordTest : public ::testing::Test {
  protected:
    void SetUp() override { MoveRecord().swap(moveRecord); }
    void TearDown() override { MoveRecord().swap(moveRecord); }
};

enum Step { Capture, Undo, Reset };

struct RecordRow {
    const char *name;
    std::vector<Step> steps;
    std::vector<BlobPair> expected; // the record afterwards
};

// The record as {lower, upper} pairs, which compare and print readably.
std::vector<std::pair<int, int>> Pairs(const std::vector<BlobPair> &record) {
    std::vector<std::pair<int, int>> pairs;
    for (const BlobPair &pair : record)
        pairs.emplace_back(pair.lower, pair.upper);
    return pairs;
}

TEST_F(MoveRecordTest, StepsLeaveTheExpectedPairs) {
    // The n-th capture of a row appends {n, n + 10}, so every pair is told apart
    // and colours outside 1..5 are taken as they are.
    const RecordRow rows[] = {
        {"capture, capture, undo keeps the first", {Capture, Capture, Undo}, {{1, 11}}},
        {"undo on empty", {Undo}, {}},
        {"reset then undo", {Reset, Undo}, {}},
        {"reset then capture starts at index 0", {Capture, Capture, Reset, Capture}, {{3, 13}}},
        {"three captures, four undos", {Capture, Capture, Capture, Undo, Undo, Undo, Undo}, {}},
        {"undo then capture again", {Capture, Capture, Undo, Capture}, {{1, 11}, {3, 13}}},
        {"order of capture", {Capture, Capture, Capture}, {{1, 11}, {2, 12}, {3, 13}}},
    };
    for (const RecordRow &row : rows) {
        SCOPED_TRACE(row.name);
        ClearRecord();
        int captures = 0;
        for (Step step : row.steps) {
            if (step == Capture) {
                ++captures;
                ASSERT_TRUE(AppendPair(BlobPair{captures, captures + 10}));
            } else if (step == Undo) {
                RemoveLastPair();
            } else {
                ClearRecord();
            }
        }
        EXPECT_EQ(Pairs(moveRecord), Pairs(row.expected));
    }
}

TEST_F(MoveRecordTest, ResetKeepsTheStorageForTheNextCaptures) {
    for (int i = 0; i < 10; ++i)
        AppendPair(BlobPair{1 + i % 5, 5 - i % 5});
    const size_t capacity = moveRecord.capacity();
    const BlobPair *storage = moveRecord.data();
    ClearRecord();
    EXPECT_TRUE(moveRecord.empty());
    EXPECT_EQ(moveRecord.capacity(), capacity);
    for (int i = 0; i < 10; ++i) {
        AppendPair(BlobPair{2, 3});
        ASSERT_EQ(moveRecord.data(), storage) << "capture " << i << " took new storage";
    }
    EXPECT_EQ(moveRecord.size(), 10u);
    EXPECT_EQ(moveRecord.capacity(), capacity);
}

} // namespace
