// RunProgram on the headless system: recorded for the tests, and run for real but hidden.
#include "platform/process.h"

#include <algorithm>
#include <string>

#include "platform/headless/records.h"
#include "platform/posix/launch.h"

bool RunProgram(std::string_view commandLine, bool waitForExit, int showState)
{
    headless::detail::RecordStart({std::string(commandLine), waitForExit, std::clamp(showState, 1, 6)});
    // Hidden whatever the program asked: a test run must not open terminal windows.
    return LaunchProcess(commandLine, waitForExit, ShowHidden);
}
