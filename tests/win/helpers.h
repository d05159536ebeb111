// What the tests on the platform share: Tessivo's window in this process, folders, files, programs.
#pragma once
#undef _WIN32_WINNT // the display scale's functions are newer than what the programs need
#define _WIN32_WINNT 0x0A00
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <regex>
#include <thread>

#include "../game_box.h"

#include "app/main_window.h"
#include "app/picture.h"
#include "app/reference_menu.h"
#include "app/texts.h"
#include "app/warning_boxes.h"
#include "app/commands.h"
#include "app/window_procedure.h"
#include "brimlet_texts.h"
#include "config/region_link.h"
#include "config/program_contract.h"
#include "config/settings_file.h"
#include "durable_file.h"
#include "recognition/recogniser.h"
#include "record/link_text.h"
#include "record/move_record.h"
#include "record/record_view.h"
#include "display_scale.h"

// Makes a new folder the working folder, with the file holding the text (null: none).
inline void WorkIn(const std::string *ini, const char *name = "setting.ini") {
    char temp[MAX_PATH], folder[MAX_PATH]; // a name no run has taken, as a file at first
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "tv", 0, folder);
    DeleteFileA(folder);
    CreateDirectoryA(folder, nullptr);
    SetCurrentDirectoryA(folder);
    if (ini)
        std::ofstream(name, std::ios::binary) << *ini;
}

inline HWND Tessivo() { // made once; its setting.ini pins Japanese: the other keys' defaults
    static HWND window = [] {
        const std::string japanese = "[SETTING]\r\nLANGUAGE=JA\r\n";
        SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
        WorkIn(&japanese);
        return CreateMainWindow(GetModuleHandleA(nullptr));
    }();
    return window;
}

inline RECT ScaleTo(int dpi) { // Tessivo told it is on a monitor of that scale; its size there
    RECT suggested = {0, 0, MulDiv(360, dpi, 96), MulDiv(220, dpi, 96)};
    SendMessageW(Tessivo(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)&suggested);
    return suggested;
}

inline void SizeAt100(int width, int height) { // Tessivo at 100 %, its client area this size
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_TOPMOST);
    ScaleTo(96);
    SetWindowPos(Tessivo(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, 0);
}

// A new working folder holding the file, its record.txt kept: what keeping it tells.
inline KeepNotice KeepIn(const std::string *text, const char *name = "setting.ini") {
    WorkIn(text, name);
    settings.keepRecord = 1;
    return StartKeeping();
}

inline std::string FileText(const char *name) { // "" for none
    std::ifstream file(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void Fill(const Surface &surface, RECT area, COLORREF colour, int hatch = -1) {
    HBRUSH brush = hatch < 0 ? CreateSolidBrush(colour) : CreateHatchBrush(hatch, colour);
    FillRect(surface.dc, &area, brush);
    DeleteObject(brush);
}

// A record that resizes, followed by filler up to the size.
inline std::string Record(CaptureRegion region, size_t size = RegionMessageSize) {
    uint8_t bytes[RegionMessageSize];
    EncodeRegionMessage(bytes, region, true);
    return std::string((char *)bytes, RegionMessageSize) + std::string(size - 9, 'r');
}

inline void SetClipboardText(HWND owner, const wchar_t *text) { // "": the clipboard emptied
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (wcslen(text) + 1) * sizeof(wchar_t));
    wcscpy((wchar_t *)GlobalLock(block), text);
    GlobalUnlock(block);
    OpenClipboard(owner);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, *text ? block : nullptr);
    CloseClipboard();
}

inline std::string ClipboardBlock() { // the clipboard's text block, whole, or "" for none
    OpenClipboard(nullptr);
    HANDLE block = GetClipboardData(CF_TEXT);
    const char *bytes = (const char *)GlobalLock(block);
    std::string text = bytes ? std::string(bytes, GlobalSize(block)) : "";
    GlobalUnlock(block);
    CloseClipboard();
    return text;
}

template <typename Seen> inline bool Eventually(Seen seen) { // waits up to 10 s for it
    for (int tries = 0; tries < 500; ++tries, Sleep(20))
        if (seen())
            return true;
    return false;
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

inline DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

inline HWND WindowOf(const wchar_t *windowClass, DWORD process = 0) { // its first shown (0: any)
    HWND found = nullptr;
    Eventually([&] {
        while ((found = FindWindowExW(nullptr, found, windowClass, nullptr)))
            if (IsWindowVisible(found) && (!process || ProcessOf(found) == process))
                return true;
        return false;
    });
    return found;
}

inline std::wstring Box(DWORD process) { // "caption: text", closed by a sent OK (posted: slow)
    HWND box = WindowOf(L"#32770", process);
    wchar_t text[1024] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    std::wstring seen = TextOf(box) + L": " + text;
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    Eventually([&] { return !IsWindow(box); }); // so that the next box is not this one
    return seen;
}

struct Program : PROCESS_INFORMATION { // started from a command line, found beside this one first
    Program(std::wstring command, DWORD flags = 0) : PROCESS_INFORMATION() {
        STARTUPINFOW startup = {sizeof startup, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        EXPECT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, flags, nullptr,
                                   nullptr, &startup, this))
            << command;
    }
    bool Ended() const { return WaitForSingleObject(hProcess, 10000) == WAIT_OBJECT_0; }
    ~Program() {
        CloseHandle(hThread);
        CloseHandle(hProcess);
    }
};

inline std::wstring Size(HWND window) { // scaled only where the program is aware of the scale
    RECT at;
    GetWindowRect(window, &at);
    return std::to_wstring(at.right - at.left) + L" x " + std::to_wstring(at.bottom - at.top);
}

inline void Press(std::initializer_list<int> keys) { // each key down, or up where negative
    for (int code : keys) {
        INPUT key = {INPUT_KEYBOARD, {}};
        key.ki.wVk = (WORD)std::abs(code);
        key.ki.dwFlags = code < 0 ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &key, sizeof key);
    }
}
