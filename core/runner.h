// The command runner: runs currentCommand with its output captured into the desktop window's output box.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How adb's own lines about its server begin ("* daemon not running; starting now at tcp:5037",
// "* daemon started successfully"): on a PC's first adb command they precede the answer.
inline constexpr std::string_view kAdbServerNotice = "* daemon ";

// True for a line adb prints about its server rather than the phone's answer: the notices above,
// and "adb server version (41) doesn't match this client (40); killing..." (adb_client.cpp,
// adb_connect), printed when a server of another adb version was running and is replaced.
bool IsAdbServerNotice(std::string_view line);

// cmd.exe takes a command line of at most 8191 characters ("Command prompt (Cmd.exe)
// command-line string limitation", Microsoft Learn); a longer one runs nothing.
inline constexpr std::size_t kLongestCommandLine = 8191;

// True when the line has more characters (UTF-16 units, as cmd.exe counts them) than the
// interpreter takes: the runner refuses it rather than start it.
bool IsTooLongToRun(std::string_view commandLine);

// What one run saw of its own command; a run nested inside it (a click meanwhile) has its own.
struct CommandRun {
    bool started = false;  // the interpreter was started with the command line
    bool awaited = false;  // the command ran to its end; false when the program ended first
    std::string output;    // everything the command wrote, decoded as shown (UTF-8)
    // The command's exit code once awaited; none where the interpreter does not pass it on.
    std::optional<unsigned long> exitCode;
};

// Shows "请等待运行", clears 回显编辑框, runs the command line hidden through the interpreter and
// appends everything it writes to standard output and standard error, in write order, while
// window events keep flowing. Returns once the command has ended and its output is shown, or at
// once when the program is ending. A line too long for the interpreter is not started: the box
// says why instead. Runs started from inside a run (a click meanwhile) complete
// on their own; the outer run then goes on with its own output, which it alone returns.
CommandRun RunCurrentCommand();

// Replaces currentCommand with the line and runs it, as every captured action does.
CommandRun RunCommandLine(std::string commandLine);
