// The command runner: runs currentCommand with its output captured into the desktop window's output box.
#pragma once

#include <string>
#include <string_view>

// How adb's own lines about its server begin ("* daemon not running; starting now at tcp:5037",
// "* daemon started successfully"): on a PC's first adb command they precede the answer.
inline constexpr std::string_view kAdbServerNotice = "* daemon ";

// What one run saw of its own command; a run nested inside it (a click meanwhile) has its own.
struct CommandRun {
    bool started = false;  // the interpreter was started with the command line
    bool awaited = false;  // the command ran to its end; false when the program ended first
    std::string output;    // everything the command wrote, decoded as shown (UTF-8)
};

// Shows "请等待运行", clears 回显编辑框, runs the command line hidden through the interpreter and
// appends everything it writes to standard output and standard error, in write order, while
// window events keep flowing. Returns once the command has ended and its output is shown, or at
// once when the program is ending. Runs started from inside a run (a click meanwhile) complete
// on their own; the outer run then goes on with its own output, which it alone returns.
CommandRun RunCurrentCommand();

// Replaces currentCommand with the line and runs it, as every captured action does.
CommandRun RunCommandLine(std::string commandLine);
