// The operation log read back as a journal of changes: what each record did to the phone, and the
// plans that take the phone back to an earlier moment or make its latest changes again.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The fifth field of a record that changed the phone: what undoing it takes.
inline constexpr std::string_view kUndoPrefix = "撤销：";
// The undo field of a change that found the phone as it would leave it.
inline constexpr std::string_view kNothingToUndo = "无需撤销（改动前已是如此）";

// One record: "time | origin | command | outcome", and " | 撤销：…" for a change that can be
// taken back.
struct JournalRecord {
    std::string time;
    std::string origin;
    std::string command;
    std::string outcome;
    std::optional<std::string> undo;  // the undo field without its prefix
};

// A record from its line; none for any other line (a heading, a note, a damaged record).
std::optional<JournalRecord> ParseRecord(std::string_view line);

// The undo field's text for commands run one after another (without the prefix).
std::string UndoText(std::span<const std::string> commands);

// One item of a plan: adb command lines run one after another, or a companion script.
struct PlanStep {
    std::vector<std::string> commands;
    std::string script;      // a script's file name, run instead of commands when set
    std::string scriptTwin;  // the script that takes back what it does
};

struct Plan {
    std::vector<PlanStep> steps;
    int skipped = 0;  // changes that the journal gives no way to take back (or to make again)
};

// The steps that return every package, setting and switched group that the records changed to
// the state it had before the first of them: the net effect only, newest first.
Plan PlanUndo(std::span<const JournalRecord> records);

// The steps that make the latest change of every package, setting and switched group among the
// records again, oldest first.
Plan PlanReapply(std::span<const JournalRecord> records);
