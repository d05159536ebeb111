#include "app/button_row.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/commands.h"
#include "app/hot_keys.h"
#include "app/texts.h"
#include "picture_layout.h"
#include "display_scale.h"

HWND captureButton; // the five buttons, kept to give them the font and their places
HWND undoButton;
HWND resetButton;
HWND linkButton;
HWND regionButton;
HWND buttonTips; // the keys that the capture and undo buttons have no room to show

static KeyCombination captureKey; // the capture key of setting.ini, shown on its button
static KeyCombination undoKey;    // and the undo key

const int ButtonPadding = 4; // at least this much room either side of a button's text

static HWND CreateButton(HWND parent, HINSTANCE instance, Command id, const wchar_t *text) {
    return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                           (HMENU)(UINT_PTR)id, instance, nullptr);
}

// A tool of the tips for the button, with no text yet: a tip without text never shows.
static void AddTip(HWND button) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(button);
    tool.uId = (UINT_PTR)button;
    tool.lpszText = (wchar_t *)L"";
    SendMessageW(buttonTips, TTM_ADDTOOLW, 0, (LPARAM)&tool);
}

void GiveButtonsKeys(const KeyCombination &capture, const KeyCombination &undo) {
    captureKey = capture;
    undoKey = undo;
}

void CreateButtons(HWND window, HINSTANCE instance) {
    captureButton = CreateButton(window, instance, CmdCapture, texts->capture);
    undoButton = CreateButton(window, instance, CmdUndo, texts->undo);
    resetButton = CreateButton(window, instance, CmdReset, texts->reset);
    linkButton = CreateButton(window, instance, CmdMakeLink, texts->makeLink);
    regionButton = CreateButton(window, instance, CmdSelectRegion, texts->selectRegion);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES}; // the tips' class
    InitCommonControlsEx(&controls);
    buttonTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0,
                                 window, nullptr, instance, nullptr);
    AddTip(captureButton);
    AddTip(undoButton);
    LabelButtons(window);
}

// The button shows its text; the tip shows the full text when the button shows less.
static void Label(HWND button, const std::wstring &shown, const std::wstring &full) {
    SetWindowTextW(button, shown.c_str());
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(button);
    tool.uId = (UINT_PTR)button;
    tool.lpszText = (wchar_t *)(shown == full ? L"" : full.c_str());
    SendMessageW(buttonTips, TTM_UPDATETIPTEXTW, 0, (LPARAM)&tool);
}

// The keys of capture and undo on their buttons, where the row has room for them: the undo key
// goes into the tip first, then the capture key.
void LabelButtons(HWND window) {
    const std::wstring capture = KeyedText(texts->capture, captureKey);
    const std::wstring undo = KeyedText(texts->undo, undoKey);
    Label(captureButton, capture, capture);
    Label(undoButton, undo, undo);
    SetWindowTextW(resetButton, texts->reset);
    SetWindowTextW(linkButton, texts->makeLink);
    SetWindowTextW(regionButton, texts->selectRegion);
    if (ArrangeButtons(window))
        return;
    Label(undoButton, texts->undo, undo);
    if (ArrangeButtons(window))
        return;
    Label(captureButton, texts->capture, capture);
    ArrangeButtons(window);
}

// Widths of the 100 % layout (the row fits the default window's client area), each widened to
// what its text needs in the font; the room a button gains is taken from the buttons whose texts
// leave room to spare, so the row keeps its width while the texts fit in it.
bool ArrangeButtons(HWND window) {
    const HWND buttons[5] = {captureButton, undoButton, resetButton, linkButton, regionButton};
    const int32_t layout[5] = {100, 60, 60, 60, 60};
    int32_t width[5], least[5], missing = 0;
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = L"";
        const int length = GetWindowTextW(buttons[i], text, 64);
        least[i] = TextSize(window, pictureDpi, text, length).cx + 2 * Scaled(ButtonPadding);
        width[i] = std::max(Scaled(layout[i]), least[i]);
        missing += width[i] - Scaled(layout[i]);
    }
    int32_t left = 0;
    for (int i = 0; i < 5; ++i) {
        int32_t given = std::min(missing, width[i] - least[i]);
        width[i] -= given;
        missing -= given;
        SendMessageW(buttons[i], WM_SETFONT, (WPARAM)InterfaceFont(pictureDpi), TRUE);
        SetWindowPos(buttons[i], nullptr, left, 0, width[i], Scaled(PictureTop),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        left += width[i];
    }
    return missing == 0;
}
