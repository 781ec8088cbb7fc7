// Program entry: start-up sequence, message loop and the exit routine.
#include "app/program.h"

#include "core/adb_location.h"
#include "core/command_state.h"
#include "core/window_names.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "ui/windows.h"

void StartPellucor()
{
    CreateCommandState();
    SetExitRoutine(ReleaseCommandState);
    // Before any window can start a command: every program started from here on inherits the PATH.
    LocateAdb();
    InitialiseWindowSystem(AllWindows());
    if (!OpenWindow(StartWindow, false)) {
        FatalError("载入启动窗口失败");
    }
}

int RunPellucor()
{
    StartPellucor();
    int exitCode = RunMessageLoop();
    RunExitRoutine();
    return exitCode;
}
