#include "frame_commands.h"

#include <windowsx.h>

#include "brimlet_texts.h"
#include "config/settings_file.h"
#include "region_label.h"
#include "text_slots.h"

FrameCommand CommandOfKey(WPARAM key, POINT &step) {
    switch (key) {
    case VK_ESCAPE:
        return CmdClose;
    case 'F':
        return CmdFit;
    case 'Z':
        return GetKeyState(VK_CONTROL) < 0 ? CmdUndoFit : CmdNone;
    case VK_RETURN:
        return CmdSave;
    case VK_TAB:
        return CmdSwitchFrame;
    case 'S':
        return CmdSecondFrame;
    }
    step.x = key == VK_RIGHT ? 1 : key == VK_LEFT ? -1 : 0;
    step.y = key == VK_DOWN ? 1 : key == VK_UP ? -1 : 0;
    if (step.x == 0 && step.y == 0)
        return CmdNone;
    return GetKeyState(VK_SHIFT) < 0 ? CmdResize : CmdMove;
}

FrameCommand ChooseFromMenu(HWND window, LPARAM position, bool secondShown) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, CmdFit, brimletTexts->fitItem);
    AppendMenuW(menu, MF_STRING | (secondShown ? MF_CHECKED : 0), CmdSecondFrame,
                brimletTexts->secondItem);
    AppendMenuW(menu, MF_STRING, CmdSave, brimletTexts->saveItem);
    AppendMenuW(menu, MF_STRING, CmdClose, brimletTexts->closeItem);
    SetForegroundWindow(window); // so that the menu closes when the user clicks elsewhere
    const UINT chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, GET_X_LPARAM(position),
                       GET_Y_LPARAM(position), 0, window, nullptr);
    DestroyMenu(menu);
    return (FrameCommand)chosen;
}

void SaveRegions(HWND window, const CaptureRegion &next, const CaptureRegion &second) {
    std::wstring where;
    if (SaveRegion(next, where, &second)) {
        ShowLabelNotice(Compose(brimletTexts->saved, {where}));
        return;
    }
    const std::wstring text = Compose(brimletTexts->notSaved, {where});
    MessageBoxW(window, text.c_str(), brimletTexts->errorCaption, MB_OK | MB_ICONERROR);
}
