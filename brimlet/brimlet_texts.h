// Every text of Brimlet, in Japanese and in English. The Japanese texts are code page
// 932 (Shift_JIS) bytes, shown through the wide functions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct BrimletTexts {
    UINT codePage; // of every text of the table
    const char *saved;
    const char *notSaved;
    const char *errorCaption;
    const char *saveItem; // the frame's menu
    const char *closeItem;
    const char *notFound; // after the region's numbers while Tessivo does not take them
};

extern const BrimletTexts *brimletTexts; // the language of the settings, picked at start

void PickBrimletTexts(int32_t language);

// A text of the table, for the wide functions.
std::wstring Tell(const char *text);
