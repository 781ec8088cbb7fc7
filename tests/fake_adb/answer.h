// What one invocation of the fake adb prints and returns.
#pragma once

#include <string>
#include <vector>

using Args = std::vector<std::string>;

// "out" is standard output, "err" standard error; lines get the line end when written.
struct Answer {
    std::vector<std::string> out;
    std::vector<std::string> err;
    int exitCode = 0;
};

inline Answer Out(std::vector<std::string> lines) { return {std::move(lines), {}, 0}; }
inline Answer Fail(std::vector<std::string> errLines) { return {{}, std::move(errLines), 1}; }
