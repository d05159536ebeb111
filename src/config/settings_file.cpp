// Reads the keys of "./setting.ini" through the platform's INI integer reader.
#include "settings_file.h"

#include <windows.h>

#include "config/section_keys.h"
#include "durable_file.h"

const char *const referenceKeys[5] = {"RED", "GREEN", "BLUE", "YELLOW", "PURPLE"};

namespace {

// Relative with a directory part, so the reader takes it from the working
// directory and not from the Windows directory.
const char settingsPath[] = "./setting.ini";
const wchar_t wideSettingsPath[] = L"./setting.ini";

const int32_t MinimumInterval = 16;    // milliseconds
const int32_t MinimumSettleTicks = 2;  // one tick alone is not settled
const int32_t MaximumSettleTicks = 50; // 1.2 s at the default interval: a pair of fast play
                                       // stays a third of a second, and a larger value would
                                       // only ever miss pairs

int32_t ReadSetting(const char *section, const char *key, int32_t fallback) {
    // The reader returns the signed value in an unsigned result: reinterpret it.
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, fallback, settingsPath));
}

// A text value, false when the key is missing. A value too long for the buffer comes
// cut, and is then no host name anyway.
bool ReadSettingText(const wchar_t *section, const wchar_t *key, std::wstring &value) {
    const wchar_t missing[] = L"\x1\x2"; // no line of an INI file holds this
    wchar_t buffer[512];
    GetPrivateProfileStringW(section, key, missing, buffer, 512, wideSettingsPath);
    value = buffer;
    return value != missing;
}

// The language the player's Windows speaks: Japanese, or English for any other.
int32_t SystemLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? LanguageJapanese
                                                                      : LanguageEnglish;
}

} // namespace

void LoadSettings(Settings &target) {
    const Settings &d = defaultSettings;
    target.region.x = ReadSetting("REGION", "X", d.region.x);
    target.region.y = ReadSetting("REGION", "Y", d.region.y);
    target.region.width = ReadSetting("REGION", "W", d.region.width);
    target.region.height = ReadSetting("REGION", "H", d.region.height);
    target.secondRegion.x = ReadSetting("REGION2", "X", d.secondRegion.x);
    target.secondRegion.y = ReadSetting("REGION2", "Y", d.secondRegion.y);
    target.secondRegion.width = ReadSetting("REGION2", "W", d.secondRegion.width);
    target.secondRegion.height = ReadSetting("REGION2", "H", d.secondRegion.height);
    for (size_t i = 0; i < target.hues.size(); ++i)
        target.hues[i] = ReadSetting("COLOR", referenceKeys[i], d.hues[i]);
    target.interval = ReadSetting("SETTING", "INTERVAL", d.interval);
    if (target.interval < MinimumInterval) // signed: every negative value too
        target.interval = MinimumInterval;
    target.autoCapture = ReadSetting("SETTING", "AUTO", d.autoCapture) != 0;
    target.settleTicks = ReadSetting("SETTING", "SETTLE", d.settleTicks);
    if (target.settleTicks < MinimumSettleTicks)
        target.settleTicks = MinimumSettleTicks;
    if (target.settleTicks > MaximumSettleTicks)
        target.settleTicks = MaximumSettleTicks;
    target.keepRecord = ReadSetting("SETTING", "KEEP", d.keepRecord) != 0;
    std::wstring language;
    if (!ReadSettingText(L"SETTING", L"LANGUAGE", language) || language.empty())
        target.language = SystemLanguage();
    else
        target.language =
            lstrcmpiW(language.c_str(), L"EN") == 0 ? LanguageEnglish : LanguageJapanese;
    target.hostGiven = ReadSettingText(L"LINK", L"HOST", target.simulatorHost);
}

HotKeys LoadHotKeys() {
    std::wstring values[HotKeyCount];
    for (int action = 0; action < HotKeyCount; ++action)
        if (!ReadSettingText(L"HOTKEY", hotKeyNames[action], values[action]))
            values[action] = KeyCombinationText(defaultHotKeys[action]);
    return SettleHotKeys(values);
}

// A settings file larger than this is no settings file, and is not rewritten.
const size_t MaxSettingsFileSize = 16 << 20;

bool SaveSettings(const std::vector<SettingSection> &sections, std::wstring &where) {
    if (!FindFullPath(wideSettingsPath, where))
        return false;
    std::string text;
    if (!ReadWholeFile(where, MaxSettingsFileSize, text) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    for (const SettingSection &section : sections)
        text = WithSectionKeys(text, section.name, section.keys);
    return WriteFileDurably(where, text);
}

// The region's four keys.
static std::vector<SettingKey> RegionKeys(const CaptureRegion &region) {
    return {{"X", std::to_string(region.x)},
            {"Y", std::to_string(region.y)},
            {"W", std::to_string(region.width)},
            {"H", std::to_string(region.height)}};
}

bool SaveRegion(const CaptureRegion &region, std::wstring &where, const CaptureRegion *second) {
    std::vector<SettingSection> sections = {{"REGION", RegionKeys(region)}};
    if (second)
        sections.push_back({"REGION2", RegionKeys(*second)});
    return SaveSettings(sections, where);
}
