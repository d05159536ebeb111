// Every text of Tessivo's window and boxes, in Japanese and in English, for the wide functions
// (the source is UTF-8). A text with values is one whole sentence a language (or two, where a
// slot holds the second), its slots {1}, {2}... filled by Compose in that language's own order.
#pragma once

#include <cstdint>

struct TessivoTexts {
    const wchar_t *capture; // the five buttons
    const wchar_t *undo;
    const wchar_t *reset;
    const wchar_t *makeLink;
    const wchar_t *selectRegion;
    const wchar_t *copied;    // the export's box
    const wchar_t *copiedCut; // the same, of a link of the first {1} moves only
    const wchar_t *confirmCaption;
    const wchar_t *leadsNowhere; // after the export's notice while the host is a reserved name
    const wchar_t *copyFailed;
    const wchar_t *errorCaption;    // a box of what failed: a file not written, a link not copied
    const wchar_t *noteCaption;     // a box that tells and reports no failure
    const wchar_t *refusedHost;     // {1}: the value of [LINK] HOST that the link does not use
    const wchar_t *recordAside;     // {1}: the name a record.txt that is no record now has
    const wchar_t *notKept;         // {1}: the file that could not be written
    const wchar_t *otherKeeper;     // a second Tessivo in one folder keeps nothing
    const wchar_t *colours[5];      // the reference menu's items, red to purple
    const wchar_t *cellHues[2];     // {1}: the hue of the sample's upper cell, of its lower one
    const wchar_t *noBlob;          // a reference asked from a cell that holds no blob
    const wchar_t *notSaved;        // {1}: the settings file that could not be written
    const wchar_t *closeReferences; // {1}, {2}: two colours whose references lie within 20 degrees
    const wchar_t *moves;           // {1}: the number of moves in the record
    const wchar_t *oneMove;         // the same, of a record of one move
    const wchar_t *marked;          // {1}: the moves marked seen ahead or doubted
    const wchar_t *lastCapture;     // what the hue and class views show
    const wchar_t *openHistory;     // the record view's menu
    const wchar_t *pasteLink;
    const wchar_t *discColours[5]; // a move's menu: the clicked disc's colours, red to purple
    const wchar_t *deleteMove;
    const wchar_t *insertCopy;
    const wchar_t *useSecond; // {1}, {2}: the upper and lower colour the second box showed
    const wchar_t *clearMark;
    const wchar_t *noHistory;      // the history asked for with KEEP=0
    const wchar_t *noPage;         // {1}: the page not written yet
    const wchar_t *notOpened;      // {1}: the page that no program opened
    const wchar_t *noLink;         // {1}: the first line of what the clipboard holds instead
    const wchar_t *emptyClipboard; // named when the clipboard holds no text
    const wchar_t *noBrimlet;      // {1}: the path of a Brimlet that did not start, {2}: why
    const wchar_t *keyed;          // {1}: a button's name, {2}: its hot key
    const wchar_t *keyActions[4];  // capture, auto capture, game over, undo
    // A value of [HOTKEY] refused, {1}={2} as written: it cannot be read, the system or Tessivo
    // uses it, or the action {4} has it already; {3}: keyInstead or keyNone.
    const wchar_t *keyUnreadable;
    const wchar_t *keyReserved;
    const wchar_t *keyTaken;
    const wchar_t *keyInstead; // {1}: the key used instead
    const wchar_t *keyNone;    // the action is left without a key
    const wchar_t *keyHeld;    // {1}: a key another program holds, {2}: its action, {3}: its NAME
};

extern bool keysInCapitals; // the Japanese buttons write their keys in capitals: "(ALT+F1)"

extern const TessivoTexts *texts; // the language of the settings, picked at start

void PickTexts(int32_t language);
