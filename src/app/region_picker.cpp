#include "app/region_picker.h"

#include <string>

#include "app/texts.h"
#include "app/warning_boxes.h"
#include "config/program_contract.h"
#include "config/region_link.h"
#include "tessivo.h"
#include "text_slots.h"

// The folder of this program, with its final backslash.
static std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length < MAX_PATH ? length : 0);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// The system's words for an error, without the final line end: in the language of the texts where
// the system has it, else in the system's own.
static std::wstring SystemReason(DWORD error) {
    const DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const WORD language = settings.language == LanguageEnglish ? LANG_ENGLISH : LANG_JAPANESE;
    wchar_t *words = nullptr;
    if (!FormatMessageW(flags, nullptr, error, MAKELANGID(language, SUBLANG_DEFAULT),
                        (wchar_t *)&words, 0, nullptr))
        FormatMessageW(flags, nullptr, error, 0, (wchar_t *)&words, 0, nullptr);
    std::wstring reason = words ? words : L"";
    LocalFree(words);
    reason.erase(reason.find_last_not_of(L"\r\n ") + 1);
    return reason.empty() ? L"(" + std::to_wstring(error) + L")" : reason;
}

void SelectRegion(HWND window) {
    if (HWND open = FindWindowW(brimletClassName, nullptr)) {
        BringFrameForward(open);
        return;
    }
    const std::wstring path = ProgramFolder() + brimletFileName;
    std::wstring command = L"\"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        const DWORD error = GetLastError();
        Warn(window, Compose(texts->noBrimlet, {path, SystemReason(error)}));
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
