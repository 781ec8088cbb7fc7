// Handing one command line to the command runner, as every captured action does.
#pragma once

#include <string>
#include <utility>

#include "core/command_state.h"
#include "core/runner.h"

// Replaces currentCommand with the line and runs it; returns once its output is shown.
inline void RunCommandLine(std::string commandLine)
{
    State().currentCommand = std::move(commandLine);
    RunCurrentCommand();
}
