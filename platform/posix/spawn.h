// Starting child processes on Linux: the program's directory first on the search path, streams chosen by the caller.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Starts the program at the absolute path arguments[0] with the given arguments: standard input
// from /dev/null, standard output and standard error both on outputFd (on /dev/null when it is
// -1), the program's directory first on PATH, default signal dispositions. A new session detaches
// it from any terminal. The caller keeps outputFd and reaps the child. -1 when it cannot be started.
pid_t SpawnChild(const std::vector<std::string>& arguments, int outputFd, bool newSession);

// Waits for the child to end and reaps it, through interruptions by signals.
void WaitForChild(pid_t pid);
