#include "app/warning_boxes.h"

#include <utility>
#include <vector>

#include "app/texts.h"

// One that comes while a box shows (its message loop runs this window's posted messages) waits
// until that box is closed.
static void ShowInTurn(HWND window, const std::wstring &text, bool failed) {
    static std::vector<std::pair<std::wstring, bool>> waiting; // the box shown, then those after
    waiting.push_back({text, failed});
    if (waiting.size() > 1)
        return;
    while (!waiting.empty()) {
        const bool failure = waiting.front().second;
        MessageBoxW(window, waiting.front().first.c_str(),
                    failure ? texts->errorCaption : texts->noteCaption,
                    MB_OK | (failure ? MB_ICONWARNING : MB_ICONINFORMATION));
        waiting.erase(waiting.begin());
    }
}

void Warn(HWND window, const std::wstring &text) {
    ShowInTurn(window, text, true);
}

void Note(HWND window, const std::wstring &text) {
    ShowInTurn(window, text, false);
}

void Tell(HWND window, KeepNotice notice) {
    if (notice != KeepNothingToTell)
        PostMessageW(window, KeepNoticeMessage, (WPARAM)notice, 0);
}
