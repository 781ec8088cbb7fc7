// The phone's package manager and settings as their shell commands answer, on the phone's kept state.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "fake_adb/phone_file.h"

using Args = std::vector<std::string>;

// What a command prints and returns: "out" is standard output, "err" standard error; lines get
// the line end when written.
struct Answer {
    std::vector<std::string> out;
    std::vector<std::string> err;
    int exitCode = 0;
};

inline Answer Out(std::vector<std::string> lines) { return {std::move(lines), {}, 0}; }

// The words from the one at "from" on, joined by blanks.
std::string Join(const Args& words, std::size_t from);

// The phone during one adb call: its state file, and for packages the file does not name the
// any-name rule (any name of letters, digits, '.' and '_' is on the phone, `installed`), unless the
// file says it lists only its packages.
struct Phone {
    PhoneFile file;
    bool changed = false;  // the state file has to be written back
    int sdk = 31;          // ro.build.version.sdk: before 26 (Android 8.0) there is no install-existing
};

// `pm VERB ...` and `cmd package VERB ...`: words[verbAt] is the verb, the words after it its arguments.
Answer PackageManager(const Args& words, std::size_t verbAt, Phone& phone);
// `settings ...`: words[0] is "settings".
Answer Settings(const Args& words, Phone& phone);

// The phone's properties that `getprop NAME` answers; any other name answers an empty line.
using PhoneProperties = std::map<std::string, std::string>;

// One shell command line, as the phone's shell runs it: commands separated by ';' one after the
// other, their answers joined and the last one's exit status; echo (its words on one line), getprop,
// pm, cmd package and settings on the kept state; every other command answers with nothing.
Answer ShellCommand(const std::string& commandLine, Phone& phone, const PhoneProperties& properties);
