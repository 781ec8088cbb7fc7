// The operation log: every command that can change the phone or its link, one line each in
// 操作记录.txt beside the program, or in the user's own folder when the program's cannot be written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where a typed command comes from, in its record.
inline constexpr std::string_view kConsoleOrigin = "命令框";

// Stores the command line in currentCommand, runs it with RunCurrentCommand and records it with
// its origin (by default the page or window and the caption of the control whose event is being
// handled) and the last non-empty line it printed. A blank command line runs unrecorded.
void RunAndRecord(std::string commandLine, std::string_view origin = {});

// RunProgram, then a record of whether the program started ("已启动" or "启动失败").
bool StartAndRecord(std::string_view commandLine, bool waitForExit, int showState);

// A command line that was not run because its catalogue value is not a safe package name.
void RecordRefusal(std::string_view commandLine);

// The log's files in one folder: the one written now and the one it was last rotated to.
struct LogPlace {
    std::string folder;
    std::string current;
    std::string rotated;
};

// Where records go, in order of choice: beside the program, then the user's own folder (when the
// system names one). A record goes to the first place that takes it.
std::vector<LogPlace> LogPlaces();

// The place whose log was written last; beside the program when no place holds a log.
LogPlace NewestLogPlace();
