// Sets the region's keys in a settings file's text without disturbing the rest of it:
// the comments, blank lines, spacing and other keys that a person wrote stay.
#include "config/region_keys.h"

#include <algorithm>
#include <cctype>

namespace {

const char *const regionKeyNames[4] = {"X", "Y", "W", "H"};

std::string Trimmed(const std::string &text) {
    size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

bool SameName(const std::string &a, const std::string &b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper((unsigned char)a[i]) != std::toupper((unsigned char)b[i]))
            return false;
    return true;
}

// The section a line opens ("[name]", spaces allowed), or "" for any other line.
std::string SectionOf(const std::string &line) {
    std::string trimmed = Trimmed(line);
    if (trimmed.size() < 2 || trimmed[0] != '[')
        return "";
    size_t close = trimmed.find(']');
    return close == std::string::npos ? "" : Trimmed(trimmed.substr(1, close - 1));
}

} // namespace

std::string WithRegionKeys(const std::string &text, const CaptureRegion &region) {
    const int32_t values[4] = {region.x, region.y, region.width, region.height};
    const std::string newline = text.find("\r\n") != std::string::npos ? "\r\n"
                                : text.find('\n') != std::string::npos ? "\n"
                                                                       : "\r\n";
    std::string result;
    bool written[4] = {}, inRegion = false, regionSeen = false;
    size_t regionEnd = 0; // in the result, after the last line of the section that is not blank
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
        std::string line = text.substr(start, end - start);
        start = end;
        std::string content = line.substr(0, line.find_last_not_of("\r\n") + 1);
        std::string section = SectionOf(content);
        if (!section.empty()) {
            inRegion = !regionSeen && SameName(section, "REGION");
            regionSeen = regionSeen || inRegion;
        }
        size_t equals = content.find('=');
        std::string key = Trimmed(content.substr(0, equals));
        for (int k = 0; inRegion && equals != std::string::npos && k < 4; ++k) {
            if (written[k] || !SameName(key, regionKeyNames[k]))
                continue;
            // The value goes where the old one began; spacing after "=" stays.
            size_t value = std::min(content.find_first_not_of(" \t", equals + 1), content.size());
            line =
                content.substr(0, value) + std::to_string(values[k]) + line.substr(content.size());
            written[k] = true;
        }
        result += line;
        if (inRegion && !Trimmed(content).empty())
            regionEnd = result.size();
    }
    std::string missing;
    for (int k = 0; k < 4; ++k)
        if (!written[k])
            missing += regionKeyNames[k] + std::string("=") + std::to_string(values[k]) + newline;
    if (!regionSeen) {
        regionEnd = result.size();
        missing = "[REGION]" + newline + missing;
    }
    if (!missing.empty() && regionEnd > 0 && result[regionEnd - 1] != '\n')
        missing = newline + missing; // the line before had no ending: the text's last line
    return result.insert(regionEnd, missing);
}
