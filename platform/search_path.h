// The environment that started programs inherit: variables, the search path and program files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The value of this process's environment variable, as UTF-8; nothing when it is unset or empty.
std::optional<std::string> EnvironmentVariable(std::string_view name);

// The folders that PATH lists, in order, as the system reads them: empty entries left out, and on
// Windows the quotes that let an entry hold a semicolon removed.
std::vector<std::string> SearchPathFolders();

// Puts the folder first on this process's PATH. Every program started afterwards inherits the
// environment, so a bare name that the folder holds resolves there (after the program's own
// folder, which is searched first anyway). False when PATH cannot take the folder: it would grow
// past the system's limit, or the folder's name holds the separator POSIX cannot quote (':').
bool PutFirstOnSearchPath(std::string_view folder);

// Sets (or, with nothing, removes) this process's environment variable; every program started
// afterwards inherits it. False when the system refuses the value.
bool SetProcessVariable(std::string_view name, std::optional<std::string_view> value);

// A program's file name from its stem: "adb.exe" on Windows, "adb" elsewhere.
std::string ProgramFileName(std::string_view stem);

// Whether a file that the system could start is at the path: not a folder, and on POSIX executable.
bool IsProgramFile(std::string_view path);
