// Start-up as the program does it, for tests that know only some of its windows.
#pragma once

#include <span>

#include "core/command_state.h"
#include "platform/system.h"
#include "platform/window_system.h"

// The program's directory becomes the current directory, the command state exists and the
// window system knows the given windows.
inline void StartWithWindows(std::span<const WindowDeclaration* const> windows)
{
    InitialisePlatform();
    CreateCommandState();
    InitialiseWindowSystem(windows);
}
