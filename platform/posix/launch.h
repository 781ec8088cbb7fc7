// Uncaptured process starts on Linux, for the window systems built on POSIX.
#pragma once

#include <string_view>

// Runs the command line through /bin/sh with the program's directory first on the search path.
// Hidden: detached, no terminal, standard streams on /dev/null. Normal: in a terminal emulator
// when a display and one exist, else as hidden. Waits for the end when asked, else at most until
// the process is running. False when it cannot be started.
bool LaunchProcess(std::string_view commandLine, bool waitForExit, int showState);
