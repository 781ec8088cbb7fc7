// The Windows benchmarks' started programs: starting one, finding its first shown window, ending it.
#pragma once

#include <windows.h>

#include <string>

// The folder of the running benchmark, where the programs it measures lie.
inline std::wstring ThisDirectory()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.rfind(L'\\'));
}

// A program started with its quoted path as its command line; ended and its handles closed when
// the object goes.
class StartedProgram {
public:
    explicit StartedProgram(const std::wstring& program)
    {
        STARTUPINFOW startInfo{};
        startInfo.cb = sizeof(startInfo);
        std::wstring commandLine = L"\"" + program + L"\"";
        started_ = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startInfo, &process_);
    }
    ~StartedProgram()
    {
        if (started_) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, INFINITE);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool Started() const { return started_; }
    HANDLE Process() const { return process_.hProcess; }

    // A visible top-level window of the program, looked for every millisecond for up to ten seconds;
    // none when the program ends first or shows none.
    HWND ShownWindow() const
    {
        Search search{process_.dwProcessId};
        for (int i = 0; i < 10000 && started_ && !search.found; ++i) {
            if (WaitForSingleObject(process_.hProcess, 1) != WAIT_TIMEOUT) {
                return nullptr;
            }
            EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
        }
        return search.found;
    }

private:
    struct Search {
        DWORD process = 0;
        HWND found = nullptr;
    };

    static BOOL CALLBACK FindShownWindow(HWND window, LPARAM data)
    {
        auto* search = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == search->process && IsWindowVisible(window)) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }

    PROCESS_INFORMATION process_{};
    bool started_ = false;
};
