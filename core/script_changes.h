// The package changes that the program's own companion scripts declare: each script that changes
// packages names the change and the packages in two variables that its own loop runs through, and
// the journal reads the same two variables.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/phone_changes.h"

// For each companion script's file name, the change it makes to each package it names, in its
// order: what it has done once it reports that it did all its work.
using ScriptChanges = std::map<std::string, std::vector<PhoneChange>, std::less<>>;

// The changes a script's text declares: the command line "adb shell ", its "change" variable (a
// package manager command without the package) and each word of its "packages" variable. The variables are
// read as either system's script sets them: change="..." and a packages="..." that may span lines
// (shell), or set "change=..." and set packages=... lines where %packages% stands for the words
// set before (batch). Empty when a variable is missing or a command is not one of the program's
// own package changes.
std::vector<PhoneChange> DeclaredChanges(std::string_view scriptText);

// The declared changes of the program's own scripts that change packages (a fixed list), read
// from beside the program. A script that is missing or declares nothing usable is left out, so
// that its records count as changes of unknown effect.
ScriptChanges ReadScriptChanges();
