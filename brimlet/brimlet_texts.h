// Every text of Brimlet, in Japanese and in English, for the wide functions (the source is
// UTF-8).
#pragma once

#include <cstdint>
#include <string>

struct BrimletTexts {
    const wchar_t *saved;
    const wchar_t *notSaved;
    const wchar_t *errorCaption;
    const wchar_t *saveItem; // the frame's menu
    const wchar_t *closeItem;
    const wchar_t *notFound; // after the region's numbers while Tessivo does not take them
    const wchar_t *brought;  // the saved region lay on no monitor: moved onto the main one
    const wchar_t *fitItem;  // the frame's menu: fit the region to the pair
    const wchar_t *noPair;   // F found no pair near the frame
};

extern const BrimletTexts *brimletTexts; // the language of the settings, picked at start

void PickBrimletTexts(int32_t language);

// A text of the table, as a string to join to others.
std::wstring Tell(const wchar_t *text);
