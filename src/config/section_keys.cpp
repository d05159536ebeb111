// Sets keys of a settings file's text without disturbing the rest of it: the comments,
// blank lines, spacing and other keys that a person wrote stay.
#include "config/section_keys.h"

#include <algorithm>

#include "config/setting_names.h"

namespace {

// Whether a line opens a section ("[name]", spaces allowed, the name possibly empty), and
// the name it opens.
bool OpensSection(const std::string &line, std::string &name) {
    std::string trimmed = Trimmed(line);
    size_t close = trimmed.rfind(']'); // the last, as the platform reads "[REGION] ; [x]"
    if (trimmed.empty() || trimmed[0] != '[' || close == std::string::npos)
        return false;
    name = Trimmed(trimmed.substr(1, close - 1));
    return true;
}

// The end of the line that begins at start: after its CR LF, LF or lone CR.
size_t LineEnd(const std::string &text, size_t start) {
    size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    if (end < text.size())
        end += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    return end;
}

// A key's line with its new value: "=" and the value after a key alone; otherwise the value
// replaces the old one where it began, and spacing and a comment after it stay.
std::string WithValue(const std::string &content, size_t equals, const std::string &value) {
    if (equals == std::string::npos)
        return content + "=" + value;
    size_t start = std::min(content.find_first_not_of(" \t", equals + 1), content.size());
    size_t end = content.size();
    for (size_t i = start; i < content.size() && end == content.size(); ++i)
        if (content[i] == ';' && (i == start || content[i - 1] == ' ' || content[i - 1] == '\t'))
            end = content.find_last_not_of(" \t", i - 1) + 1; // "=" at least stands before
    start = std::min(start, end);
    // A comment right after "=" is parted from the value by a space, or the next save would
    // take it for part of the value.
    const char *space = content.compare(end, 1, ";") == 0 ? " " : "";
    return content.substr(0, start) + value + space + content.substr(end);
}

} // namespace

std::string WithSectionKeys(const std::string &text, const char *section,
                            const std::vector<SettingKey> &keys) {
    const size_t bom = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string result = text.substr(0, bom), ending; // of the section's last line
    std::vector<bool> written(keys.size());
    bool inSection = false, sectionSeen = false;
    size_t sectionEnd = 0; // in the result, after the last line of the section that is not blank
    for (size_t start = bom; start < text.size();) {
        size_t end = LineEnd(text, start);
        std::string line = text.substr(start, end - start);
        start = end;
        std::string content = line.substr(0, line.find_last_not_of("\r\n") + 1), name;
        const std::string lineEnding = line.substr(content.size());
        if (OpensSection(content, name)) {
            inSection = !sectionSeen && SameName(name, section);
            sectionSeen = sectionSeen || inSection;
        }
        size_t equals = content.find('=');
        std::string key = Trimmed(content.substr(0, equals));
        for (size_t k = 0; inSection && k < keys.size(); ++k) {
            if (written[k] || !SameName(key, keys[k].name))
                continue;
            line = WithValue(content, equals, keys[k].value) + lineEnding;
            written[k] = true;
        }
        result += line;
        if (inSection && !Trimmed(content).empty()) {
            sectionEnd = result.size();
            ending = lineEnding;
        }
    }
    // Added keys end as the section's last line: an ending of another kind could join the
    // next line's (a lone CR before an LF). After a last line without one, as the text's first.
    const size_t first = text.find_first_of("\r\n", bom);
    const std::string newline = !ending.empty()                       ? ending
                                : first == std::string::npos          ? "\r\n"
                                : text.compare(first, 2, "\r\n") == 0 ? "\r\n"
                                                                      : text.substr(first, 1);
    std::string missing;
    for (size_t k = 0; k < keys.size(); ++k)
        if (!written[k])
            missing += keys[k].name + std::string("=") + keys[k].value + newline;
    if (!sectionSeen) {
        sectionEnd = result.size();
        missing = "[" + std::string(section) + "]" + newline + missing;
    }
    if (!missing.empty() && sectionEnd > bom && result[sectionEnd - 1] != '\n' &&
        result[sectionEnd - 1] != '\r')
        missing = newline + missing; // the line before had no ending: the text's last line
    return result.insert(sectionEnd, missing);
}
