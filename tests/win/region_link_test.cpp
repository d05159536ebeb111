// The region mailslot fed by a real client: records applied at a poll, in order,
// at most MaxRecordsPerPoll at a time; long, short and failed messages harmless.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/region_link.h"
#include "config/region_message.h"
#include "tessivo.h"
#include "win_test_support.h"

namespace {

typedef std::vector<uint8_t> Message;

Message Record(int16_t x, int16_t y, int16_t height, int16_t width, uint8_t resize) {
    CaptureRegion region = {x, y, width, height};
    uint8_t bytes[RegionMessageSize];
    EncodeRegionMessage(bytes, region, true);
    bytes[8] = resize;
    return Message(bytes, bytes + sizeof bytes);
}

// The client end, as the region-selection program opens it.
HANDLE OpenClient() {
    return CreateFileA(regionMailslotName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Send(HANDLE client, const Message &message) {
    DWORD written = 0;
    return WriteFile(client, message.data(), (DWORD)message.size(), &written, nullptr) &&
           written == message.size();
}

// Whether a message still waits in the mailslot.
bool MessageWaiting(HANDLE mailslot) {
    DWORD nextSize = 0, waiting = 0;
    if (!GetMailslotInfo(mailslot, nullptr, &nextSize, &waiting, nullptr))
        return false;
    return waiting != 0 && nextSize != MAILSLOT_NO_MESSAGE;
}

std::string Describe(const CaptureRegion &r) {
    return "x " + std::to_string(r.x) + ", y " + std::to_string(r.y) + ", width " +
           std::to_string(r.width) + ", height " + std::to_string(r.height);
}

class RegionLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings = defaultSettings;
        OpenRegionLink();
        ASSERT_NE(regionMailslot, INVALID_HANDLE_VALUE);
        client = OpenClient();
        ASSERT_NE(client, INVALID_HANDLE_VALUE);
    }
    void TearDown() override {
        CloseHandle(client);
        // The next test creates the mailslot again under the same name.
        CloseHandle(regionMailslot);
        regionMailslot = INVALID_HANDLE_VALUE;
    }
    HANDLE client = INVALID_HANDLE_VALUE;
};

TEST_F(RegionLinkTest, RecordsWrittenBeforeATickAreAppliedAtIt) {
    const CaptureRegion moved = {100, 200, 60, 120};
    struct Row {
        const char *name;
        CaptureRegion start;
        std::vector<Message> messages; // written between two ticks
        CaptureRegion expected;
    };
    const Row rows[] = {
        {"nothing waiting changes nothing", moved, {}, moved},
        {"move and resize", {0, 0, 50, 100}, {Record(100, 200, 120, 60, 1)}, moved},
        {"move only keeps the size", moved, {Record(10, 20, 999, 999, 0)}, {10, 20, 60, 120}},
        {"resize 2 only moves", moved, {Record(10, 20, 999, 999, 2)}, {10, 20, 60, 120}},
        {"resize 255 only moves", moved, {Record(10, 20, 999, 999, 255)}, {10, 20, 60, 120}},
        {"F6 FF gives -10", moved, {{0xF6, 0xFF, 0, 0, 0, 0, 0, 0, 0}}, {-10, 0, 60, 120}},
        {"negative size taken as it is", moved, {Record(-5, -6, -7, -8, 1)}, {-5, -6, -8, -7}},
        {"three records in order: the last decides the place, the last resize the size",
         moved,
         {Record(1, 1, 11, 12, 1), Record(2, 2, 21, 22, 1), Record(3, 3, 31, 32, 0)},
         {3, 3, 22, 21}},
        {"bytes after the record have no effect",
         moved,
         {{7, 0, 8, 0, 9, 0, 10, 0, 1, 0xAA, 0xBB}},
         {7, 8, 10, 9}},
        {"an oversized message is taken out and ignored", moved, {Message(2000, 1)}, moved},
        {"records around an oversized message still apply",
         moved,
         {Record(1, 2, 3, 4, 1), Message(2000, 1), Record(5, 6, 0, 0, 0)},
         {5, 6, 4, 3}},
        {"a message of exactly the buffer size is read",
         moved,
         [] {
             Message m(1024, 0);
             m[0] = 42;
             return std::vector<Message>{m};
         }(),
         {42, 0, 60, 120}},
        {"a short message is ignored, no stale bytes applied",
         moved,
         {Record(1, 2, 3, 4, 1), Message{9, 0, 9, 0, 9}},
         {1, 2, 4, 3}},
        {"a short message alone changes nothing", moved, {Message{9, 0, 9, 0, 1}}, moved},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        settings.region = row.start;
        for (const Message &message : row.messages)
            ASSERT_TRUE(Send(client, message));
        PollRegionLink();
        EXPECT_EQ(Describe(settings.region), Describe(row.expected));
        EXPECT_FALSE(MessageWaiting(regionMailslot)) << "the drain left a message behind";
        // Only the region is ever written.
        EXPECT_EQ(settings.hueGreen, defaultSettings.hueGreen);
        EXPECT_EQ(settings.interval, defaultSettings.interval);
    }
}

// The region after the first n of the records below, from the defaults.
CaptureRegion RegionAfter(int n) {
    CaptureRegion region = defaultSettings.region;
    for (int i = 0; i < n; ++i) {
        region.x = i;
        region.y = -i;
        if (i % 3 == 0) {
            region.width = i % 500 + 1;
            region.height = i % 700 + 2;
        }
    }
    return region;
}

struct Writer {
    HANDLE client;
    int count;
    volatile LONG written;
};

// Writes the records from a thread of its own: the mailslot may hold fewer than
// all of them, and then a write waits until the poll has made room.
DWORD WINAPI WriteRecords(void *parameter) {
    Writer *writer = static_cast<Writer *>(parameter);
    for (int i = 0; i < writer->count; ++i) {
        const CaptureRegion size = RegionAfter(i + 1);
        if (!Send(writer->client, Record(int16_t(i), int16_t(-i), int16_t(size.height),
                                         int16_t(size.width), i % 3 == 0 ? 1 : 0)))
            break;
        InterlockedIncrement(&writer->written);
    }
    return 0;
}

TEST_F(RegionLinkTest, ThousandRecordsDrainOverSeveralTicks) {
    Writer writer = {client, 1000, 0};
    HANDLE thread = CreateThread(nullptr, 0, WriteRecords, &writer, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // Wait until the writer has filled the mailslot (or written everything).
    LONG seen = -1;
    for (int i = 0; i < 200 && seen != writer.written; ++i) {
        seen = writer.written;
        Sleep(50);
    }
    ASSERT_GE(writer.written, MaxRecordsPerPoll) << "too few records waiting for the test";

    int applied = 0, polls = 0;
    while (applied < writer.count && polls < 1000) {
        PollRegionLink();
        ++polls;
        // The x of the last record applied tells how many were applied.
        const int now = settings.region.x + 1;
        SCOPED_TRACE("poll " + std::to_string(polls));
        ASSERT_GE(now, applied) << "records applied out of order";
        ASSERT_LE(now - applied, MaxRecordsPerPoll);
        if (polls == 1) {
            EXPECT_EQ(now, MaxRecordsPerPoll) << "a full mailslot gives a full poll";
        }
        ASSERT_EQ(Describe(settings.region), Describe(RegionAfter(now)));
        if (now == applied)
            Sleep(1); // the writer has not caught up yet
        applied = now;
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(writer.written, writer.count);
    EXPECT_EQ(applied, writer.count);
    EXPECT_GE(polls, 4);
    EXPECT_EQ(Describe(settings.region), Describe(RegionAfter(writer.count)));
    EXPECT_FALSE(MessageWaiting(regionMailslot));
}

// Another holder of the name: creation fails, and no record is ever applied.
TEST(RegionLinkNameTaken, NoRecordIsEverApplied) {
    settings = defaultSettings;
    HANDLE holder = CreateMailslotA(regionMailslotName, 0, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    OpenRegionLink();
    EXPECT_EQ(regionMailslot, INVALID_HANDLE_VALUE);

    HANDLE client = OpenClient();
    ASSERT_NE(client, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(Send(client, Record(100, 200, 120, 60, 1)));
    ASSERT_TRUE(Send(client, Record(10, 20, 0, 0, 0)));
    for (int tick = 0; tick < 3; ++tick)
        PollRegionLink();
    EXPECT_EQ(Describe(settings.region), Describe(defaultSettings.region));
    // The records went to the holder of the name and wait there.
    EXPECT_TRUE(MessageWaiting(holder));

    CloseHandle(client);
    CloseHandle(holder);
}

} // namespace
