// Every text of Tessivo's window and boxes, in Japanese and in English. The Japanese
// texts are code page 932 (Shift_JIS) bytes, shown through the wide functions.
#pragma once

#include <windows.h>

#include <string>

struct TessivoTexts {
    UINT codePage;       // of every text of the table
    const char *capture; // the five buttons
    const char *undo;
    const char *reset;
    const char *makeLink;
    const char *selectRegion;
    const char *copied; // the export's box
    const char *confirmCaption;
    const char *cutOpening; // before and after N of a link of the first N moves only
    const char *cutClosing;
    const char *copyFailed;
    const char *errorCaption;
    const char *hostOpening; // before and after the refused value of [LINK] HOST
    const char *hostClosing;
    const char *recordAside; // before the name a record.txt that is no record now has
    const char *notKept;     // before the file that could not be written
    const char *otherKeeper; // a second Tessivo in one folder keeps nothing
    const char *colours[5];  // the reference menu's items, red to purple
    const char *upperHue;    // beside the hue of the sample's upper and lower cell
    const char *lowerHue;
    const char *noBlob;       // a reference asked from a cell without blob-coloured pixels
    const char *notSaved;     // before the settings file that could not be written
    const char *closeJoin;    // colour, closeJoin, colour, closeClosing: two references
    const char *closeClosing; // that lie within 20 degrees
    const char *moves;        // after the number of moves in the record
};

extern const TessivoTexts *texts; // the language of the settings, picked at start

void PickTexts(int32_t language);

// A text of the table, for the wide functions.
std::wstring Say(const char *text);
