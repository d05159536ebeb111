#include "app/texts.h"

#include "app/wide_text.h"
#include "tessivo.h"

static const TessivoTexts japaneseTexts = {
    932,
    "\x83\x4C\x83\x83\x83\x76\x83\x60\x83\x83(ALT+F1)", // "キャプチャ(ALT+F1)" capture
    "1\x8E\xE8\x96\xDF\x82\xB7",                       // "1手戻す" take back one move
    "RESET",
    "URL\x90\xB6\x90\xAC",                  // "URL生成" make the URL
    "\x97\xCC\x88\xE6\x91\x49\x91\xF0",     // "領域選択" select the region
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9" // "クリップボードに
    "\x83\x52\x83\x73\x81\x5B\x82\xB5\x82\xDC\x82\xB5\x82\xBD",       // コピーしました" copied
    "\x8A\x6D\x94\x46",                     // "確認" confirmation
    "\x81\x69\x90\xE6\x93\xAA",             // "（先頭" (only the first
    "\x8E\xE8\x82\xCC\x82\xDD\x81\x6A",     // "手のみ）" moves)
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9" // "クリップボードに
    "\x83\x52\x83\x73\x81\x5B\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1" // コピーできません
    "\x82\xC5\x82\xB5\x82\xBD",                                       // でした" not copied
    "\x83\x47\x83\x89\x81\x5B",             // "エラー" error
    "[LINK] HOST \x82\xCC\x92\x6C\x81\x75", // "[LINK] HOST の値「" the value of
    "\x81\x76\x82\xCD\x83\x7A\x83\x58\x83\x67\x96\xBC\x82\xC6\x82\xB5\x82\xC4\x8E\x67\x82\xA6"
    "\x82\xDC\x82\xB9\x82\xF1\x81\x42\x91\x67\x82\xDD\x8D\x9E\x82\xDD\x82\xCC\x83\x7A\x83\x58"
    "\x83\x67\x82\xF0\x8E\x67\x82\xA2\x82\xDC\x82\xB7\x81\x42", // "」はホスト名として使えません。
                                                                // 組み込みのホストを使います。"
};

static const TessivoTexts englishTexts = {
    CP_UTF8,
    "Capture (Alt+F1)",
    "Undo",
    "RESET",
    "Link",
    "Region",
    "Copied to the clipboard",
    "Confirmation",
    " (the first ",
    " moves only)",
    "Could not copy to the clipboard",
    "Error",
    "The value \"",
    "\" of [LINK] HOST is not a plain host name (letters, digits, hyphens and dots). "
    "The built-in host is used.",
};

const TessivoTexts *texts = &japaneseTexts;

void PickTexts(int32_t language) {
    texts = language == LanguageEnglish ? &englishTexts : &japaneseTexts;
}

std::wstring Say(const char *text) {
    return WideText(text, texts->codePage);
}
