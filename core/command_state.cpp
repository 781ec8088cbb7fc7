// The command state's lifetime: created at start-up, released by the exit routine.
#include "core/command_state.h"

#include <cassert>
#include <memory>

namespace {
std::unique_ptr<CommandState> state;
}

CommandState& State()
{
    assert(state != nullptr && "the command state exists from start-up until exit");
    return *state;
}

void CreateCommandState() { state = std::make_unique<CommandState>(); }

void ReleaseCommandState() { state.reset(); }
