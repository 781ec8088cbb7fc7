// Uncaptured starts on POSIX systems, and the recorder a window system without a screen puts in front of them.
#pragma once

#include <sys/types.h>

#include <string_view>

// Starts the command line through /bin/sh with the program's directory first on the search path.
// Hidden: no terminal, standard input on /dev/null, standard output and standard error on
// outputFd (on /dev/null when it is -1). Normal: in a terminal emulator when a display and one
// exist, else as hidden. The caller waits for the child and reaps it. -1 when it cannot be started.
pid_t StartProcess(std::string_view commandLine, int showState, int outputFd = -1);

// The same, detached: handed to init through an intermediate shell, which is reaped before the
// call returns. False when it cannot be started.
bool StartDetached(std::string_view commandLine, int showState);

// Hands the address to the desktop's opener (xdg-open), detached; the outcome is not reported.
void LaunchAddressOpener(std::string_view address);

// Where RunProgram and OpenWebAddress report on a system without a screen, which the headless
// window system sets for its tests: a start is reported (its show state clamped to 1..6) and then
// runs hidden, since none of its windows could be seen; an address is only reported. Without a
// recorder, starts show as asked and addresses go to the desktop's opener.
struct LaunchRecorder {
    void (*programStarted)(std::string_view commandLine, bool waitForExit, int showState) = nullptr;
    void (*addressOpened)(std::string_view address) = nullptr;
};
void SetLaunchRecorder(LaunchRecorder recorder);
