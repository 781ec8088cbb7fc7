// The user's own folder for a native test program: a fresh one of its own, so that no test reads or writes the real one.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

// XDG_STATE_HOME names where the program keeps its log when its own folder cannot take it.
inline void UsePrivateStateFolder()
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("pellucor-state-" + std::to_string(getpid()));
    setenv("XDG_STATE_HOME", folder.c_str(), 1);
}

inline void RemovePrivateStateFolder() { std::filesystem::remove_all(std::getenv("XDG_STATE_HOME")); }
