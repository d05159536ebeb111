#include "frame_commands.h"

#include <windowsx.h>

#include "brimlet_texts.h"
#include "config/settings_file.h"
#include "frame_shape.h"
#include "pair_fit.h"
#include "region_label.h"
#include "second_frame.h"
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

FrameCommand ChooseFromMenu(HWND window, LPARAM position) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, CmdFit, brimletTexts->fitItem);
    AppendMenuW(menu, MF_STRING | (SecondRegion().width > 0 ? MF_CHECKED : 0), CmdSecondFrame,
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

// Keeps both regions in setting.ini for the next start of Tessivo and of Brimlet, in one write: the
// second as [REGION2], width 0 when there is no second frame.
static void SaveShownRegion(HWND window) {
    std::wstring where;
    const CaptureRegion second = SecondRegion();
    if (SaveRegion(frame.region, where, &second)) {
        ShowLabelNotice(Compose(brimletTexts->saved, {where}));
        return;
    }
    const std::wstring text = Compose(brimletTexts->notSaved, {where});
    MessageBoxW(window, text.c_str(), brimletTexts->errorCaption, MB_OK | MB_ICONERROR);
}

// The window moved by the step, or sized by it with its top left corner kept; the second frame
// when Tab has chosen it.
static void StepFrame(HWND window, bool resize, POINT step) {
    if (SecondFrameChosen()) {
        StepSecondFrame(resize, step);
        return;
    }
    RECT place;
    GetWindowRect(window, &place);
    const UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
    if (resize)
        SetWindowPos(window, nullptr, 0, 0, place.right - place.left + step.x,
                     place.bottom - place.top + step.y, keep | SWP_NOMOVE);
    else
        SetWindowPos(window, nullptr, place.left + step.x, place.top + step.y, 0, 0,
                     keep | SWP_NOSIZE);
}

void RunFrameCommand(HWND window, FrameCommand command, POINT step) {
    switch (command) {
    case CmdNone:
        return;
    case CmdSave:
        SaveShownRegion(window);
        return;
    case CmdClose:
        PostMessageW(window, WM_CLOSE, 0, 0);
        return;
    case CmdFit:
        FitToPair(window);
        return;
    case CmdUndoFit:
        UndoFit(window);
        return;
    case CmdSwitchFrame:
        SwitchFrames();
        return;
    case CmdSecondFrame:
        PlaceSecondByHand();
        return;
    case CmdMove:
    case CmdResize:
        StepFrame(window, command == CmdResize, step);
        return;
    }
}
