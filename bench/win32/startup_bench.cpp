// Start-up benchmark: from process start to the first window on screen, for Pellucor and for the
// smallest window program (minimal_window.exe, built beside this one).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kRounds = 5;

struct ShownWindowSearch {
    DWORD process = 0;
    bool found = false;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<ShownWindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

// Seconds from CreateProcess to a visible top-level window of the new process; negative when it
// never shows one.
double TimeToFirstWindow(const std::wstring& program)
{
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + program + L"\"";
    auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startInfo, &started)) {
        return -1;
    }
    ShownWindowSearch search{started.dwProcessId};
    while (!search.found && WaitForSingleObject(started.hProcess, 1) == WAIT_TIMEOUT) {
        EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, INFINITE);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return search.found ? seconds : -1;
}

std::wstring ThisDirectory()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.rfind(L'\\'));
}

}  // namespace

// startup_bench [path of Pellucor.exe; ..\Pellucor.exe from this program's folder when left out]
int wmain(int argc, wchar_t** argv)
{
    std::wstring pellucor = argc > 1 ? argv[1] : ThisDirectory() + L"\\..\\Pellucor.exe";
    std::wstring minimal = ThisDirectory() + L"\\minimal_window.exe";
    double program = 1e9;
    double floor = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        double p = TimeToFirstWindow(pellucor);
        double m = TimeToFirstWindow(minimal);
        if (p < 0 || m < 0) {
            std::fprintf(stderr, "startup_bench: a program did not show a window\n");
            return 1;
        }
        program = std::min(program, p);
        floor = std::min(floor, m);
    }
    std::printf("Start to the first window on screen: %.3f s Pellucor, %.3f s the smallest window program: "
                "ratio %.2f (target at most 1.5)\n",
                program, floor, program / floor);
    return 0;
}
