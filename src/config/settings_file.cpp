// Reads the ten keys of "./setting.ini" through the platform's INI integer reader.
#include "settings_file.h"

#include <windows.h>

namespace {

// Relative with a directory part, so the reader takes it from the working
// directory and not from the Windows directory.
const char settingsPath[] = "./setting.ini";

const int32_t MinimumInterval = 16; // milliseconds

int32_t ReadSetting(const char *section, const char *key, int32_t fallback) {
    // The reader returns the signed value in an unsigned result: reinterpret it.
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, fallback, settingsPath));
}

} // namespace

void LoadSettings(Settings &target) {
    const Settings &d = defaultSettings;
    target.region.x = ReadSetting("REGION", "X", d.region.x);
    target.region.y = ReadSetting("REGION", "Y", d.region.y);
    target.region.width = ReadSetting("REGION", "W", d.region.width);
    target.region.height = ReadSetting("REGION", "H", d.region.height);
    target.hueRed = ReadSetting("COLOR", "RED", d.hueRed);
    target.hueGreen = ReadSetting("COLOR", "GREEN", d.hueGreen);
    target.hueBlue = ReadSetting("COLOR", "BLUE", d.hueBlue);
    target.hueYellow = ReadSetting("COLOR", "YELLOW", d.hueYellow);
    target.huePurple = ReadSetting("COLOR", "PURPLE", d.huePurple);
    target.interval = ReadSetting("SETTING", "INTERVAL", d.interval);
    if (target.interval < MinimumInterval) // signed: every negative value too
        target.interval = MinimumInterval;
}
