// The main window's command identifiers: its buttons and the items of its menus.
#pragma once

#include <windows.h>

enum Command : WORD {
    CmdCapture = 0,
    CmdUndo = 1,
    CmdReset = 2,
    CmdMakeLink = 3,
    CmdSelectRegion = 4,
    CmdSetReference = 10, // and up to 14: the reference menu's colours, red to purple
    CmdOpenHistory = 20,  // the record view's menu
    CmdPasteLink = 21,    // and Ctrl+V
    CmdDiscColour = 30,   // and up to 34: a move's menu, the clicked disc's colour, red to purple
    CmdDeleteMove = 35,
    CmdInsertCopy = 36,
    CmdUseSecond = 37,
    CmdClearMark = 38,
};
