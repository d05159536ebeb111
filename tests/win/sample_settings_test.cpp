// The commented sample settings file of the download: every key is written out
// with its default, and the comments disturb none of them.
#include <gtest/gtest.h>

#include <string>

#include "win_test_support.h"

TEST(SampleSettings, GivesEveryDefault) {
    std::string folder = MakeTempFolder("sample_settings");
    ASSERT_TRUE(
        CopyFileA(TESSIVO_SOURCE_DIR "/dist/setting.ini", (folder + "setting.ini").c_str(), FALSE));
    ExpectSettings(LoadSettingsIn(folder), defaultSettings);

    // The values above could also be the defaults of missing keys: each key must
    // stand in the file itself.
    std::string keys[] = {"X=0",       "Y=0",      "W=50",      "H=100",      "RED=0",
                          "GREEN=144", "BLUE=216", "YELLOW=72", "PURPLE=288", "INTERVAL=24"};
    for (const std::string &key : keys) {
        char line[64];
        std::string section = key == "INTERVAL=24" ? "SETTING"
                              : key.find("=") <= 1 ? "REGION"
                                                   : "COLOR";
        std::string name = key.substr(0, key.find('='));
        GetPrivateProfileStringA(section.c_str(), name.c_str(), "(missing)", line, sizeof line,
                                 TESSIVO_SOURCE_DIR "/dist/setting.ini");
        EXPECT_EQ(name + "=" + line, key) << "in [" << section << "]";
    }
}
