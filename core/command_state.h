// The one process-wide record through which every action hands its command line to the runner.
#pragma once

#include <string>

struct CommandState {
    std::string currentCommand;  // the next command line RunCurrentCommand executes, no prefix
    std::string introText;       // the welcome text of the desktop window's output box
};

// Exists from start-up until the exit routine has run.
CommandState& State();

// Start-up step: creates the state; the exit routine releases it.
void CreateCommandState();
void ReleaseCommandState();
