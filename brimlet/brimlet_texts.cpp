#include "brimlet_texts.h"

#include "tessivo.h"

static const BrimletTexts japaneseTexts = {
    L"保存しました: {1}",                                            // saved: the file
    L"保存できませんでした\n{1}",                                    // could not save the file
    L"エラー",                                                       // error
    L"保存\tEnter",                                                  // save
    L"閉じる\tEsc",                                                  // close
    L"{1} - Tessivoが見つかりません",                                // the region: not found
    L"保存した領域はどの画面にもないため、主画面の中央に移しました", // brought to the main screen
    L"ペアに合わせる\tF",                                            // fit to the pair
    L"近くにペアが見つかりません",                                   // no pair near the frame
    L"2つ目の箱",                                                    // the second box
    L"ネクスト欄に合わせました。近くにそれより小さなペアがないため、2つ目の枠は置いていません。",
    L"ネクスト欄に合わせました。小さなペアが同じくらい近くに2つあるため、"
    L"2つ目の枠は置いていません。",
    L"2つ目の枠\tS", // the second frame, by hand
};

static const BrimletTexts englishTexts = {
    L"Saved: {1}",
    L"Could not save\n{1}",
    L"Error",
    L"Save\tEnter",
    L"Close\tEsc",
    L"{1} - Tessivo not found",
    L"The saved region lay on no screen: it was moved to the middle of the main screen",
    L"Fit to the pair\tF",
    L"No pair found near the frame",
    L"Second box",
    L"Fitted to the next box. No smaller pair lies near it, so no second frame was placed.",
    L"Fitted to the next box. Two smaller pairs lie at nearly the same distance, so no second "
    L"frame was placed.",
    L"Second frame\tS",
};

const BrimletTexts *brimletTexts = &japaneseTexts;

void PickBrimletTexts(int32_t language) {
    brimletTexts = language == LanguageEnglish ? &englishTexts : &japaneseTexts;
}
