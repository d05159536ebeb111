// The region mailslot under load, on the real main window with its own timer: a
// flood of 10,000 messages (records, short ones and oversized ones) and a writer
// that never stops. The window keeps ticking, painting and answering, and once the
// writer stops the last record decides the region.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/surface.h"
#include "app/window_procedure.h"
#include "config/region_link.h"
#include "config/region_message.h"
#include "tessivo.h"
#include "win_test_support.h"

namespace {

HWND mainWindow;
// Message k of a stream: mostly records, every 7th (from the 3rd) too short to be
// one and every 11th (from the 5th) longer than the receive buffer. A record puts
// k into x and y (x = k mod 30000, y = k / 30000) so that the region tells which
// record came last; every third resizes, never to zero.
enum Kind { RecordMessage, ShortMessage, OversizedMessage };

Kind KindAt(int k) {
    if (k % 11 == 5)
        return OversizedMessage;
    if (k % 7 == 3)
        return ShortMessage;
    return RecordMessage;
}

std::vector<uint8_t> MessageAt(int k) {
    CaptureRegion region = {k % 30000, k / 30000, 1 + k % 200, 1 + k % 300};
    uint8_t bytes[RegionMessageSize];
    EncodeRegionMessage(bytes, region, k % 3 == 0);
    switch (KindAt(k)) {
    case ShortMessage:
        return std::vector<uint8_t>(bytes, bytes + 5);
    case OversizedMessage: {
        std::vector<uint8_t> message(1500, 0x5A);
        std::copy(bytes, bytes + sizeof bytes, message.begin());
        return message;
    }
    default:
        return std::vector<uint8_t>(bytes, bytes + sizeof bytes);
    }
}

// The region after messages 0..count-1, from the given start: what the stream
// should leave once it has been drained.
CaptureRegion RegionAfter(int count, CaptureRegion region) {
    for (int k = 0; k < count; ++k) {
        if (KindAt(k) != RecordMessage)
            continue;
        region.x = k % 30000;
        region.y = k / 30000;
        if (k % 3 == 0) {
            region.width = 1 + k % 200;
            region.height = 1 + k % 300;
        }
    }
    return region;
}

std::string Describe(const CaptureRegion &r) {
    return "x " + std::to_string(r.x) + ", y " + std::to_string(r.y) + ", width " +
           std::to_string(r.width) + ", height " + std::to_string(r.height);
}

struct Writer {
    int limit;             // messages to write; the writer also ends when told to stop
    volatile LONG stop;    // set by the test
    volatile LONG written; // messages written so far
    bool failed;           // a write failed
};

// The client end as the region-selection program opens it, in a thread of its own:
// a full mailslot makes a write wait until a tick has made room.
DWORD WINAPI WriteStream(void *parameter) {
    Writer *writer = static_cast<Writer *>(parameter);
    HANDLE client = CreateFileA(regionMailslotName, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    writer->failed = client == INVALID_HANDLE_VALUE;
    for (int k = 0; !writer->failed && k < writer->limit && !writer->stop; ++k) {
        std::vector<uint8_t> message = MessageAt(k);
        DWORD done = 0;
        writer->failed =
            !WriteFile(client, message.data(), (DWORD)message.size(), &done, nullptr) ||
            done != message.size();
        if (!writer->failed)
            InterlockedIncrement(&writer->written);
    }
    CloseHandle(client);
    return 0;
}

bool MessageWaiting() {
    DWORD nextSize = 0, waiting = 0;
    if (!GetMailslotInfo(regionMailslot, nullptr, &nextSize, &waiting, nullptr))
        return false;
    return waiting != 0 && nextSize != MAILSLOT_NO_MESSAGE;
}

// The number of the last record applied, from the region (x = k mod 30000, y = k / 30000).
int LastApplied() {
    return settings.region.y * 30000 + settings.region.x;
}

// Pumps the window's messages until the writer has ended and the mailslot is
// drained; checks at every turn that records are applied in the order written.
void PumpUntilDrained(HANDLE writerThread, DWORD limitMilliseconds) {
    const DWORD start = GetTickCount();
    int last = LastApplied();
    while (GetTickCount() - start < limitMilliseconds) {
        PumpMessages(5);
        ASSERT_GE(LastApplied(), last) << "a record was applied out of order";
        last = LastApplied();
        if (WaitForSingleObject(writerThread, 0) == WAIT_OBJECT_0 && !MessageWaiting())
            break;
    }
    PumpMessages(3 * settings.interval); // a tick after the last record
}

class RobustMailslot : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        mainWindow = CreateMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(mainWindow, nullptr);
        ASSERT_NE(regionMailslot, INVALID_HANDLE_VALUE);
        CountTicksAndPaints(mainWindow);
    }
    void SetUp() override {
        PumpMessages(100);
        ASSERT_FALSE(MessageWaiting());
        settings.region = defaultSettings.region;
        countedTicks = countedPaints = 0;
    }
};

TEST_F(RobustMailslot, TenThousandMessagesAreAllTakenInOrder) {
    Writer writer = {10000, 0, 0, false};
    HANDLE thread = CreateThread(nullptr, 0, WriteStream, &writer, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    PumpUntilDrained(thread, 120000);
    ASSERT_EQ(WaitForSingleObject(thread, 10000), (DWORD)WAIT_OBJECT_0);
    CloseHandle(thread);

    EXPECT_FALSE(writer.failed);
    EXPECT_EQ(writer.written, 10000);
    EXPECT_FALSE(MessageWaiting());
    EXPECT_EQ(Describe(settings.region), Describe(RegionAfter(10000, defaultSettings.region)));
    // At most 256 a tick: the flood took many ticks, each with its paint.
    EXPECT_GE(countedTicks, 10000 / MaxRecordsPerPoll);
    EXPECT_GE(countedPaints, 10);
}

struct Prober {
    Writer *writer; // stopped by the prober after two seconds
    int sent, answered;
    DWORD slowest;     // milliseconds, for the message only
    bool captureShown; // a pair captured during the flood reached the window
};

// From another thread, as another program would: asks the window for an answer
// every 20 ms while the writer writes; halfway, captures a pair and waits until its
// upper disc shows in the window itself. Stops the writer after two seconds, so
// that even a window held by the drain gets its thread back.
DWORD WINAPI ProbeWindow(void *parameter) {
    Prober *prober = static_cast<Prober *>(parameter);
    const DWORD start = GetTickCount();
    bool captured = false;
    while (GetTickCount() - start < 2000) {
        DWORD sentAt = GetTickCount();
        DWORD_PTR result;
        ++prober->sent;
        // A tick drains at most 256 records, some milliseconds: a second is a hang.
        if (SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result))
            ++prober->answered;
        prober->slowest = std::max(prober->slowest, GetTickCount() - sentAt);
        if (!captured && GetTickCount() - start > 700) {
            captured = SendMessageTimeoutA(mainWindow, WM_COMMAND, CmdCapture, 0, SMTO_NORMAL, 1000,
                                           &result) != 0;
        }
        if (captured && !prober->captureShown) {
            // backBuffer (15, 120), the middle of the first upper disc, shows at
            // client (15, 140).
            HDC dc = GetDC(mainWindow);
            COLORREF shown = GetPixel(dc, 15, 140);
            ReleaseDC(mainWindow, dc);
            prober->captureShown = shown != 0x888888 && shown != CLR_INVALID;
        }
        Sleep(20);
    }
    prober->writer->stop = 1;
    return 0;
}

TEST_F(RobustMailslot, AWriterThatNeverStopsCannotHoldTheWindow) {
    moveRecord.clear();
    Writer writer = {INT32_MAX, 0, 0, false};
    Prober prober = {&writer, 0, 0, 0, false};
    HANDLE writerThread = CreateThread(nullptr, 0, WriteStream, &writer, 0, nullptr);
    HANDLE proberThread = CreateThread(nullptr, 0, ProbeWindow, &prober, 0, nullptr);
    ASSERT_NE(writerThread, nullptr);
    ASSERT_NE(proberThread, nullptr);

    while (WaitForSingleObject(proberThread, 0) == WAIT_TIMEOUT)
        PumpMessages(5);
    CloseHandle(proberThread);
    const LONG ticksDuringFlood = countedTicks, paintsDuringFlood = countedPaints;
    const LONG writtenDuringFlood = writer.written;
    PumpUntilDrained(writerThread, 60000);
    ASSERT_EQ(WaitForSingleObject(writerThread, 10000), (DWORD)WAIT_OBJECT_0);
    CloseHandle(writerThread);

    EXPECT_FALSE(writer.failed);
    EXPECT_GT(writtenDuringFlood, 2 * MaxRecordsPerPoll) << "the writer was not kept busy";
    EXPECT_EQ(prober.answered, prober.sent) << "slowest answer " << prober.slowest << " ms";
    EXPECT_GE(prober.sent, 20);
    EXPECT_GE(ticksDuringFlood, 10);
    EXPECT_GE(paintsDuringFlood, 10);
    EXPECT_TRUE(prober.captureShown) << "the picture did not reach the window during the flood";
    EXPECT_EQ(moveRecord.size(), 1u);
    // Once the writer has stopped, its last record decides the region.
    EXPECT_FALSE(MessageWaiting());
    EXPECT_EQ(Describe(settings.region),
              Describe(RegionAfter(writer.written, defaultSettings.region)));
    printf("never-stopping writer: %ld messages in 2 s, %ld ticks, %ld paints, %d answers "
           "(slowest %lu ms)\n",
           writtenDuringFlood, ticksDuringFlood, paintsDuringFlood, prober.answered,
           prober.slowest);
}

} // namespace
