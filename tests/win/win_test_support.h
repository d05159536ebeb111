// Small helpers shared by the Windows test programs.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

#include "tessivo.h"

// Dispatches this thread's messages for the given time.
void PumpMessages(DWORD milliseconds);

// A new empty folder under the system's temporary folder, ending in a backslash.
std::string MakeTempFolder(const char *prefix);

// Writes a file whole; returns false when it cannot.
bool WriteWholeFile(const std::string &path, const std::string &contents);

// The folder of this test program (where tessivo.exe and Brimlet.exe are built),
// ending in a backslash.
std::string ProgramFolder();

// LoadSettings with the folder as the working directory, which is restored after.
// Every field starts at -7, so a field left unwritten shows.
Settings LoadSettingsIn(const std::string &folder);

// Compares every field of two settings, each failure naming its field.
void ExpectSettings(const Settings &actual, const Settings &expected);

// The CF_TEXT block of the clipboard.
struct ClipboardText {
    std::string text;    // up to the first NUL or the block's end; "" when there is none
    size_t blockSize;    // 0 when there is none
    bool zeroBehindText; // every byte of the block after the text is zero
};

// Reads the clipboard, opened for the owner window (null: this thread). The text is
// "(clipboard not opened)" when it cannot be opened.
ClipboardText ReadClipboardText(HWND owner = nullptr);

// What the message box of this process showed.
struct BoxSeen {
    std::string caption;
    std::string text; // its static text
};

// Sends the command (as a button click) to the window, expecting it to return 0 and
// to show a message box meanwhile; a watcher thread reads the box and closes it
// with OK.
BoxSeen SendCommandWithBox(HWND window, WORD command);

// Top-level windows of the class, of the process (0: of any process).
std::vector<HWND> TopWindows(const char *className, DWORD process = 0);

// Starts the program with the folder as its working directory and SW_SHOW, its
// command line the quoted path. With standardHandles given, the three standard
// handles are that one, inherited. False when it cannot start.
bool StartProgram(const std::string &path, const std::string &folder, PROCESS_INFORMATION &process,
                  HANDLE standardHandles = nullptr);

// The process's exit code once it has ended within the time; STILL_ACTIVE when not.
DWORD ExitCodeAfter(HANDLE process, DWORD milliseconds);

// WM_TIMER and WM_PAINT messages that reached the window given to CountTicksAndPaints.
extern volatile LONG countedTicks;
extern volatile LONG countedPaints;

// Puts a procedure in front of the window's own that counts its ticks and paints
// (one window per test program).
void CountTicksAndPaints(HWND window);

// A window of a class of its own (registered on first use, the default window
// procedure, the background brush given or none), at the place in screen coordinates.
HWND CreateTestWindow(const char *className, DWORD exStyle, DWORD style, const RECT &place,
                      HBRUSH background = nullptr);
