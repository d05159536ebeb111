// An append for which no memory can be had: the capture is dropped and the record
// stays as it was. A program of its own, since it replaces the global allocator.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "record/move_record.h"
#include "tessivo.h"

namespace {
bool refuseMemory; // while set, every allocation fails as when memory has run out
}

void *operator new(std::size_t size) {
    void *block = refuseMemory ? nullptr : std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}
void operator delete(void *block) noexcept {
    std::free(block);
}
void operator delete(void *block, std::size_t) noexcept {
    std::free(block);
}

namespace {

bool AppendWithoutMemory(const BlobPair &pair) {
    refuseMemory = true;
    const bool added = AppendPair(pair);
    refuseMemory = false;
    return added;
}

TEST(AppendPair, WithoutMemoryTheCaptureIsDropped) {
    struct Row {
        const char *name;
        int before; // pairs in the record before the append without memory
        bool needsStorage;
    };
    // A record whose storage is full needs new storage for one more pair (checked
    // below, since the growth rule belongs to the standard library).
    const Row rows[] = {
        {"empty record without storage", 0, true},
        {"one pair, storage full", 1, true},
        {"four pairs, storage full", 4, true},
        {"five pairs, room left", 5, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MoveRecord().swap(moveRecord);
        for (int i = 0; i < row.before; ++i)
            ASSERT_TRUE(AppendPair(BlobPair{1 + i % 5, 5 - i % 5}));
        ASSERT_EQ(moveRecord.capacity() == moveRecord.size(), row.needsStorage);
        const BlobPair *storage = moveRecord.data();

        const bool added = AppendWithoutMemory(BlobPair{3, 4});

        EXPECT_EQ(added, !row.needsStorage);
        ASSERT_EQ(moveRecord.size(), size_t(row.before + (added ? 1 : 0)));
        EXPECT_EQ(moveRecord.data(), storage);
        for (int i = 0; i < row.before; ++i) {
            EXPECT_EQ(moveRecord[i].lower, 1 + i % 5) << "pair " << i;
            EXPECT_EQ(moveRecord[i].upper, 5 - i % 5) << "pair " << i;
        }
        // Once memory is there again, captures go on behind the kept pairs.
        ASSERT_TRUE(AppendPair(BlobPair{5, 1}));
        EXPECT_EQ(moveRecord.back().lower, 5);
        EXPECT_EQ(moveRecord.size(), size_t(row.before + (added ? 2 : 1)));
    }
    MoveRecord().swap(moveRecord);
}

} // namespace
