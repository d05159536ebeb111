#include "app/texts.h"

#include "tessivo.h"

static const TessivoTexts japaneseTexts = {
    L"キャプチャ(ALT+F1)", // capture
    L"1手戻す",            // take back one move
    L"RESET",
    L"URL生成",                        // make the URL
    L"領域選択",                       // select the region
    L"クリップボードにコピーしました", // copied
    L"確認",                           // confirmation
    L"（先頭",                         // (only the first
    L"手のみ）",                       // moves)
    L"setting.ini の [LINK] HOST にシミュレーターのホスト名を書くまで、"
    L"このリンクはどこにもつながりません。",   // leads nowhere until HOST names the simulator
    L"クリップボードにコピーできませんでした", // not copied
    L"エラー",                                 // error
    L"[LINK] HOST の値「",                     // the value of
    L"」はホスト名として使えません。組み込みのホストを使います。",
    L"record.txt は記録として読めないため、空の記録で始めます。"
    L"元のファイルは次の名前で残しました：\n", // a record.txt that is no record, put aside as
    L"記録をファイルに保存できません。メモリ上の記録で続けます：\n", // the record not kept in
    L"このフォルダーの記録は別の Tessivo が保存しています。このウィンドウの記録は保存しません。",
    {L"赤", L"緑", L"青", L"黄", L"紫"},                           // red to purple
    L"上",                                                         // upper cell
    L"下",                                                         // lower cell
    L"この枠には玉の色のピクセルがないため、参照は変わりません。", // nothing set
    L"設定を保存できませんでした：\n",                             // the settings not saved in
    L"と",                                                         // and
    L"の参照が20度以内になり、見分けにくくなりました。", // within 20 degrees, hard to tell apart
    L"手",                                               // moves
    L"履歴を開く",                                       // the record view's menu: open the history
    L"リンクを貼り付け",                                 // paste a link
    L"KEEP=1 ではないため、履歴は保存していません。",    // no history kept
    L"履歴のページはまだありません（URL生成か RESET で作られます）：\n", // no page yet
    L"履歴のページを開けませんでした：\n",                               // the page not opened
    L"クリップボードにリンクがありません：\n", // before what the clipboard holds instead
    L"（テキストなし）",                       // no text on the clipboard
    L"Brimlet を起動できませんでした：\n",     // could not start Brimlet
};

static const TessivoTexts englishTexts = {
    L"Capture (Alt+F1)",
    L"Undo",
    L"RESET",
    L"Link",
    L"Region",
    L"Copied to the clipboard",
    L"Confirmation",
    L" (the first ",
    L" moves only)",
    L"This link leads nowhere until [LINK] HOST in setting.ini names your simulator.",
    L"Could not copy to the clipboard",
    L"Error",
    L"The value \"",
    L"\" of [LINK] HOST is not a plain host name (letters, digits, hyphens and dots). "
    L"The built-in host is used.",
    L"record.txt does not hold a record, so Tessivo starts with an empty one. The file was "
    L"kept as:\n",
    L"The record cannot be kept on disk; Tessivo goes on with the record in memory:\n",
    L"Another Tessivo keeps the record of this folder; this one does not keep its record.",
    {L"Red", L"Green", L"Blue", L"Yellow", L"Purple"},
    L"Upper",
    L"Lower",
    L"The cell holds no blob-coloured pixels: no reference is set.",
    L"Could not save the settings:\n",
    L" and ",
    L" are now hard to tell apart: their references lie within 20 degrees.",
    L" moves",
    L"Open the history",
    L"Paste a link",
    L"No history is kept: KEEP=1 is not set in setting.ini.",
    L"There is no history page yet (the link button or RESET writes it):\n",
    L"Could not open the history page:\n",
    L"The clipboard holds no link:\n",
    L"(no text)",
    L"Could not start Brimlet:\n",
};

const TessivoTexts *texts = &japaneseTexts;

void PickTexts(int32_t language) {
    texts = language == LanguageEnglish ? &englishTexts : &japaneseTexts;
}

std::wstring Say(const wchar_t *text) {
    return text;
}
