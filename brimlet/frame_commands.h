// What the frame is asked to do, whichever key, menu item or close box asks for it, and Enter's
// save.
#pragma once

#include <windows.h>

#include "tessivo.h"

// The frame's commands; the menu's items carry them as identifiers.
enum FrameCommand {
    CmdNone,
    CmdSave,
    CmdClose,
    CmdFit,
    CmdUndoFit,
    CmdMove,        // by an arrow's step
    CmdResize,      // by an arrow's step, the top left corner kept
    CmdSwitchFrame, // the arrows move the other frame
    CmdSecondFrame, // a second frame placed by hand, or the one there taken away
};

// Arrows move by one pixel; with Shift, right and down grow, left and up shrink; Tab switches the
// frame they move. F fits the next box's region to its pair and the second box's region to the
// second box's pair, Ctrl+Z puts back both regions of before the fit. S places a second frame by
// hand, for a second box that F cannot find (a pair half hidden behind the box's border), or takes
// it away. Enter saves both, Escape closes. CmdNone for every other key; step is set for an arrow.
FrameCommand CommandOfKey(WPARAM key, POINT &step);

// The right button's menu on the frame at a position on the screen: fit, the second frame (checked
// while it is shown), save, close. CmdNone when it closes with nothing chosen.
FrameCommand ChooseFromMenu(HWND window, LPARAM position, bool secondShown);

// Keeps both regions in setting.ini for the next start of Tessivo and of Brimlet, in one write: the
// second as [REGION2], width 0 when there is no second frame. Says where in the label, or why not
// in a message box.
void SaveRegions(HWND window, const CaptureRegion &next, const CaptureRegion &second);
