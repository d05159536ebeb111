// Settings files of garbage: binary bytes, NUL bytes, very long lines, numbers
// beyond 32 bits, blanks and quotes. LoadSettings returns with what the platform's
// INI reader makes of each file, the interval never below 16; and the real
// program, started in a folder holding such a file, starts and ends with 0.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/settings_file.h"
#include "tessivo.h"
#include "win_test_support.h"

namespace {

Settings With(void (*change)(Settings &)) {
    Settings s = defaultSettings;
    change(s);
    return s;
}

// Bytes of a fixed pseudo-random sequence: the same file on every run.
std::string RandomBytes(size_t count, uint32_t seed) {
    std::string bytes(count, '\0');
    for (char &byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = (char)(seed >> 24);
    }
    return bytes;
}

std::string Utf16(const std::string &ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii)
        bytes += {c, '\0'};
    return bytes;
}

struct GarbageRow {
    const char *name;
    std::string file;
    Settings expected; // as the platform's reader gives it
    bool startProgram; // one of the files the real program is started with
};

std::vector<GarbageRow> GarbageRows() {
    const std::string longLine(100000, 'A');
    // The value ends at the NUL: X is 3, not 39.
    static const char nulInValue[] = "[REGION]\r\nX=3\0"
                                     "9\r\nY=4\r\n";
    return {
        {"random bytes, then a section",
         RandomBytes(4096, 777) + "\r\n[SETTING]\r\nINTERVAL=40\r\n",
         With([](Settings &s) { s.interval = 40; }), true},
        {"NUL bytes before the sections", std::string(100, '\0') + "\r\n[REGION]\r\nX=12\r\n",
         With([](Settings &s) { s.region.x = 12; }), false},
        {"a NUL inside a value", std::string(nulInValue, sizeof nulInValue - 1),
         With([](Settings &s) { s.region.x = 3, s.region.y = 4; }), false},
        {"100,000-character lines, keys and sections",
         longLine + "\r\n[" + longLine + "]\r\n" + longLine +
             "=5\r\n[COLOR]\r\nRED=9\r\n[REGION]\r\n" + longLine + "=6\r\nY=8\r\n",
         With([](Settings &s) { s.hueRed = 9, s.region.y = 8; }), true},
        // The reader keeps the first 29 characters of a value (a 30-character
        // buffer), and the digits wrap modulo 2^32: 29 sevens give -775480207.
        {"a 100,000-digit value",
         "[COLOR]\r\nGREEN=" + std::string(100000, '7') + "\r\nBLUE=200\r\n",
         With([](Settings &s) { s.hueGreen = -775480207, s.hueBlue = 200; }), false},
        // Digits wrap modulo 2^32: 99999999999 gives 1215752191.
        // Digits wrap modulo 2^32: 99999999999 gives 1215752191.
        {"numbers beyond 32 bits",
         "[REGION]\r\nX=99999999999\r\nY=-99999999999\r\n[COLOR]\r\nRED=2147483648\r\n"
         "GREEN=18446744073709551617\r\nBLUE=4294967295\r\n[SETTING]\r\nINTERVAL=99999999999\r\n",
         With([](Settings &s) {
             s.region.x = 1215752191, s.region.y = -1215752191, s.interval = 1215752191;
             s.hueRed = INT32_MIN, s.hueGreen = 1, s.hueBlue = -1;
         }),
         true},
        {"width and interval wrap to 0 (so 16), a height of text",
         "[REGION]\r\nW=4294967296\r\nH=tall\r\n[SETTING]\r\nINTERVAL=4294967296\r\n",
         With([](Settings &s) { s.region.width = 0, s.region.height = 0, s.interval = 16; }), true},
        {"width -40000, height beyond 16 bits, interval far below",
         "[REGION]\r\nW=-40000\r\nH=99999999999\r\n[SETTING]\r\nINTERVAL=-99999999999\r\n",
         With([](Settings &s) {
             s.region.width = -40000, s.region.height = 1215752191, s.interval = 16;
         }),
         false},
        {"blanks around names and values",
         "[REGION]\r\n  X  =  12  \r\nY=\t-7\r\nW=1 2\r\n[COLOR]\r\nRED= +5\r\n",
         With([](Settings &s) {
             s.region.x = 12, s.region.y = -7, s.region.width = 1, s.hueRed = 5;
         }),
         false},
        // Quotes around a value are dropped, 0x reads hexadecimal, and an empty
        // value gives the default.
        {"quotes, hexadecimal, empty value", "[REGION]\r\nX=\"15\"\r\nY=0x10\r\nW=\r\n",
         With([](Settings &s) { s.region.x = 15, s.region.y = 16; }), false},
        // The first of two equal keys counts, and only the first of two equal
        // sections is searched.
        {"a key twice, a section twice",
         "[REGION]\r\nX=1\r\nX=2\r\n[COLOR]\r\nRED=3\r\n[REGION]\r\nY=4\r\n",
         With([](Settings &s) { s.region.x = 1, s.hueRed = 3; }), false},
        {"line ends of CR alone", "[REGION]\rX=9\rY=10\r",
         With([](Settings &s) { s.region.x = 9, s.region.y = 10; }), false},
        {"UTF-16 with its byte-order mark", Utf16("[SETTING]\r\nINTERVAL=50\r\n"),
         With([](Settings &s) { s.interval = 50; }), false},
        {"UTF-8 with its byte-order mark", "\xEF\xBB\xBF[REGION]\r\nX=33\r\n",
         With([](Settings &s) { s.region.x = 33; }), false},
    };
}

TEST(RobustSettings, GarbageGivesWhatTheReaderGives) {
    for (const GarbageRow &row : GarbageRows()) {
        SCOPED_TRACE(row.name);
        // A folder per row: the platform may keep a file it has read in a cache
        // keyed by its path.
        const std::string folder = MakeTempFolder("tessivo_garbage_");
        ASSERT_TRUE(WriteWholeFile(folder + "setting.ini", row.file));
        const Settings loaded = LoadSettingsIn(folder);
        ExpectSettings(loaded, row.expected);
        EXPECT_GE(loaded.interval, 16);
        DeleteFileA((folder + "setting.ini").c_str());
        RemoveDirectoryA(folder.c_str());
    }
}

// Ends the processes that the given one started. A program that faults starts the
// platform's debugger, whose crash dialog would wait for a user, and keep this
// test's output open, long after the program itself is gone.
void EndChildrenOf(DWORD parent) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        HANDLE child = entry.th32ParentProcessID == parent
                           ? OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)
                           : nullptr;
        if (child)
            TerminateProcess(child, 1), CloseHandle(child);
    }
    CloseHandle(snapshot);
}

// The real program with a few of the files, all at once: a second one runs as well
// as the first (its hot key and mailslot fail silently).
TEST(RobustSettings, TheProgramStartsAndEndsWithSuchFiles) {
    const std::string exe = ProgramFolder() + "tessivo.exe";
    // The programs write to nowhere: a program that faults would otherwise leave
    // the platform's debugger holding this test's output open.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE nowhere =
        CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(nowhere, INVALID_HANDLE_VALUE);
    struct Started {
        const char *name;
        std::string folder;
        PROCESS_INFORMATION process;
        HWND window;
    };
    std::vector<Started> programs;
    for (const GarbageRow &row : GarbageRows()) {
        if (!row.startProgram)
            continue;
        Started program = {row.name, MakeTempFolder("tessivo_garbage_"), {}, nullptr};
        ASSERT_TRUE(WriteWholeFile(program.folder + "setting.ini", row.file)) << row.name;
        ASSERT_TRUE(StartProgram(exe, program.folder, program.process, nowhere)) << row.name;
        programs.push_back(program);
    }
    CloseHandle(nowhere);
    // Each window (a program that has ended has none to wait for), then some ticks
    // that sample the screen with each file's region.
    for (Started &program : programs)
        for (DWORD start = GetTickCount();
             !program.window && WaitForSingleObject(program.process.hProcess, 10) == WAIT_TIMEOUT &&
             GetTickCount() - start < 15000;) {
            const std::vector<HWND> windows = TopWindows("Tessivo", program.process.dwProcessId);
            program.window = windows.empty() ? nullptr : windows[0];
        }
    Sleep(500);
    // Still running, and closing by its message loop: a program that faulted, or hangs,
    // does not end with 0.
    for (Started &program : programs) {
        SCOPED_TRACE(program.name);
        EXPECT_NE(program.window, nullptr) << "no window";
        EXPECT_EQ(WaitForSingleObject(program.process.hProcess, 0), (DWORD)WAIT_TIMEOUT)
            << "ended by itself";
        PostMessageA(program.window, WM_CLOSE, 0, 0);
    }
    for (Started &program : programs) {
        SCOPED_TRACE(program.name);
        const DWORD exitCode = ExitCodeAfter(program.process.hProcess, 20000);
        EXPECT_EQ(exitCode, 0u);
        if (exitCode == STILL_ACTIVE) {
            EndChildrenOf(program.process.dwProcessId);
            TerminateProcess(program.process.hProcess, 1);
        }
        CloseHandle(program.process.hThread);
        CloseHandle(program.process.hProcess);
        DeleteFileA((program.folder + "setting.ini").c_str());
        RemoveDirectoryA(program.folder.c_str());
    }
}

} // namespace
