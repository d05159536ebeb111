// Reading "./setting.ini" through the platform's INI reader: one table of files,
// each read from a working directory of its own.
#include <gtest/gtest.h>

#include <string>

#include "config/settings_file.h"
#include "tessivo.h"
#include "win_test_support.h"

namespace {

Settings WithInterval(int32_t interval) {
    Settings expected = defaultSettings;
    expected.interval = interval;
    return expected;
}

struct SettingsRow {
    const char *name;
    const char *file; // nullptr: no file at all
    Settings expected;
};

TEST(LoadSettings, FilesGiveSettings) {
    const SettingsRow rows[] = {
        {"no file gives the defaults", nullptr, defaultSettings},
        {"empty file gives the defaults", "", defaultSettings},
        {"every key",
         "[REGION]\r\nX=11\r\nY=22\r\nW=33\r\nH=44\r\n"
         "[COLOR]\r\nRED=5\r\nGREEN=150\r\nBLUE=220\r\nYELLOW=70\r\nPURPLE=290\r\n"
         "[SETTING]\r\nINTERVAL=40\r\n",
         {{11, 22, 33, 44}, 5, 150, 220, 70, 290, 40}},
        {"sections in another order, LF line ends",
         "[SETTING]\nINTERVAL=100\n[COLOR]\nPURPLE=300\n[REGION]\nH=7\n",
         {{0, 0, 50, 7}, 0, 144, 216, 72, 300, 100}},
        {"lower-case section and key",
         "[region]\r\nx=7\r\n",
         {{7, 0, 50, 100}, 0, 144, 216, 72, 288, 24}},
        {"mixed case",
         "[Color]\r\nYellow=80\r\n[setting]\r\ninterval=30\r\n",
         {{0, 0, 50, 100}, 0, 144, 216, 80, 288, 30}},
        {"INTERVAL 10", "[SETTING]\r\nINTERVAL=10\r\n", WithInterval(16)},
        {"INTERVAL 15", "[SETTING]\r\nINTERVAL=15\r\n", WithInterval(16)},
        {"INTERVAL 16", "[SETTING]\r\nINTERVAL=16\r\n", WithInterval(16)},
        {"INTERVAL 17", "[SETTING]\r\nINTERVAL=17\r\n", WithInterval(17)},
        {"INTERVAL 0", "[SETTING]\r\nINTERVAL=0\r\n", WithInterval(16)},
        {"INTERVAL -5", "[SETTING]\r\nINTERVAL=-5\r\n", WithInterval(16)},
        {"INTERVAL far negative", "[SETTING]\r\nINTERVAL=-2000000000\r\n", WithInterval(16)},
        {"INTERVAL text gives 0 and so 16", "[SETTING]\r\nINTERVAL=fast\r\n", WithInterval(16)},
        {"INTERVAL 42abc gives 42", "[SETTING]\r\nINTERVAL=42abc\r\n", WithInterval(42)},
        {"INTERVAL has no upper bound", "[SETTING]\r\nINTERVAL=600000\r\n", WithInterval(600000)},
        {"W -50 and GREEN 400 stored as read",
         "[REGION]\r\nW=-50\r\n[COLOR]\r\nGREEN=400\r\n",
         {{0, 0, -50, 100}, 0, 400, 216, 72, 288, 24}},
        {"negative position",
         "[REGION]\r\nX=-1920\r\nY=-3\r\n",
         {{-1920, -3, 50, 100}, 0, 144, 216, 72, 288, 24}},
        {"text in a region key gives 0",
         "[REGION]\r\nH=tall\r\n",
         {{0, 0, 50, 0}, 0, 144, 216, 72, 288, 24}},
        {"unknown sections and keys change nothing",
         "[WINDOW]\r\nX=500\r\nINTERVAL=5\r\n[REGION]\r\nLEFT=9\r\nWIDTH=9\r\n"
         "[COLOUR]\r\nRED=90\r\n[COLOR]\r\nORANGE=30\r\n[SETTINGS]\r\nINTERVAL=99\r\n",
         defaultSettings},
        {"keys outside their section change nothing",
         "X=5\r\n[COLOR]\r\nINTERVAL=99\r\nW=1\r\n[SETTING]\r\nRED=33\r\n", defaultSettings},
    };
    for (const SettingsRow &row : rows) {
        SCOPED_TRACE(row.name);
        // A folder per row: the platform may keep a file it has read in a cache
        // keyed by its path.
        const std::string folder = MakeTempFolder("tessivo_settings_");
        if (row.file != nullptr) {
            ASSERT_TRUE(WriteWholeFile(folder + "setting.ini", row.file));
        }
        ExpectSettings(LoadSettingsIn(folder), row.expected);
        DeleteFileA((folder + "setting.ini").c_str());
        RemoveDirectoryA(folder.c_str());
    }
}

// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::string &path, std::string &contents) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    contents.assign(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    BOOL ok = ReadFile(file, &contents[0], (DWORD)contents.size(), &read, nullptr);
    CloseHandle(file);
    return ok && read == contents.size();
}

// The file is taken from the working directory only, never from beside the
// executable.
TEST(LoadSettings, FileBesideTheExecutableIsNotRead) {
    const std::string besideExe = ProgramFolder() + "setting.ini";
    // A file that lies there already is put back afterwards.
    std::string previous;
    const bool hadFile = ReadWholeFile(besideExe, previous);
    ASSERT_TRUE(WriteWholeFile(besideExe, "[REGION]\r\nX=300\r\n[SETTING]\r\nINTERVAL=99\r\n"));
    const std::string elsewhere = MakeTempFolder("tessivo_settings_");
    const Settings fromElsewhere = LoadSettingsIn(elsewhere);
    const Settings fromExeFolder = LoadSettingsIn(ProgramFolder());
    if (hadFile)
        WriteWholeFile(besideExe, previous);
    else
        DeleteFileA(besideExe.c_str());
    RemoveDirectoryA(elsewhere.c_str());

    {
        SCOPED_TRACE("working directory elsewhere");
        ExpectSettings(fromElsewhere, defaultSettings);
    }
    {
        // The same file is read once it is the working directory's.
        SCOPED_TRACE("working directory beside the executable");
        ExpectSettings(fromExeFolder, {{300, 0, 50, 100}, 0, 144, 216, 72, 288, 99});
    }
}

} // namespace
