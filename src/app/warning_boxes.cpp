#include "app/warning_boxes.h"

#include <vector>

#include "app/texts.h"

// One that comes while a box shows (its message loop runs this window's posted messages) waits
// until that box is closed.
void Warn(HWND window, const std::wstring &text) {
    static std::vector<std::wstring> waiting;
    waiting.push_back(text);
    if (waiting.size() > 1)
        return;
    while (!waiting.empty()) {
        MessageBoxW(window, waiting.front().c_str(), texts->errorCaption, MB_OK | MB_ICONWARNING);
        waiting.erase(waiting.begin());
    }
}

void Tell(HWND window, KeepNotice notice) {
    if (notice != KeepNothingToTell)
        PostMessageW(window, KeepNoticeMessage, (WPARAM)notice, 0);
}
