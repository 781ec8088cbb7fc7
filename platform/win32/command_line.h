// The command line that RunProgram hands to CreateProcessW.
#pragma once

#include <string>
#include <string_view>

// The command line with its program in quotes when the program is named by a full path ("C:\..."
// or "\\server\share\..."), so that blanks, parentheses and other characters in its folders stay
// part of the path. The program ends at the first ".exe", ".com", ".bat" or ".cmd" (any case)
// followed by a blank or the end; what follows it is kept as it is. A line that starts with
// anything else, or names no such program, is returned unchanged.
std::string ProgramCommandLine(std::string_view commandLine);
