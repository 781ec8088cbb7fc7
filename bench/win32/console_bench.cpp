// Console benchmark: what one adb call through the interpreter costs a window program (no console
// of its own: the program's captured run) against the same call from a console program, whose
// children share its console (the bare "cmd.exe /c adb ..." runs). Run beside the test phone.
#include "platform/win32/windows_api.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/process.h"
#include "platform/system.h"

namespace {

constexpr int kRounds = 8;
constexpr int kCalls = 26;
constexpr char kCommand[] = "adb shell pm uninstall --user 0 com.huawei.bench";

// The console program's way: the child inherits this console; its output goes to a pipe that is
// read to its end.
void RunBare()
{
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherited, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    startInfo.dwFlags = STARTF_USESTDHANDLES;
    startInfo.hStdOutput = writeEnd;
    startInfo.hStdError = writeEnd;
    std::wstring commandLine = L"cmd.exe /c " + std::wstring(kCommand, kCommand + sizeof(kCommand) - 1);
    PROCESS_INFORMATION started{};
    BOOL ok = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startInfo,
                             &started);
    CloseHandle(writeEnd);
    if (ok) {
        char buffer[4096];
        DWORD count = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &count, nullptr) && count > 0) {
        }
        WaitForSingleObject(started.hProcess, INFINITE);
        CloseHandle(started.hProcess);
        CloseHandle(started.hThread);
    }
    CloseHandle(readEnd);
}

// The program's way: a captured run, read to its end as the runner reads it.
void RunCaptured()
{
    std::unique_ptr<CapturedRun> run = CapturedRun::Start(kCommand);
    while (run != nullptr && !(run->ReadAvailable(1023).empty() && run->HasExited())) {
        run->WaitForActivity(100);
    }
}

// The fastest of kRounds rounds of kCalls calls, in seconds a call. The rounds of one way cannot
// take turns with the other's (the console is given up between them), so the fastest round, not
// the mean, stands for each: other work on the machine only ever slows a round down.
double FastestCall(void (*call)())
{
    double fastest = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kCalls; ++i) {
            call();
        }
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        fastest = std::min(fastest, seconds / kCalls);
    }
    return fastest;
}

}  // namespace

int main()
{
    InitialisePlatform();
    double bare = FastestCall(RunBare);
    // From here on this program has no console, as a window program has none.
    FreeConsole();
    double captured = FastestCall(RunCaptured);
    std::printf("One adb call through cmd.exe, fastest of %d rounds of %d:\n", kRounds, kCalls);
    std::printf("  bare, from a console program      %7.1f ms\n", 1000 * bare);
    std::printf("  captured run, from no console     %7.1f ms\n", 1000 * captured);
    std::printf("  the program holds a console now:  %s\n", GetConsoleCP() != 0 ? "yes" : "no");
    std::printf("Console ratio %.3f (target at most 1.05)\n", captured / bare);
    return 0;
}
