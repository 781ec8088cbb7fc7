// The operation log read back as a journal of changes: what each record did to the phone, and the
// plans that take the phone back to an earlier moment or make its latest changes again.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/phone_identity.h"
#include "core/script_changes.h"

// The last field of a record that changed the phone: what undoing it takes.
inline constexpr std::string_view kUndoPrefix = "撤销：";
// The undo field of a change that found the phone as it would leave it.
inline constexpr std::string_view kNothingToUndo = "无需撤销（改动前已是如此）";
// The undo field of a removal on a phone before Android 8.0, which no command takes back.
inline constexpr std::string_view kNoWayBackBeforeAndroid8 = "无法撤销（Android 8.0 之前的系统没有命令能装回卸载的应用）";
// The field that names the phone a change was made on, after the undo field.
inline constexpr std::string_view kPhonePrefix = "手机：";

// One record: "time | origin | command | outcome", " | 撤销：…" for a change that can be taken
// back, and " | 手机：MODEL（SERIAL）" for a change made on a phone the program knew. The writer
// keeps the separator out of every field but the command (see RecordField); a command the user
// typed may hold it.
struct JournalRecord {
    std::string time;
    std::string origin;
    std::string command;
    std::string outcome;
    std::optional<std::string> undo;    // the undo field without its prefix
    std::optional<PhoneIdentity> phone;  // none: a record of before phones were named, "未知手机"
};

// A record from its line; none for any other line (a heading, a note, a damaged record).
std::optional<JournalRecord> ParseRecord(std::string_view line);

// A field's text as a record holds it: the field separator inside it written with a full-width
// bar, so that no output of a command can pass for a field of its own.
std::string RecordField(std::string_view text);

// The undo field's text for changes made one after another (without the prefix).
std::string UndoText(std::span<const PhoneChange> changes);

// One item of a plan: the changes that bring one package or setting to the state it should have.
struct PlanStep {
    std::optional<std::string> from;  // the state the journal leaves it in; none when not known
    std::string to;
    std::vector<PhoneChange> changes;  // never empty; all of one subject
    // The step follows a companion script's list, which names packages for many models: an answer
    // that the phone has no such package means there is nothing to do.
    bool absentIsDone = false;
};

struct Plan {
    std::vector<PlanStep> steps;
    // The records whose changes the plan leaves as they are, by their position among the records
    // given, in order: changes of unknown effect, and changes without a known way back (or forward).
    std::vector<std::size_t> skipped;
};

// The steps that return every package and setting that the records changed to the state it had
// before the first of them: the net effect only, newest first. A package that a record changed
// in a way nobody saw (a script that did part of its work, a command whose end was not awaited)
// is left as it is, and that record named among the skipped.
Plan PlanUndo(std::span<const JournalRecord> records, const ScriptChanges& scripts);

// The steps that make the latest change of every package and setting among the records again,
// oldest first.
Plan PlanReapply(std::span<const JournalRecord> records, const ScriptChanges& scripts);
