#include "brimlet_texts.h"

#include "tessivo.h"

static const BrimletTexts japaneseTexts = {
    L"保存しました: ",                                               // saved:
    L"保存できませんでした",                                         // could not save
    L"エラー",                                                       // error
    L"保存\tEnter",                                                  // save
    L"閉じる\tEsc",                                                  // close
    L" - Tessivoが見つかりません",                                   // not found
    L"保存した領域はどの画面にもないため、主画面の中央に移しました", // brought to the main screen
    L"ペアに合わせる\tF",                                            // fit to the pair
    L"近くにペアが見つかりません",                                   // no pair near the frame
};

static const BrimletTexts englishTexts = {
    L"Saved: ",
    L"Could not save",
    L"Error",
    L"Save\tEnter",
    L"Close\tEsc",
    L" - Tessivo not found",
    L"The saved region lay on no screen: it was moved to the middle of the main screen",
    L"Fit to the pair\tF",
    L"No pair found near the frame",
};

const BrimletTexts *brimletTexts = &japaneseTexts;

void PickBrimletTexts(int32_t language) {
    brimletTexts = language == LanguageEnglish ? &englishTexts : &japaneseTexts;
}

std::wstring Tell(const wchar_t *text) {
    return text;
}
