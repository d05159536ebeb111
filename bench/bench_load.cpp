// The running program: the real tessivo.exe, started in an empty folder (so with
// the default interval), its record filled by capture commands sent to its window
// as the capture button sends them, then its processor time over 10 seconds.
// Lines starting with '#' mark the measured span for bench/run.sh, which measures
// the display server and the Wine server over the same span.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/window_procedure.h"
#include "bench_support.h"

namespace {

struct Found {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindTessivoWindow(HWND window, LPARAM parameter) {
    Found *found = (Found *)parameter;
    char className[32];
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == found->process && GetClassNameA(window, className, sizeof className) &&
        lstrcmpA(className, "Tessivo") == 0) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

std::string ExecutableFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

double Seconds(const FILETIME &time) {
    return (double)(((ULONGLONG)time.dwHighDateTime << 32) | time.dwLowDateTime) / 1e7;
}

// User plus kernel time of a process, in seconds.
double ProcessorSeconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    return Seconds(kernel) + Seconds(user);
}

// One run: start, fill the record, measure, close. False when the program did not
// start or did not end with 0.
bool MeasureRun(const std::string &exe, const std::string &folder, int pairs, double seconds) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        printf("| running program | tessivo.exe cannot be started | - | - |\n");
        return false;
    }
    Found found = {process.dwProcessId, nullptr};
    for (int tries = 0; tries < 1000 && !found.window; ++tries) {
        Sleep(10);
        EnumWindows(FindTessivoWindow, (LPARAM)&found);
    }
    bool ok = found.window != nullptr;
    for (int i = 0; ok && i < pairs; ++i) {
        DWORD_PTR result;
        ok = SendMessageTimeoutA(found.window, WM_COMMAND, MAKEWPARAM(CmdCapture, BN_CLICKED), 0,
                                 SMTO_NORMAL, 10000, &result) != 0;
    }
    Sleep(1000); // the first paints and the settling of the new window are not measured

    if (ok) {
        printf("# measure begin %d\n", pairs);
        fflush(stdout);
        double before = ProcessorSeconds(process.hProcess), start = NowSeconds();
        Sleep((DWORD)(seconds * 1000));
        double used = ProcessorSeconds(process.hProcess) - before, span = NowSeconds() - start;
        printf("# measure end %d %.3f\n", pairs, span);
        // Wine answers 0 for another process's times, so bench/run.sh reads them
        // from the system between the two marks; this line is for a run on Windows.
        printf("# processor time as the platform reports it: %.3f s\n", used);
    }

    if (found.window)
        PostMessageA(found.window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!ok || exitCode != 0) {
        printf("| running program | %d pairs: %s | - | - |\n", pairs,
               ok ? "did not end with 0" : "no window, or a capture went unanswered");
        return false;
    }
    return true;
}

} // namespace

// Arguments: the seconds to measure (default 10), then the record sizes
// (default 0 40 2000).
int main(int argc, char **argv) {
    double seconds = argc > 1 ? atof(argv[1]) : 10;
    int sizes[16] = {0, 40, 2000};
    int count = 3;
    if (argc > 2) {
        count = 0;
        for (int i = 2; i < argc && count < 16; ++i)
            sizes[count++] = atoi(argv[i]);
    }
    // An empty folder of its own: no settings file, so the default interval.
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder =
        std::string(base) + "tessivo_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);

    bool ok = true;
    for (int i = 0; i < count; ++i)
        ok = MeasureRun(ExecutableFolder() + "tessivo.exe", folder, sizes[i], seconds) && ok;
    RemoveDirectoryA(folder.c_str());
    return ok ? 0 : 1;
}
