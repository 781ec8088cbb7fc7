// Starting processes: a captured run for the command runner, and uncaptured starts.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// One captured run of a command line through the system's command interpreter ("cmd.exe /c " or
// "command.com /c " by OsClass on Windows, /bin/sh -c elsewhere): console hidden, standard output
// and standard error into one pipe in write order, no standard input. The run owns its process
// and pipe handles and closes them when destroyed; the pipe's read end is never inherited.
class CapturedRun {
public:
    // Null when the pipe or the process cannot be created; nothing has been started then.
    static std::unique_ptr<CapturedRun> Start(std::string_view commandLine);
    virtual ~CapturedRun() = default;

    // At most maxBytes raw bytes that are waiting in the pipe now; empty when none are.
    virtual std::string ReadAvailable(int maxBytes) = 0;
    // True once the interpreter process has ended.
    virtual bool HasExited() = 0;
    // Once it has ended, the interpreter's exit code, which is that of the command it ran; none
    // while it runs, or where the system does not pass the command's code on.
    virtual std::optional<unsigned long> ExitCode() = 0;
    // Waits at most the given time for output, the process's end or (on Windows) a window message.
    virtual void WaitForActivity(int milliseconds) = 0;
};

// Show states: 1 hidden, 2 normal (the default), 3 minimised, 4 maximised, 5 shown without
// activation, 6 minimised; values outside 1..6 are clamped.
inline constexpr int ShowHidden = 1;
inline constexpr int ShowNormal = 2;

// What became of a program that RunProgram was asked to start.
enum class ProgramEnd {
    NotStarted,  // it could not be started
    Started,     // started and not waited for
    Ended,       // waited for until it ended
    NotAwaited,  // started, but the program ended first: its outcome is unknown
};

struct ProgramRun {
    ProgramEnd end = ProgramEnd::NotStarted;
    unsigned long exitCode = 0;  // Ended: the process's exit code
    // A hidden program that is waited for has its standard output and error captured: the last
    // kKeptOutputBytes bytes it wrote, raw, in write order. Empty for every other start.
    std::string output;
};
inline constexpr std::size_t kKeptOutputBytes = 16 * 1024;

// Starts the command line as a new process without the interpreter prefix. Not waiting: returns
// once it runs (or at most 1000 ms later, for a program with a window to become idle). Waiting:
// window events keep flowing until the process ends, so the windows answer and a click meanwhile
// runs its handler, nested; the wait ends early, NotAwaited, once the program is ending.
ProgramRun RunProgram(std::string_view commandLine, bool waitForExit, int showState = ShowNormal);

// Adds what a program wrote to the kept output, keeping only its last kKeptOutputBytes bytes.
inline void KeepOutput(std::string& kept, std::string_view bytes)
{
    kept += bytes;
    if (kept.size() > kKeptOutputBytes) {
        kept.erase(0, kept.size() - kKeptOutputBytes);
    }
}

// Hands the address to the system's default handler; the outcome is not reported.
void OpenWebAddress(std::string_view address);
