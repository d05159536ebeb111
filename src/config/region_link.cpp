// Drains the region mailslot at every sampling tick and applies each record: the capture
// region's, or the second box's.
#include "region_link.h"

#include <cstdint>
#include <new>
#include <vector>

#include "config/program_contract.h"
#include "tessivo.h"

HANDLE regionMailslot = INVALID_HANDLE_VALUE;

namespace {

const DWORD ReceiveBufferSize = 1024;

// Takes a message too long for the receive buffer out of the mailslot whole,
// so that it neither overruns the buffer nor stays at the head of the queue.
// False when no memory for it can be had.
bool DiscardLongMessage(DWORD size) {
    try {
        std::vector<uint8_t> message(size);
        DWORD read = 0;
        ReadFile(regionMailslot, message.data(), size, &read, nullptr);
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

} // namespace

void OpenRegionLink() {
    // Messages of any size, reads return at once. A name held by another
    // Tessivo gives the invalid handle, and every poll then ends at once.
    regionMailslot = CreateMailslotA(regionMailslotName, 0, 0, nullptr);
}

void PollRegionLink() {
    uint8_t buffer[ReceiveBufferSize];
    // Bounded, so that a writer that never stops cannot hold the window; the
    // records left wait for the next tick, in order.
    for (int taken = 0; taken < MaxRecordsPerPoll; ++taken) {
        DWORD nextSize = 0, waiting = 0;
        if (!GetMailslotInfo(regionMailslot, nullptr, &nextSize, &waiting, nullptr))
            return;
        if (waiting == 0 || nextSize == MAILSLOT_NO_MESSAGE)
            return;
        if (nextSize > sizeof buffer) {
            if (!DiscardLongMessage(nextSize))
                return;
            continue;
        }
        DWORD read = 0;
        // A failed read or a message shorter than a record is ignored: only the
        // bytes of this message may be applied, never stale ones. Every record of 9 bytes or
        // more is the next box's region's; one of 8 the second box's.
        if (ReadFile(regionMailslot, buffer, nextSize, &read, nullptr) &&
            !ApplyRegionMessage(settings.region, buffer, read))
            ApplySecondRegionMessage(settings.secondRegion, buffer, read);
    }
}

void BringFrameForward(HWND frame) {
    DWORD process = 0;
    GetWindowThreadProcessId(frame, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(frame, FrameForwardMessage, 0, 0);
}
