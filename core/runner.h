// The command runner: runs currentCommand with its output captured into the desktop window's output box.
#pragma once

#include <string>

// Shows "请等待运行", clears 回显编辑框, runs the command line hidden through the interpreter and
// appends everything it writes to standard output and standard error, in write order, while
// window events keep flowing. Returns once the command has ended and its output is shown, or at
// once when the program is ending. Runs started from inside a run (a click meanwhile) complete
// on their own; the outer run then goes on with its own output.
void RunCurrentCommand();

// Replaces currentCommand with the line and runs it, as every captured action does.
void RunCommandLine(std::string commandLine);
