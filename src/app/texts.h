// Every text of Tessivo's window and boxes, in Japanese and in English, for the wide functions
// (the source is UTF-8).
#pragma once

#include <cstdint>
#include <string>

struct TessivoTexts {
    const wchar_t *capture; // the five buttons
    const wchar_t *undo;
    const wchar_t *reset;
    const wchar_t *makeLink;
    const wchar_t *selectRegion;
    const wchar_t *copied; // the export's box
    const wchar_t *confirmCaption;
    const wchar_t *cutOpening; // before and after N of a link of the first N moves only
    const wchar_t *cutClosing;
    const wchar_t *leadsNowhere; // after the export's notice while the host is a reserved name
    const wchar_t *copyFailed;
    const wchar_t *errorCaption;
    const wchar_t *hostOpening; // before and after the refused value of [LINK] HOST
    const wchar_t *hostClosing;
    const wchar_t *recordAside; // before the name a record.txt that is no record now has
    const wchar_t *notKept;     // before the file that could not be written
    const wchar_t *otherKeeper; // a second Tessivo in one folder keeps nothing
    const wchar_t *colours[5];  // the reference menu's items, red to purple
    const wchar_t *upperHue;    // beside the hue of the sample's upper and lower cell
    const wchar_t *lowerHue;
    const wchar_t *noBlob;       // a reference asked from a cell without blob-coloured pixels
    const wchar_t *notSaved;     // before the settings file that could not be written
    const wchar_t *closeJoin;    // colour, closeJoin, colour, closeClosing: two references
    const wchar_t *closeClosing; // that lie within 20 degrees
    const wchar_t *moves;        // after the number of moves in the record
    const wchar_t *openHistory;  // the record view's menu
    const wchar_t *pasteLink;
    const wchar_t *noHistory;      // the history asked for with KEEP=0
    const wchar_t *noPage;         // before the page not written yet
    const wchar_t *notOpened;      // before the page that no program opened
    const wchar_t *noLink;         // before the first line of what the clipboard holds instead
    const wchar_t *emptyClipboard; // named when the clipboard holds no text
    const wchar_t *noBrimlet;      // before the path of a Brimlet that did not start, and why
};

extern const TessivoTexts *texts; // the language of the settings, picked at start

void PickTexts(int32_t language);

// A text of the table, as a string to join to others.
std::wstring Say(const wchar_t *text);
