#include "brimlet_texts.h"

#include "tessivo.h"
#include "wide_text.h"

static const BrimletTexts japaneseTexts = {
    932,
    "\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD: ", // "保存しました: " saved:
    "\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1" // "保存できません
    "\x82\xC5\x82\xB5\x82\xBD",                                // でした" could not save
    "\x83\x47\x83\x89\x81\x5B",                                // "エラー" error
    "\x95\xDB\x91\xB6\tEnter",                                 // "保存" save
    "\x95\xC2\x82\xB6\x82\xE9\tEsc",                           // "閉じる" close
    " - Tessivo\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1", // "が見つかりま
                                                                                 // せん" not found
};

static const BrimletTexts englishTexts = {
    CP_UTF8, "Saved: ", "Could not save", "Error", "Save\tEnter", "Close\tEsc",
    " - Tessivo not found",
};

const BrimletTexts *brimletTexts = &japaneseTexts;

void PickBrimletTexts(int32_t language) {
    brimletTexts = language == LanguageEnglish ? &englishTexts : &japaneseTexts;
}

std::wstring Tell(const char *text) {
    return WideText(text, brimletTexts->codePage);
}
