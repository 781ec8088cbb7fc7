// Reading records back and planning from them: each record's effect on one subject, then the net
// effect per subject.
#include "core/journal.h"

#include <algorithm>
#include <map>

#include "core/operation_log.h"
#include "core/phone_changes.h"
#include "platform/system.h"
#include "platform/text.h"

namespace {

constexpr std::string_view kFieldSeparator = " | ";
constexpr std::string_view kCommandSeparator = " && ";

// Outcomes that say the command changed nothing: it was refused, did not start, or a script said
// so with its exit code.
constexpr std::string_view kNothingDoneMarks[] = {"未运行", "启动失败", "未做任何改动"};

// Commands that only ask, or only touch the link to the phone: nothing to take back.
constexpr std::string_view kLinkOrQueryCommands[] = {
    "adb devices", "adb get-state", "adb version", "adb connect", "adb disconnect", "adb kill-server",
    "adb start-server", "adb shell getprop", "adb shell pm list", "adb shell settings get",
    "adb shell settings list", "adb shell dumpsys",
};

// "2026-12-07 15:06:55"
bool IsRecordTime(std::string_view text)
{
    constexpr std::string_view kShape = "0000-00-00 00:00:00";
    if (text.size() != kShape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) {
            return false;
        }
    }
    return true;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator)) {
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    parts.push_back(text);
    return parts;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool SaysNothingWasDone(std::string_view outcome)
{
    return std::any_of(std::begin(kNothingDoneMarks), std::end(kNothingDoneMarks),
                       [outcome](std::string_view mark) { return Contains(outcome, mark); });
}

bool OnlyAsksOrLinks(std::string_view command)
{
    return std::any_of(std::begin(kLinkOrQueryCommands), std::end(kLinkOrQueryCommands),
                       [command](std::string_view start) {
                           return command.starts_with(start) &&
                                  (command.size() == start.size() || command[start.size()] == ' ');
                       });
}

// "goolgle_dis.bat": letters, digits and '_', then the system's script extension.
bool IsCompanionScriptName(std::string_view name)
{
    const std::string extension = ScriptFileName("");
    if (!name.ends_with(extension) || name.size() == extension.size()) {
        return false;
    }
    std::string_view stem = name.substr(0, name.size() - extension.size());
    return std::all_of(stem.begin(), stem.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// What one record did to one subject.
struct Effect {
    enum class What { Nothing, Unknown, Change };
    What what = What::Nothing;
    std::string subject;
    std::optional<std::string> before;  // none when the journal does not say
    std::string after;
    std::string command;     // the record's own, which makes the change again
    bool isScript = false;
};

Effect Unknown() { return {Effect::What::Unknown}; }

// Records written before undo fields existed: a confirmed package change is taken back by its
// opposite. A setting's earlier value was never read, so it has no way back.
std::optional<std::string> StateBeforeOldRecord(const PhoneChange& change)
{
    switch (change.kind) {
    case PhoneChange::Kind::Uninstall: return std::string(kInstalled);
    case PhoneChange::Kind::Restore: return std::string(kUninstalled);
    case PhoneChange::Kind::Disable: return std::string(kInstalled);
    case PhoneChange::Kind::Enable: return std::string(kDisabledUser);
    default: return std::nullopt;
    }
}

// The state the undo field's commands leave: that of the last one.
std::optional<std::string> StateUndoLeaves(std::string_view undo)
{
    std::optional<PhoneChange> last = ChangeOf(Split(undo, kCommandSeparator).back());
    return last ? std::optional<std::string>(last->StateAfter()) : std::nullopt;
}

// Two scripts that take back each other's work are one subject, whichever ran. Only companion
// script names are taken: a damaged or edited log must not make the program start anything else.
Effect ScriptEffect(const JournalRecord& record)
{
    const std::string& twin = *record.undo;
    if (!IsCompanionScriptName(twin) || !IsCompanionScriptName(record.command) || twin == record.command) {
        return Unknown();
    }
    std::string subject = JoinText({"script ", std::min(twin, record.command), " / ", std::max(twin, record.command)});
    return {Effect::What::Change, subject, twin, record.command, record.command, true};
}

Effect EffectOf(const JournalRecord& record)
{
    if (Contains(record.outcome, kUnfinishedRecordMark) || (record.undo && Contains(*record.undo, kUnfinishedRecordMark))) {
        return Unknown();
    }
    if (record.undo && *record.undo == kNothingToUndo) {
        return {};
    }
    std::optional<PhoneChange> change = ChangeOf(record.command);
    if (change && record.undo) {
        return {Effect::What::Change, change->Subject(), StateUndoLeaves(*record.undo), change->StateAfter(), record.command};
    }
    if (change) {
        if (!IsConfirmed(*change, record.outcome)) {
            bool unseen = record.outcome == kStartedOutcome || record.outcome == kNotAwaitedOutcome;
            return unseen ? Unknown() : Effect{};
        }
        return {Effect::What::Change, change->Subject(), StateBeforeOldRecord(*change), change->StateAfter(), record.command};
    }
    if (record.undo) {
        return ScriptEffect(record);
    }
    if (SaysNothingWasDone(record.outcome) || OnlyAsksOrLinks(record.command)) {
        return {};
    }
    return Unknown();
}

// Every subject's first and last change among the records, and the changes of unknown effect.
struct NetEffect {
    struct Subject {
        Effect first;
        Effect last;
        std::size_t lastAt = 0;
    };
    std::map<std::string, Subject> subjects;
    int unknown = 0;
};

NetEffect NetEffectOf(std::span<const JournalRecord> records)
{
    NetEffect net;
    for (std::size_t i = 0; i < records.size(); ++i) {
        Effect effect = EffectOf(records[i]);
        if (effect.what == Effect::What::Unknown) {
            ++net.unknown;
        } else if (effect.what == Effect::What::Change) {
            auto [at, isNew] = net.subjects.try_emplace(effect.subject);
            if (isNew) {
                at->second.first = effect;
            }
            at->second.last = std::move(effect);
            at->second.lastAt = i;
        }
    }
    return net;
}

// Steps with the position of the record they follow, put in order of it.
using PlacedSteps = std::vector<std::pair<std::size_t, PlanStep>>;

Plan InOrder(PlacedSteps placed, int skipped, bool newestFirst)
{
    std::stable_sort(placed.begin(), placed.end(), [newestFirst](const auto& a, const auto& b) {
        return newestFirst ? a.first > b.first : a.first < b.first;
    });
    Plan plan;
    plan.skipped = skipped;
    for (auto& [at, step] : placed) {
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

PlanStep ScriptStep(const std::string& script, const std::string& twin) { return {{}, script, twin}; }

}  // namespace

std::optional<JournalRecord> ParseRecord(std::string_view line)
{
    std::vector<std::string_view> fields = Split(line, kFieldSeparator);
    if (fields.size() < 4 || !IsRecordTime(fields[0])) {
        return std::nullopt;
    }
    JournalRecord record{std::string(fields[0]), std::string(fields[1])};
    if (fields.size() >= 5 && fields.back().starts_with(kUndoPrefix)) {
        record.undo = std::string(fields.back().substr(kUndoPrefix.size()));
        fields.pop_back();
    }
    // A command or an answer of the user's own may hold the separator itself.
    record.outcome = std::string(fields.back());
    std::string_view commandStart = fields[2];
    std::string_view outcome = fields.back();
    record.command = std::string(commandStart.data(), outcome.data() - kFieldSeparator.size() - commandStart.data());
    return record;
}

std::string UndoText(std::span<const std::string> commands)
{
    std::string text;
    for (const std::string& command : commands) {
        text += text.empty() ? command : JoinText({kCommandSeparator, command});
    }
    return text;
}

Plan PlanUndo(std::span<const JournalRecord> records)
{
    NetEffect net = NetEffectOf(records);
    int skipped = net.unknown;
    PlacedSteps placed;
    for (const auto& [subject, change] : net.subjects) {
        const std::optional<std::string>& before = change.first.before;
        if (before && *before == change.last.after) {
            continue;
        }
        if (before && change.first.isScript) {
            placed.emplace_back(change.lastAt, ScriptStep(*before, change.first.after));
            continue;
        }
        std::vector<std::string> commands = before ? CommandsBetween(subject, change.last.after, *before)
                                                   : std::vector<std::string>{};
        if (commands.empty()) {
            ++skipped;
        } else {
            placed.emplace_back(change.lastAt, PlanStep{std::move(commands)});
        }
    }
    return InOrder(std::move(placed), skipped, true);
}

Plan PlanReapply(std::span<const JournalRecord> records)
{
    NetEffect net = NetEffectOf(records);
    PlacedSteps placed;
    for (const auto& [subject, change] : net.subjects) {
        const Effect& last = change.last;
        if (last.isScript) {
            placed.emplace_back(change.lastAt, ScriptStep(last.command, *last.before));
        } else {
            placed.emplace_back(change.lastAt, PlanStep{{last.command}});
        }
    }
    return InOrder(std::move(placed), net.unknown, false);
}
