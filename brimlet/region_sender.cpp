#include "region_sender.h"

#include <cwchar>
#include <string>

#include "brimlet_texts.h"
#include "config/program_contract.h"
#include "region_label.h"
#include "text_slots.h"

const UINT RetryPeriod = 500; // milliseconds between attempts while Tessivo is away

static bool regionsUnsent; // the regions last sent have not reached Tessivo yet

// Opens the mailslot as a client for the next box's record and the second box's after it, as two
// messages; fails when no Tessivo holds it.
static bool WriteRegionMessages(const CaptureRegion &next, const CaptureRegion &second,
                                bool resize) {
    uint8_t bytes[RegionMessageSize], secondBytes[SecondRegionMessageSize];
    EncodeRegionMessage(bytes, next, resize);
    EncodeSecondRegionMessage(secondBytes, second);
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

static void ShowRegionTitle(HWND window, const CaptureRegion &next) {
    wchar_t numbers[64];
    swprintf(numbers, 64, L"%d, %d, %d x %d", (int)next.x, (int)next.y, (int)next.width,
             (int)next.height);
    const std::wstring title = regionsUnsent ? Compose(brimletTexts->notFound, {numbers}) : numbers;
    SetWindowTextW(window, title.c_str());
    ShowLabelRegion(title);
    InvalidateRect(window, nullptr, FALSE); // the title is drawn on the frame too
}

static void NoteDelivery(HWND window, const CaptureRegion &next, bool delivered) {
    if (delivered && regionsUnsent)
        KillTimer(window, RetryTimerId);
    if (!delivered && !regionsUnsent)
        SetTimer(window, RetryTimerId, RetryPeriod, nullptr);
    regionsUnsent = !delivered;
    ShowRegionTitle(window, next);
}

void SendRegions(HWND window, const CaptureRegion &next, const CaptureRegion &second, bool resize) {
    // A change of size may have been missed while Tessivo was away: send them whole.
    NoteDelivery(window, next, WriteRegionMessages(next, second, resize || regionsUnsent));
}

void RetryUnsentRegions(HWND window, const CaptureRegion &next, const CaptureRegion &second) {
    if (regionsUnsent && WriteRegionMessages(next, second, true))
        NoteDelivery(window, next, true);
}
