#include "durable_file.h"

bool OpenDurableWrite(DurableWrite &write, const std::wstring &path) {
    write.path = path;
    write.temporary = path + L".new";
    write.file = INVALID_HANDLE_VALUE;
    // Read-only is honoured even where the platform would let this user replace the file.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    write.file = CreateFileW(write.temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    return write.file != INVALID_HANDLE_VALUE;
}

bool WriteDurableText(DurableWrite &write, const std::string &text) {
    DWORD written = 0;
    return WriteFile(write.file, text.data(), (DWORD)text.size(), &written, nullptr) &&
           written == text.size() && FlushFileBuffers(write.file);
}

bool SwapDurableWrite(DurableWrite &write) {
    CloseHandle(write.file);
    write.file = INVALID_HANDLE_VALUE;
    return MoveFileExW(write.temporary.c_str(), write.path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void AbandonDurableWrite(DurableWrite &write) {
    if (write.file != INVALID_HANDLE_VALUE)
        CloseHandle(write.file);
    write.file = INVALID_HANDLE_VALUE;
    DeleteFileW(write.temporary.c_str());
}

bool WriteFileDurably(const std::wstring &path, const std::string &text) {
    DurableWrite write;
    if (OpenDurableWrite(write, path) && WriteDurableText(write, text) && SwapDurableWrite(write))
        return true;
    AbandonDurableWrite(write);
    return false;
}

bool ReadWholeFile(const std::wstring &path, size_t limit, std::string &text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size);
    if (ok && (uint64_t)size.QuadPart > limit) {
        ok = false;
        SetLastError(ERROR_FILE_TOO_LARGE); // told apart from a file that cannot be read
    }
    text.assign(ok ? (size_t)size.QuadPart : 0, '\0');
    DWORD read = 0;
    ok = ok && (text.empty() || (ReadFile(file, &text[0], (DWORD)text.size(), &read, nullptr) &&
                                 read == text.size()));
    CloseHandle(file);
    return ok;
}

bool FindFullPath(const wchar_t *name, std::wstring &full) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetFullPathNameW(name, MAX_PATH, path, nullptr);
    const bool found = length > 0 && length < MAX_PATH;
    full = found ? path : name;
    return found;
}
