#include "win_test_support.h"

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
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, contents.data(), (DWORD)contents.size(), &written, nullptr);
    CloseHandle(file);
    return ok && written == contents.size();
}
