#include "region_sender.h"

#include <cwchar>
#include <string>

#include "brimlet_texts.h"
#include "config/program_contract.h"
#include "region_label.h"
#include "second_frame.h"
#include "text_slots.h"

const UINT RetryPeriod = 500; // milliseconds between attempts while Tessivo is away

static CaptureRegion latestRegion; // the region most recently chosen
static bool regionUnsent;          // latestRegion has not reached Tessivo yet

// Opens the mailslot as a client for the region's record and the second box's after it, as two
// messages; fails when no Tessivo holds it.
static bool WriteRegionMessages(const CaptureRegion &region, bool resize) {
    uint8_t bytes[RegionMessageSize], secondBytes[SecondRegionMessageSize];
    EncodeRegionMessage(bytes, region, resize);
    EncodeSecondRegionMessage(secondBytes, SecondRegion());
    HANDLE slot = CreateFileA(regionMailslotName, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (slot == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0, secondWritten = 0;
    BOOL ok = WriteFile(slot, bytes, sizeof bytes, &written, nullptr) &&
              WriteFile(slot, secondBytes, sizeof secondBytes, &secondWritten, nullptr);
    CloseHandle(slot);
    return ok && written == sizeof bytes && secondWritten == sizeof secondBytes;
}

static void ShowRegionTitle(HWND window) {
    wchar_t numbers[64];
    swprintf(numbers, 64, L"%d, %d, %d x %d", (int)latestRegion.x, (int)latestRegion.y,
             (int)latestRegion.width, (int)latestRegion.height);
    const std::wstring title = regionUnsent ? Compose(brimletTexts->notFound, {numbers}) : numbers;
    SetWindowTextW(window, title.c_str());
    ShowLabelRegion(title);
    InvalidateRect(window, nullptr, FALSE); // the title is drawn on the frame too
}

static void NoteDelivery(HWND window, bool delivered) {
    if (delivered && regionUnsent)
        KillTimer(window, RetryTimerId);
    if (!delivered && !regionUnsent)
        SetTimer(window, RetryTimerId, RetryPeriod, nullptr);
    regionUnsent = !delivered;
    ShowRegionTitle(window);
}

void SendRegion(HWND window, const CaptureRegion &region, bool resize) {
    latestRegion = region;
    // A kept region may have changed size since the last delivery: send it whole.
    NoteDelivery(window, WriteRegionMessages(region, resize || regionUnsent));
}

void RetryUnsentRegion(HWND window) {
    if (regionUnsent && WriteRegionMessages(latestRegion, true))
        NoteDelivery(window, true);
}
