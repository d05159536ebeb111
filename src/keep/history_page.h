// The history as one page beside links.txt: every game, newest first, with its date and time,
// what ended it, its moves drawn as the record view draws them, and its link. One static file
// with no script and nothing fetched, so that it opens from the folder in any browser.
#pragma once

#include <cstdint>
#include <string>

// The page, in UTF-8, of the whole text of links.txt, in LanguageJapanese or LanguageEnglish.
// A line that is not a game as Tessivo writes it, nor a link alone, is shown as it stands.
std::string HistoryPage(const std::string &history, int32_t language);
