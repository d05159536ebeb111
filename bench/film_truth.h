// What truth.json beside the real films says, read with just enough JSON for it: objects,
// arrays, strings without escapes, numbers. Shared by the tools that play the films.
#pragma once

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// A JSON value: a string, a number, an array's items or an object's fields.
struct Json {
    std::string text;
    double number = 0;
    std::vector<Json> items;
    std::map<std::string, Json> fields;
    const Json &operator[](const std::string &key) const {
        static const Json none;
        auto found = fields.find(key);
        return found == fields.end() ? none : found->second;
    }
};

inline void SkipBlanks(const std::string &s, size_t &at) {
    while (at < s.size() && (s[at] == ' ' || s[at] == '\n' || s[at] == '\r' || s[at] == '\t'))
        ++at;
}

inline std::string ReadString(const std::string &s, size_t &at) {
    const size_t end = s.find('"', at + 1);
    std::string text = s.substr(at + 1, end - at - 1);
    at = end + 1;
    return text;
}

inline Json ReadJson(const std::string &s, size_t &at) {
    Json value;
    SkipBlanks(s, at);
    if (at >= s.size())
        return value;
    const char open = s[at];
    if (open == '"') {
        value.text = ReadString(s, at);
    } else if (open == '{' || open == '[') {
        ++at;
        for (SkipBlanks(s, at); at < s.size() && s[at] != '}' && s[at] != ']'; SkipBlanks(s, at)) {
            if (open == '{') {
                const std::string key = ReadString(s, at);
                SkipBlanks(s, at);
                ++at; // the colon
                value.fields[key] = ReadJson(s, at);
            } else {
                value.items.push_back(ReadJson(s, at));
            }
            SkipBlanks(s, at);
            if (at < s.size() && s[at] == ',')
                ++at;
        }
        ++at;
    } else {
        size_t used = 0;
        value.number = std::stod(s.substr(at, 32), &used);
        at += used;
    }
    return value;
}

// The truth of a folder of films; false, and a line saying why the tool skipped, when it cannot
// be read.
inline bool ReadTruth(const std::string &folder, const char *tool, Json &truth) {
    std::ifstream file(folder + "/truth.json");
    if (!file) {
        std::printf("%s: skipped: %s/truth.json cannot be read\n", tool, folder.c_str());
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    size_t at = 0;
    truth = ReadJson(text.str(), at);
    return true;
}
