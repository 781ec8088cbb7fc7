// The one hidden console that the program's hidden children share for the whole session.
#pragma once

#include "platform/win32/windows_api.h"

// A window program has no console, so every console program it starts would get a console of its
// own, and with it a console host process (conhost.exe) started and ended per child. Instead the
// program takes the console of its first hidden child as its own (AttachConsole), and every later
// hidden child inherits it ("Creation of a Console": by default a console process inherits its
// parent's console). That console was created hidden (STARTF_USESHOWWINDOW with SW_HIDE, which
// also keeps Windows Terminal from taking it over) and no window of it is ever shown. It lasts
// while a process is attached to it (AttachConsole: a console is closed when the last process
// attached to it ends), which is this program to its end. A console program (the tests and
// benchmarks) has a console already: its children share that one.

// The creation flags for a child: a hidden one shares the console; one the user watches gets a
// console of its own, in a normal window.
DWORD ConsoleCreationFlags(bool hidden);

// Called while a hidden child runs: once its console exists, this program takes it as its own.
// Does nothing once the program has a console. Until then each hidden child has its own hidden
// console, as before.
void ShareConsoleOf(DWORD childProcessId);

// Before a hidden child starts: a child before it may have changed the shared console's code
// pages (a script's "chcp 936"); they go back to the system's console code page, which a new
// console would have, and which the program reads captured output in.
void ResetSharedConsoleCodePages();
