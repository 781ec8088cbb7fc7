// Starting processes: a captured run for the command runner, and uncaptured starts.
#pragma once

#include <memory>
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
    // Waits at most the given time for output, the process's end or (on Windows) a window message.
    virtual void WaitForActivity(int milliseconds) = 0;
};

// Show states: 1 hidden, 2 normal (the default), 3 minimised, 4 maximised, 5 shown without
// activation, 6 minimised; values outside 1..6 are clamped.
inline constexpr int ShowHidden = 1;
inline constexpr int ShowNormal = 2;

// Starts the command line as a new process without capturing its output and without the
// interpreter prefix. Waits for its end, or at most 1000 ms for it to become idle. False when it
// cannot be started.
bool RunProgram(std::string_view commandLine, bool waitForExit, int showState = ShowNormal);

// Hands the address to the system's default handler; the outcome is not reported.
void OpenWebAddress(std::string_view address);
