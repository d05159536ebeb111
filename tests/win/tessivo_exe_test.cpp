// The real tessivo.exe as a process: starting the companion from the region
// button, and closing with and without companions running.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window_procedure.h"
#include "win_test_support.h"

static std::vector<HWND> WaitForWindows(const char *className, size_t count, DWORD process = 0) {
    std::vector<HWND> found;
    for (int tries = 0; tries < 300; ++tries) {
        found = TopWindows(className, process);
        if (found.size() >= count)
            break;
        Sleep(50);
    }
    return found;
}

class TessivoExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(TopWindows("Brimlet").empty()) << "a companion is running already";
        folder = MakeTempFolder("tessivo_exe");
        ASSERT_TRUE(StartProgram(ProgramFolder() + "tessivo.exe", folder, tessivo));
        std::vector<HWND> windows = WaitForWindows("Tessivo", 1, tessivo.dwProcessId);
        ASSERT_EQ(windows.size(), 1u);
        mainWindow = windows[0];
    }
    void TearDown() override {
        for (HWND companion : TopWindows("Brimlet"))
            PostMessageA(companion, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(tessivo.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(tessivo.hProcess, 99);
        CloseHandle(tessivo.hProcess);
        CloseHandle(tessivo.hThread);
    }
    std::string folder;
    PROCESS_INFORMATION tessivo = {};
    HWND mainWindow = nullptr;
};

TEST_F(TessivoExe, ClosingWithNoCompanionExitsWithZero) {
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfter(tessivo.hProcess, 20000), 0u);
}

TEST_F(TessivoExe, TheRegionButtonStartsTheCompanionAndClosingClosesTheFirst) {
    // Each press starts one more companion, found beside tessivo.exe although the
    // working folder is elsewhere.
    PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(CmdSelectRegion, BN_CLICKED), 0);
    ASSERT_EQ(WaitForWindows("Brimlet", 1).size(), 1u);
    PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(CmdSelectRegion, BN_CLICKED), 0);
    std::vector<HWND> companions = WaitForWindows("Brimlet", 2);
    ASSERT_EQ(companions.size(), 2u);

    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfter(tessivo.hProcess, 20000), 0u);
    // One companion was asked to close and ended; the other runs on.
    std::vector<HWND> left;
    for (int tries = 0; tries < 100; ++tries) {
        left = TopWindows("Brimlet");
        if (left.size() < 2)
            break;
        Sleep(50);
    }
    EXPECT_EQ(left.size(), 1u);
}
