// The operation log: every command that can change the phone or its link, one line each in
// 操作记录.txt beside the program, or in the user's own folder when the program's cannot be written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/phone_changes.h"
#include "core/run_verdict.h"
#include "core/runner.h"
#include "platform/files.h"
#include "platform/process.h"

// Where a typed command comes from, in its record.
inline constexpr std::string_view kConsoleOrigin = "命令框";

// Ends a record that a full disk cut short, in the file (written before the next record) and in
// the operation-log window (after a cut record that ends its file), so that it is never taken for
// a whole one. Its first character is ASCII, so that a character cut in half before it stays
// apart from the mark when the log is read back.
inline constexpr std::string_view kUnfinishedRecordMark = " ……（此条记录未能写完整）";

// Outcomes of a command whose effect nobody saw: started and not waited for, or waited for until
// the program itself ended first.
inline constexpr std::string_view kStartedOutcome = "已启动";
inline constexpr std::string_view kNotAwaitedOutcome = "（程序已关闭，未等到结束）";
// The outcome of a command that printed nothing, and of a script that says with its exit code 0
// that it did all its work.
inline constexpr std::string_view kNoOutputOutcome = "（无输出）";
inline constexpr std::string_view kDoneOutcome = "已完成";

// Stores the command line in currentCommand, runs it with RunCurrentCommand and records it with
// its origin (by default the page or window and the caption of the control whose event is being
// handled) and what became of it (see JudgeRun): for a change Android confirmed, the last
// non-empty line it printed; otherwise the line that says why, "已拒绝：…" for a line too long to
// run, or that the program closed first. A blank command line runs unrecorded.
// A change to a package or a setting (see ChangeOf) first has the phone's current state read
// through the runner; once Android has confirmed it, its record carries the way back.
CommandRun RunAndRecord(std::string commandLine, std::string_view origin = {});

// RunAndRecord, and what became of the change (see JudgeRun), for the button's message.
Verdict RunAndJudge(std::string commandLine);

// A change made as RunAndRecord makes it, from the change itself rather than from a command line
// read back; confirmed once Android said it made it.
struct ChangeRun {
    CommandRun run;
    Verdict verdict;
    bool confirmed = false;
};
ChangeRun RunChange(const PhoneChange& change, std::string_view origin = {});

// True while a change is being made: from RunAndRecord's start to its record, or while
// StartAndRecord waits for a program. A click meanwhile (the windows keep answering) runs inside it.
bool IsChangeUnderway();

// An exit code as people read it: decimal, or hexadecimal for Windows' status codes
// (0xC000013A: the console window was closed).
std::string ExitCodeText(unsigned long exitCode);

// What an ended program's exit code means, as its record says it.
using ExitMeaning = std::string (*)(unsigned long exitCode);

// RunProgram, then a record of what became of the program: "启动失败", "已启动", what its exit
// code means (by default the code itself), or that the program ended before it did. A program
// that cannot be started is reported in a message, with where to read about it. A program that
// ended with code 0 (done) is recorded with undoWhenDone as its way back, when one is given; a
// companion script that declares its packages (see core/script_changes.h) has their states read
// first, and its way back brings back each package it changed as it was (undoWhenDone only when a
// state could not be read).
ProgramRun StartAndRecord(std::string_view commandLine, bool waitForExit, int showState,
                          ExitMeaning meaning = nullptr, std::string_view undoWhenDone = {});

// The message for a command line whose program cannot be started.
std::string NotStartedMessage(std::string_view commandLine);

// A command line that was not run, with why ("包名含有不允许的字符"): "已拒绝：<why>，未运行".
void RecordRefusal(std::string_view commandLine, std::string_view why);

// The log's files in one folder: the one written now and the one it was last rotated to.
struct LogPlace {
    std::string folder;
    std::string current;
    std::string rotated;
};

// Where records go, in order of choice: beside the program, then the user's own folder (when the
// system names one). A record goes to the first place that takes it.
std::vector<LogPlace> LogPlaces();

// Every place, the one whose log was written last at the end; places that hold no log first.
std::vector<LogPlace> LogPlacesOldestFirst();

// How a log file's bytes are written. The program writes UTF-8; an editor may have saved the file
// again in UTF-16 (Notepad's "Unicode", with its byte-order mark) or in the system's code page.
enum class LogEncoding { Utf8, Utf16, CodePage };
LogEncoding EncodingOf(const FileTail& file);
