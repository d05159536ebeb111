#include "keep/kept_record.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "durable_file.h"
#include "keep/history_page.h"
#include "record/link_text.h"
#include "record/move_record.h"
#include "tessivo.h"

std::wstring keepNoticePath;

namespace {

// A record of a million bytes would be half a million moves: anything larger is no record.
const size_t MaxRecordFileSize = 1 << 20;
// The history is read whole before each new line; a file larger than this is refused
// rather than read into memory.
const size_t MaxHistoryFileSize = 64 << 20;

bool keeping;        // this process writes the folder's files
bool failing;        // the last write failed, and the player has been told
std::wstring folder; // the working folder, ending in its separator
HANDLE folderOwner;  // held for the life of the process: no other Tessivo keeps here

// The local time as "YYYY-MM-DD HH:MM:SS", or with the given separators left out.
std::string LocalTime(const char *format) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    snprintf(text, sizeof text, format, now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond);
    return text;
}

// One writer a folder: a name made of the folder's full path in one case, since paths match
// in any. Hashed, as a name is limited to MAX_PATH characters and may hold no backslash.
bool OwnFolder() {
    std::wstring upper = folder;
    CharUpperBuffW(&upper[0], (DWORD)upper.size());
    uint64_t hash = 14695981039346656037u; // 64-bit FNV-1a
    for (wchar_t c : upper)
        hash = (hash ^ (uint16_t)c) * 1099511628211u;
    wchar_t name[64];
    swprintf(name, 64, L"Local\\Tessivo record %016llx", (unsigned long long)hash);
    folderOwner = CreateMutexW(nullptr, FALSE, name);
    return folderOwner && GetLastError() != ERROR_ALREADY_EXISTS;
}

KeepNotice Written(bool ok, const std::wstring &path) {
    if (ok || failing) {
        failing = !ok;
        return KeepNothingToTell;
    }
    failing = true;
    keepNoticePath = path;
    return KeepNotWritten;
}

// A record.txt that is no record keeps its bytes under a name of its own, beside it.
KeepNotice PutAside(const std::wstring &path) {
    std::string stamp = LocalTime("%04u%02u%02u-%02u%02u%02u");
    for (int tries = 1; tries <= 9; ++tries) {
        std::wstring aside = folder + L"record-" + std::wstring(stamp.begin(), stamp.end()) +
                             (tries > 1 ? L"-" + std::to_wstring(tries) : L"") + L".bad";
        if (MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) {
            keepNoticePath = aside;
            return KeepBadRecordAside;
        }
    }
    keeping = false; // the file cannot be moved: it is not overwritten either
    return Written(false, path);
}

} // namespace

KeepNotice StartKeeping() {
    keeping = failing = false;
    if (!settings.keepRecord)
        return KeepNothingToTell;
    std::wstring path;
    FindFullPath(L"record.txt", path); // or the name alone: the files named from the working folder
    folder = path.substr(0, path.find_last_of(L'\\') + 1);
    if (!OwnFolder())
        return KeepOtherInstance;
    keeping = true;
    std::string text;
    if (!ReadWholeFile(path, MaxRecordFileSize, text)) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return KeepNothingToTell;
        if (error != ERROR_FILE_TOO_LARGE) { // unreadable: not overwritten either
            keeping = false;
            return Written(false, path);
        }
        return PutAside(path);
    }
    MoveRecord restored;
    if (!ReadLinkCodes(text, restored, true))
        return PutAside(path);
    ReplaceRecord(restored);
    return KeepNothingToTell;
}

KeepNotice KeepRecord() {
    if (!keeping)
        return KeepNothingToTell;
    const std::wstring path = folder + L"record.txt";
    return Written(WriteFileDurably(path, MarkedCodes(moveRecord) + "\r\n"), path);
}

KeepNotice KeepHistoryLine(const char *what) {
    if (!keeping)
        return KeepNothingToTell;
    const std::wstring path = folder + L"links.txt";
    std::string history;
    bool ok =
        ReadWholeFile(path, MaxHistoryFileSize, history) || GetLastError() == ERROR_FILE_NOT_FOUND;
    history += LocalTime("%04u-%02u-%02u %02u:%02u:%02u") + "\t" + what + "\t" +
               std::to_string(moveRecord.size()) + "\t" + linkPrefix + LinkCodes(moveRecord);
    if (MarkedMoves(moveRecord) > 0) // a line of four fields is a game without marks
        history += "\t" + MarkedCodes(moveRecord);
    history += "\r\n";
    if (!ok || !WriteFileDurably(path, history))
        return Written(false, path);
    return Written(WriteFileDurably(HistoryPagePath(), HistoryPage(history, settings.language)),
                   HistoryPagePath());
}

std::wstring HistoryPagePath() {
    return folder + L"history.html";
}
