// Puts the simulator link on the clipboard as plain text.
#include "simulator_link.h"

#include "link_text.h"
#include "tessivo.h"

namespace {

// Movable, zero-filled and shareable, as the clipboard expects of its blocks.
const UINT ClipboardBlockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE; // 0x2042

// A zero-filled 1024-byte block holding the text, unlocked; null when it
// cannot be allocated or locked.
HGLOBAL MakeClipboardBlock(const char *text) {
    HGLOBAL block = GlobalAlloc(ClipboardBlockFlags, LinkTextSize);
    if (block == nullptr)
        return nullptr;
    char *bytes = static_cast<char *>(GlobalLock(block));
    if (bytes == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    lstrcpyA(bytes, text);
    GlobalUnlock(block);
    return block;
}

} // namespace

LinkExport BuildSimulatorLink(HWND window) {
    char text[LinkTextSize];
    LinkExport result = {};
    result.pairsWritten = BuildLinkText(text, moveRecord);
    result.complete = result.pairsWritten == moveRecord.size();

    // Another program holding the clipboard open: nothing changes.
    if (!OpenClipboard(window))
        return result;
    // The block is made before the clipboard is emptied, so that a block that
    // cannot be had leaves the old content in place.
    HGLOBAL block = MakeClipboardBlock(text);
    if (block != nullptr) {
        EmptyClipboard(); // the window becomes the clipboard's owner
        // Once handed over, the block belongs to the clipboard; one that was
        // refused is still ours to free.
        result.copied = SetClipboardData(CF_TEXT, block) != nullptr;
        if (!result.copied)
            GlobalFree(block);
    }
    CloseClipboard();
    return result;
}
