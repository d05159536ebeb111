// Every text of Brimlet, in Japanese and in English, for the wide functions (the source is
// UTF-8). A sentence with a value in it marks its place with {1}, for Compose().
#pragma once

#include <cstdint>

struct BrimletTexts {
    const wchar_t *saved;    // the file the region was saved in
    const wchar_t *notSaved; // the file it could not be saved in
    const wchar_t *errorCaption;
    const wchar_t *saveItem; // the frame's menu
    const wchar_t *closeItem;
    const wchar_t *notFound;    // the region's numbers while Tessivo does not take them
    const wchar_t *brought;     // the saved region lay on no monitor: moved onto the main one
    const wchar_t *fitItem;     // the frame's menu: fit the region to the pair
    const wchar_t *noPair;      // F found no pair near the frame
    const wchar_t *secondTitle; // the second frame's tab: the game's second box
    const wchar_t *noSecond;    // F fitted the next box and found no smaller pair near it
    const wchar_t *twoSeconds;  // F fitted the next box; two smaller pairs lay about as near
    const wchar_t *secondItem;  // the frame's menu: a second frame placed by hand, or taken away
};

extern const BrimletTexts *brimletTexts; // the language of the settings, picked at start

void PickBrimletTexts(int32_t language);
