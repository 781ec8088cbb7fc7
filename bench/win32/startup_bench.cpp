// Start-up benchmark: from process start to the first window on screen, for Pellucor and for the
// smallest window program (minimal_window.exe, built beside this one).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "started_program.h"

namespace {

constexpr int kRounds = 5;

// Seconds from starting the program to its first visible top-level window; negative when it never
// shows one.
double TimeToFirstWindow(const std::wstring& program)
{
    auto start = std::chrono::steady_clock::now();
    StartedProgram started(program);
    bool shown = started.ShownWindow() != nullptr;
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return shown ? seconds : -1;
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
