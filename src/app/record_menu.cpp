#include "app/record_menu.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "app/commands.h"
#include "app/menu_point.h"
#include "app/move_menu.h"
#include "app/record_change.h"
#include "app/texts.h"
#include "app/warning_boxes.h"
#include "keep/kept_record.h"
#include "picture_layout.h"
#include "record/move_record.h"
#include "record/pasted_link.h"
#include "record/record_view.h"
#include "tessivo.h"
#include "text_slots.h"

// What a box names of a clipboard that holds no link: one line of it.
static const size_t NamedCharacters = 80;

bool OpenRecordMenu(HWND window, LPARAM where, bool discOnly) {
    POINT client;
    const POINT point = MenuPoint(window, where, client);
    if (client.y < Scaled(PictureTop + RecordTop)) // above the record: the views
        return false;
    size_t move = moveRecord.size() - 1;
    bool upper = true;
    const bool onMove = where == -1 ? !moveRecord.empty() : MoveAt(window, client, move, upper);
    if (discOnly && !onMove)
        return false;
    HMENU menu = CreatePopupMenu();
    if (onMove)
        AppendMoveItems(menu, move, upper);
    AppendMenuW(menu, MF_STRING, CmdOpenHistory, texts->openHistory);
    AppendMenuW(menu, MF_STRING, CmdPasteLink, texts->pasteLink);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y, 0, window, nullptr);
    DestroyMenu(menu);
    return true;
}

void OpenHistory(HWND window) {
    const std::wstring page = HistoryPagePath();
    if (!settings.keepRecord) {
        Note(window, texts->noHistory);
        return;
    }
    if (GetFileAttributesW(page.c_str()) == INVALID_FILE_ATTRIBUTES) {
        Note(window, Compose(texts->noPage, {page}));
        return;
    }
    // The browser may be started through a shell extension, which needs COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW open = {};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_FLAG_NO_UI; // a failure is told once, in Tessivo's own words
    open.hwnd = window;
    open.lpVerb = L"open";
    open.lpFile = page.c_str();
    open.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&open))
        Warn(window, Compose(texts->notOpened, {page}));
}

// The clipboard's text as Unicode, which the platform makes of any text format; "" for none.
static std::wstring ClipboardText(HWND window) {
    std::wstring text;
    if (!OpenClipboard(window))
        return text;
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    const wchar_t *characters = static_cast<const wchar_t *>(GlobalLock(block));
    if (characters)
        text.assign(characters, wcsnlen(characters, GlobalSize(block) / sizeof(wchar_t)));
    GlobalUnlock(block);
    CloseClipboard();
    return text;
}

void PasteLink(HWND window) {
    const std::wstring text = ClipboardText(window);
    MoveRecord pasted;
    if (!ReadPastedLink(text, pasted)) {
        const std::wstring line = FirstLine(text, NamedCharacters);
        Note(window, Compose(texts->noLink, {line.empty() ? texts->emptyClipboard : line}));
        return;
    }
    EndGame(window);
    ReplaceRecord(pasted);
    RecordChanged(window);
}

bool TranslatePasteKey(MSG &message) {
    static ACCEL paste = {FCONTROL | FVIRTKEY, 'V', CmdPasteLink}; // Ctrl+V pastes a link
    static HACCEL keys = CreateAcceleratorTableW(&paste, 1);       // made once, kept to the end
    HWND window = GetAncestor(message.hwnd, GA_ROOT); // a button's keys go to its window
    return window && TranslateAcceleratorW(window, keys, &message);
}
