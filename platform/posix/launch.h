// Uncaptured starts on POSIX systems, and the recorder a window system without a screen puts in front of them.
#pragma once

#include <string_view>

// Runs the command line through /bin/sh with the program's directory first on the search path.
// Hidden: detached, no terminal, standard streams on /dev/null. Normal: in a terminal emulator
// when a display and one exist, else as hidden. Waits for the end when asked, else at most until
// the process is running. False when it cannot be started.
bool LaunchProcess(std::string_view commandLine, bool waitForExit, int showState);

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
