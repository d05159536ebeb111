#include "app/texts.h"

#include "tessivo.h"

static const TessivoTexts japaneseTexts = {
    L"キャプチャ", // capture
    L"1手戻す",    // take back one move
    L"RESET",
    L"URL生成",                                         // make the URL
    L"領域選択",                                        // select the region
    L"クリップボードにコピーしました",                  // copied
    L"クリップボードにコピーしました（先頭{1}手のみ）", // (only the first {1} moves)
    L"URL生成",                                         // the export's box: its button
    L"setting.ini の [LINK] HOST にシミュレーターのホスト名を書くまで、"
    L"このリンクはどこにもつながりません。",   // leads nowhere until HOST names the simulator
    L"クリップボードにコピーできませんでした", // not copied
    L"エラー",                                 // error
    L"注意",                                   // note
    L"[LINK] HOST の値「{1}」はホスト名として使えません。組み込みのホストを使います。",
    L"record.txt は記録として読めないため、空の記録で始めます。"
    L"元のファイルは次の名前で残しました：\n{1}", // a record.txt that is no record, put aside as
    L"記録をこのファイルに保存できません。メモリ上の記録だけで続けます：\n{1}", // the record not kept in
    L"このフォルダーの記録は別の Tessivo が保存しています。このウィンドウの記録は保存しません。",
    {L"赤", L"緑", L"青", L"黄", L"紫"},                           // red to purple
    {L"上 {1}", L"下 {1}"},                                        // upper cell, lower cell
    L"このセルには玉がありません（半分以上を占める色がないか、盤面だけです）。参照は変わりません。", // nothing set
    L"設定を保存できませんでした：\n{1}",                          // the settings not saved in
    L"{1}と{2}の参照が20度以内になり、見分けにくくなりました。", // within 20 degrees: hard to tell
    L"{1}手",                                                    // moves
    L"{1}手",                                                    // one move
    L"印つき{1}手",                                              // marked
    L"中と右：前回のキャプチャ",                                 // middle, right: last capture
    L"履歴を開く",                                    // the record view's menu: open the history
    L"リンクを貼り付け",                              // paste a link
    {L"赤(&R)", L"緑(&G)", L"青(&B)", L"黄(&Y)", L"紫(&P)"}, // a move's menu: the disc's colour
    L"この手を削除(&D)",                                   // delete this move
    L"この手の前に同じペアを挿入(&I)",                     // insert a copy before
    L"2つ目の箱のペア（上{1}・下{2}）にする(&S)",          // the second box's pair
    L"印を消す(&C)",                                       // clear the mark
    L"KEEP=1 ではないため、履歴は保存していません。", // no history kept
    L"履歴のページはまだありません（空でない記録の URL生成・RESET・ゲーム終了・リンクの貼り付けで"
    L"作られます）：\n{1}", // no page yet
    L"履歴のページを開けませんでした：\n{1}",                               // the page not opened
    L"クリップボードにリンクがありません：\n{1}",  // what the clipboard holds instead
    L"（テキストなし）",                           // no text on the clipboard
    L"Brimlet を起動できませんでした：\n{1}\n{2}", // could not start Brimlet
    L"{1}({2})",
    {L"キャプチャ", L"自動キャプチャ", L"ゲーム終了", L"1手戻す"},
    L"[HOTKEY] {1}={2}：キーの組み合わせとして読めません"
    L"（1つだけのキーは F1～F24 か Pause）。{3}",                 // not a key combination
    L"[HOTKEY] {1}={2}：システムか Tessivo が使うキーです。{3}", // the system's or Tessivo's
    L"[HOTKEY] {1}={2}：{4} と同じキーです。{3}",                // the same key as
    L"代わりに {1} を使います。",                                // is used instead
    L"この操作にはホットキーがありません。",                     // no hot key for this action
    L"{1}（{2}）は他のプログラムが使っています。setting.ini の [HOTKEY] {3} "
    L"で別のキーにできます。", // held by another program; [HOTKEY] gives it another key
};

static const TessivoTexts englishTexts = {
    L"Capture",
    L"Undo",
    L"RESET",
    L"Link",
    L"Region",
    L"Copied to the clipboard",
    L"Copied to the clipboard (the first {1} moves only)",
    L"Link",
    L"This link leads nowhere until [LINK] HOST in setting.ini names your simulator.",
    L"Could not copy to the clipboard",
    L"Error",
    L"Note",
    L"The value \"{1}\" of [LINK] HOST is not a plain host name (letters, digits, hyphens and "
    L"dots). The built-in host is used.",
    L"record.txt does not hold a record, so Tessivo starts with an empty one. The file was "
    L"kept as:\n{1}",
    L"The record cannot be written to this file; Tessivo goes on with it in memory only:\n{1}",
    L"Another Tessivo keeps the record of this folder; this one does not keep its record.",
    {L"Red", L"Green", L"Blue", L"Yellow", L"Purple"},
    {L"Upper {1}", L"Lower {1}"},
    L"No blob in the cell (no colour fills half of it, or it shows the board alone): no reference is set.",
    L"Could not save the settings:\n{1}",
    L"{1} and {2} are now hard to tell apart: their references lie within 20 degrees.",
    L"{1} moves",
    L"{1} move",
    L"{1} marked",
    L"Middle, right: last capture",
    L"Open the history",
    L"Paste a link",
    {L"&Red", L"&Green", L"&Blue", L"&Yellow", L"&Purple"},
    L"&Delete this move",
    L"&Insert a copy before",
    L"Use the &second box's pair ({1} over {2})",
    L"&Clear the mark",
    L"No history is kept: KEEP=1 is not set in setting.ini.",
    L"There is no history page yet (the link button, RESET, game over or a pasted link writes it, "
    L"once the record is not empty):\n{1}",
    L"Could not open the history page:\n{1}",
    L"The clipboard holds no link:\n{1}",
    L"(no text)",
    L"Could not start Brimlet:\n{1}\n{2}",
    L"{1} ({2})",
    {L"capture", L"auto capture", L"game over", L"undo"},
    L"[HOTKEY] {1}={2}: not a key combination Tessivo reads (a key alone must be F1 to F24 or "
    L"Pause). {3}",
    L"[HOTKEY] {1}={2}: a key the system or Tessivo itself uses. {3}",
    L"[HOTKEY] {1}={2}: {4} has this key already. {3}",
    L"{1} is used instead.",
    L"This action has no hot key.",
    L"{1} ({2}) is held by another program: [HOTKEY] {3} in setting.ini gives it another key.",
};

const TessivoTexts *texts = &japaneseTexts;
bool keysInCapitals = true;

void PickTexts(int32_t language) {
    texts = language == LanguageEnglish ? &englishTexts : &japaneseTexts;
    keysInCapitals = texts == &japaneseTexts;
}
