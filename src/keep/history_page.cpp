#include "keep/history_page.h"

#include <algorithm>
#include <vector>

#include "record/link_text.h"
#include "record/pasted_link.h"
#include "tessivo.h"

namespace {

struct PageTexts {
    const char *language; // of the html element
    const char *title;
    const char *noGames;
    const char *exported; // what ended a game: the link button or RESET
    const char *reset;
    const char *moves; // after the number of moves, and after 1
    const char *oneMove;
};

const PageTexts pageTexts[2] = {
    {"ja", "Tessivo \xE3\x81\xAE\xE5\xB1\xA5\xE6\xAD\xB4", // "Tessivo の履歴"
     "\xE3\x81\xBE\xE3\x81\xA0\xE8\xA8\x98\xE9\x8C\xB2\xE3\x81\xAF\xE3\x81\x82\xE3\x82\x8A\xE3\x81"
     "\xBE\xE3\x81\x9B\xE3\x82\x93\xE3\x80\x82", // "まだ記録はありません。" no games yet
     "URL\xE7\x94\x9F\xE6\x88\x90", "RESET",     // "URL生成" the link button
     "\xE6\x89\x8B", "\xE6\x89\x8B"},            // "手" moves
    {"en", "Tessivo history", "No games yet.", "Link", "RESET", " moves", " move"},
};

// The record view's disc colours, red to purple; the letters name them in the page.
const char discLetters[] = "rgbyp";
const char discStyles[] = ".r{background:#ff0000}.g{background:#00ff00}.b{background:#0000ff}"
                          ".y{background:#ffff00}.p{background:#c800c8}";

// Discs of 20 pixels with a black rim, a pair's upper over its lower, wrapping on the grey of
// the record view; a link as long as the record breaks anywhere on a phone's width. A game out
// of sight is laid out only when scrolled to: a long history shows in a third of the time.
const char pageStyle[] =
    "body{max-width:60em;margin:0 auto;padding:8px;font:16px sans-serif;background:#eee}"
    "h1{font-size:20px}h2{font-size:16px;margin:0 0 6px}"
    "section{content-visibility:auto;contain-intrinsic-size:auto 300px}"
    "section,pre{background:#fff;margin:0 0 12px;padding:8px;border-radius:6px}"
    "p{display:flex;flex-wrap:wrap;min-height:8px;margin:0 0 6px;padding:4px;background:#888}"
    "i{display:flex;flex-direction:column}"
    "b{width:20px;height:20px;box-sizing:border-box;border:1px solid #000;border-radius:50%}"
    "u{text-decoration:none;font:bold 14px monospace;text-align:center;color:#000;background:#fff}"
    "s{width:10px;height:10px;margin:0 5px;border:1px solid #000;border-radius:50%}"
    "a,pre{word-break:break-all;white-space:pre-wrap}";

void Escape(std::string &page, const std::string &text) {
    for (char c : text)
        switch (c) {
        case '&':
            page += "&amp;";
            break;
        case '<':
            page += "&lt;";
            break;
        case '>':
            page += "&gt;";
            break;
        case '"':
            page += "&quot;";
            break;
        case '\'':
            page += "&#39;";
            break;
        default:
            page += c;
        }
}

std::vector<std::string> Fields(const std::string &line) {
    std::vector<std::string> fields;
    for (size_t start = 0, tab;; start = tab + 1) {
        tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
    }
}

// A game as KeepHistoryLine writes it, its number of moves that of its link, its marks on the
// link's own codes; or a link alone.
bool AddGame(std::string &page, const std::string &line, const PageTexts &texts) {
    std::vector<std::string> fields = Fields(line);
    const std::string &link = fields[std::min<size_t>(fields.size() - 1, 3)];
    MoveRecord record, marked;
    if ((fields.size() != 1 && fields.size() != 4 && fields.size() != 5) ||
        !ReadPastedLink(std::wstring(link.begin(), link.end()), record))
        return false;
    if (fields.size() == 5 &&
        (!ReadLinkCodes(fields[4], marked, true) || LinkCodes(marked) != LinkCodes(record)))
        return false;
    if (fields.size() == 5)
        record.swap(marked);
    const std::string moves = std::to_string(record.size());
    if (fields.size() >= 4 &&
        ((fields[1] != "export" && fields[1] != "reset") || fields[2] != moves))
        return false;
    page += "<section><h2>";
    if (fields.size() >= 4) {
        Escape(page, fields[0]);
        page += std::string(" \xC2\xB7 ") + (fields[1] == "reset" ? texts.reset : texts.exported) +
                " \xC2\xB7 "; // "·" between the parts
    }
    page += moves + (record.size() == 1 ? texts.oneMove : texts.moves) + "</h2><p>";
    for (const RecordedMove &move : record) {
        page += "<i><b class=";
        page += discLetters[move.upper - 1];
        page += "></b><b class=";
        page += discLetters[move.lower - 1];
        page += "></b>";
        if (move.mark == MarkSeenAhead)
            page += "<u>+</u>";
        if (move.mark == MarkDoubt) // and the pair the second box showed, small
            page += std::string("<u>?</u><s class=") + discLetters[move.second.upper - 1] +
                    "></s><s class=" + discLetters[move.second.lower - 1] + "></s>";
        page += "</i>";
    }
    const size_t start = link.find_first_not_of(" \r\n"), end = link.find_last_not_of(" \r\n");
    const std::string target = link.substr(start, end + 1 - start);
    page += "</p><a href=\"";
    Escape(page, target);
    page += "\">";
    Escape(page, target);
    page += "</a></section>\n";
    return true;
}

} // namespace

std::string HistoryPage(const std::string &history, int32_t language) {
    const PageTexts &texts = pageTexts[language == LanguageEnglish];
    std::string page = std::string("<!DOCTYPE html>\n<html lang=\"") + texts.language +
                       "\">\n<head>\n<meta charset=\"utf-8\">\n<meta name=\"viewport\" "
                       "content=\"width=device-width, initial-scale=1\">\n<title>" +
                       texts.title + "</title>\n<style>" + pageStyle + discStyles +
                       "</style>\n</head>\n<body>\n<h1>" + texts.title + "</h1>\n";
    // A move's code of 2 characters becomes 36 of discs, and a game's line of about 220 a
    // heading and a link twice: room for all at once, the page never moved as it grows.
    page.reserve(history.size() * 24);
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < history.size(); start = end + 1) {
        end = std::min(history.find('\n', start), history.size());
        lines.push_back(history.substr(start, end - start));
    }
    bool shown = false;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) { // newest first
        if (!line->empty() && line->back() == '\r')
            line->pop_back();
        if (line->find_first_not_of(" \t") == std::string::npos)
            continue; // a blank line holds nothing to show
        shown = true;
        if (AddGame(page, *line, texts))
            continue;
        page += "<pre>";
        Escape(page, *line);
        page += "</pre>\n";
    }
    if (!shown)
        page += std::string("<div>") + texts.noGames + "</div>\n";
    page += "</body>\n</html>\n";
    return page;
}
