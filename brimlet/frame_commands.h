// What the frame does, whichever key, menu item or close box asked for it.
#pragma once

#include <windows.h>

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
// frame they move. F fits the region to the pair and the second region to the second box's,
// Ctrl+Z puts back both regions of before the fit. S places a second frame by hand, for a second
// box that F cannot find (a pair half hidden behind the box's frame), or takes it away. Enter
// saves both, Escape closes. CmdNone for every other key; step is set for an arrow.
FrameCommand CommandOfKey(WPARAM key, POINT &step);

// The right button's menu on the frame at a position on the screen: fit, the second frame (checked
// while there is one), save, close. CmdNone
// when it closes with nothing chosen.
FrameCommand ChooseFromMenu(HWND window, LPARAM position);

// Runs the command on the frame; step is the move or resize of an arrow.
void RunFrameCommand(HWND window, FrameCommand command, POINT step = {});
