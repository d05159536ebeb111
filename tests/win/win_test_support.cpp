#include "win_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "config/settings_file.h"

void PumpMessages(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    } while (GetTickCount() - start < milliseconds);
}

std::string MakeTempFolder(const char *prefix) {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    for (unsigned n = GetTickCount();; ++n) {
        std::string path = std::string(base) + prefix + std::to_string(GetCurrentProcessId()) +
                           "_" + std::to_string(n);
        if (CreateDirectoryA(path.c_str(), nullptr))
            return path + "\\";
    }
}

bool WriteWholeFile(const std::string &path, const std::string &contents) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, contents.data(), (DWORD)contents.size(), &written, nullptr);
    CloseHandle(file);
    return ok && written == contents.size();
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

Settings LoadSettingsIn(const std::string &folder) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    EXPECT_TRUE(SetCurrentDirectoryA(folder.c_str())) << folder;
    Settings loaded = {{-7, -7, -7, -7}, -7, -7, -7, -7, -7, -7};
    LoadSettings(loaded);
    SetCurrentDirectoryA(previous);
    return loaded;
}

void ExpectSettings(const Settings &actual, const Settings &expected) {
    EXPECT_EQ(actual.region.x, expected.region.x);
    EXPECT_EQ(actual.region.y, expected.region.y);
    EXPECT_EQ(actual.region.width, expected.region.width);
    EXPECT_EQ(actual.region.height, expected.region.height);
    EXPECT_EQ(actual.hueRed, expected.hueRed);
    EXPECT_EQ(actual.hueGreen, expected.hueGreen);
    EXPECT_EQ(actual.hueBlue, expected.hueBlue);
    EXPECT_EQ(actual.hueYellow, expected.hueYellow);
    EXPECT_EQ(actual.huePurple, expected.huePurple);
    EXPECT_EQ(actual.interval, expected.interval);
}

ClipboardText ReadClipboardText(HWND owner) {
    ClipboardText clipboard = {"(clipboard not opened)", 0, false};
    if (!OpenClipboard(owner))
        return clipboard;
    clipboard.text.clear();
    HANDLE block = GetClipboardData(CF_TEXT);
    const char *bytes = block ? (const char *)GlobalLock(block) : nullptr;
    if (bytes) {
        clipboard.blockSize = GlobalSize(block);
        // Read no further than the block, terminated or not.
        clipboard.text.assign(bytes, strnlen(bytes, clipboard.blockSize));
        clipboard.zeroBehindText = true;
        for (size_t i = clipboard.text.size(); i < clipboard.blockSize; ++i)
            clipboard.zeroBehindText = clipboard.zeroBehindText && bytes[i] == 0;
        GlobalUnlock(block);
    }
    CloseClipboard();
    return clipboard;
}

// The last non-empty static text among a box's children.
static BOOL CALLBACK FindStaticText(HWND child, LPARAM found) {
    char className[32], text[512];
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(className, "Static") == 0 && text[0])
        *(std::string *)found = text;
    return TRUE;
}

// A visible message box of this process, other processes' boxes aside; null when none.
static HWND OwnBox() {
    for (HWND box : TopWindows("#32770", GetCurrentProcessId()))
        if (IsWindowVisible(box))
            return box;
    return nullptr;
}

// Thread: waits up to ten seconds for the box, reads it into the BoxSeen given and
// closes it; ends with 1 when it found one.
static DWORD WINAPI CloseNextBox(LPVOID parameter) {
    BoxSeen &seen = *(BoxSeen *)parameter;
    for (int tries = 0; tries < 1000; ++tries) {
        if (HWND box = OwnBox()) {
            char caption[256];
            GetWindowTextA(box, caption, sizeof caption);
            seen.caption = caption;
            EnumChildWindows(box, FindStaticText, (LPARAM)&seen.text);
            // Sent, not posted: Wine's modal loop picks up a posted OK only seconds later.
            SendMessageA(box, WM_COMMAND, IDOK, 0);
            return 1;
        }
        Sleep(10);
    }
    return 0;
}

BoxSeen SendCommandWithBox(HWND window, WORD command) {
    BoxSeen seen;
    HANDLE watcher = CreateThread(nullptr, 0, CloseNextBox, &seen, 0, nullptr);
    EXPECT_EQ(SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0), 0);
    WaitForSingleObject(watcher, 15000);
    DWORD closed = 0;
    GetExitCodeThread(watcher, &closed);
    CloseHandle(watcher);
    EXPECT_EQ(closed, 1u) << "no box was shown";
    return seen;
}

struct WindowSearch {
    const char *className;
    DWORD process; // 0: any process
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectWindow(HWND window, LPARAM searchParameter) {
    WindowSearch &search = *(WindowSearch *)searchParameter;
    char className[64];
    DWORD process = 0;
    GetClassNameA(window, className, sizeof className);
    GetWindowThreadProcessId(window, &process);
    if (lstrcmpA(className, search.className) == 0 &&
        (!search.process || process == search.process))
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopWindows(const char *className, DWORD process) {
    WindowSearch search = {className, process, {}};
    EnumWindows(CollectWindow, (LPARAM)&search);
    return search.found;
}

bool StartProgram(const std::string &path, const std::string &folder, PROCESS_INFORMATION &process,
                  HANDLE standardHandles) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    if (standardHandles) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = standardHandles;
    }
    std::string commandLine = "\"" + path + "\"";
    process = {};
    return CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr,
                          standardHandles != nullptr, 0, nullptr, folder.c_str(), &startup,
                          &process) != 0;
}

DWORD ExitCodeAfter(HANDLE process, DWORD milliseconds) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process, &code))
        return STILL_ACTIVE;
    return code;
}

volatile LONG countedTicks;
volatile LONG countedPaints;
// The procedure of the counted window, called after counting.
static WNDPROC countedProcedure;

static LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER)
        InterlockedIncrement(&countedTicks);
    if (message == WM_PAINT)
        InterlockedIncrement(&countedPaints);
    return CallWindowProcA(countedProcedure, window, message, wParam, lParam);
}

void CountTicksAndPaints(HWND window) {
    countedProcedure =
        (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)CountingProcedure);
}

HWND CreateTestWindow(const char *className, DWORD exStyle, DWORD style, const RECT &place,
                      HBRUSH background) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(exStyle, className, "", style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}
