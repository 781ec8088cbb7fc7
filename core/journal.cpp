// Reading records back and planning from them: each record's effects on packages and settings,
// then the net effect per package or setting.
#include "core/journal.h"

#include <algorithm>
#include <map>

#include "core/operation_log.h"
#include "core/phone_changes.h"
#include "platform/text.h"

namespace {

constexpr std::string_view kFieldSeparator = " | ";
constexpr std::string_view kEscapedSeparator = " ｜ ";
constexpr std::string_view kCommandSeparator = " && ";

// Outcomes that say the command changed nothing: it was refused, did not start, or a script said
// so with its exit code.
constexpr std::string_view kNothingDoneMarks[] = {"未运行", "启动失败", "未做任何改动"};

// Commands that only ask, only touch the link to the phone, or restart it: nothing to take back.
constexpr std::string_view kLinkOrQueryCommands[] = {
    "adb devices", "adb get-state", "adb version", "adb connect", "adb disconnect", "adb kill-server",
    "adb start-server", "adb tcpip", "adb reboot", "adb reboot-bootloader", "adb shell getprop",
    "adb shell pm list", "adb shell settings get", "adb shell settings list", "adb shell dumpsys",
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

bool IsUnseen(std::string_view outcome) { return outcome == kStartedOutcome || outcome == kNotAwaitedOutcome; }

// What the command printed, as far as its record's outcome tells: the last line it printed, or
// nothing at all.
std::string_view PrintedOutput(std::string_view outcome) { return outcome == kNoOutputOutcome ? "" : outcome; }

// What one record did to one package or setting, or to something unknown.
struct Effect {
    enum class What { Unknown, Change };
    What what = What::Unknown;
    std::optional<PhoneChange> change;  // the record's change, which makes it again; none: anything
    std::optional<std::string> before;  // none when the journal does not say
    bool fromScript = false;
};

using Effects = std::vector<Effect>;

Effect UnknownEffectOn(const PhoneChange& change) { return {Effect::What::Unknown, change}; }

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

// The undo field's changes; none when any of its commands is not one of the program's own.
std::optional<std::vector<PhoneChange>> UndoChanges(std::string_view undo)
{
    std::vector<PhoneChange> changes;
    for (std::string_view command : Split(undo, kCommandSeparator)) {
        std::optional<PhoneChange> change = ChangeOf(command);
        if (!change) {
            return std::nullopt;
        }
        changes.push_back(std::move(*change));
    }
    return changes;
}

// The state in which the undo field leaves the change's subject: that of the last of its changes
// of it; the state the change leaves when it has none (the change found it so). None when the
// field is not the program's own, or has changes of other subjects where it should have none.
std::optional<std::string> StateUndoLeaves(std::string_view undo, const PhoneChange& change, bool othersAllowed)
{
    std::optional<std::vector<PhoneChange>> back = UndoChanges(undo);
    if (!back) {
        return std::nullopt;
    }
    std::optional<std::string> state = change.StateAfter();
    for (const PhoneChange& one : *back) {
        if (one.Subject() == change.Subject()) {
            state = one.StateAfter();
        } else if (!othersAllowed) {
            return std::nullopt;
        }
    }
    return state;
}

// The package's state before a script that did all its work. Its undo field lists the changes
// that bring back each package it changed; records written before scripts' packages were read
// name the twin script instead, which leaves each package as it declares.
std::optional<std::string> StateBeforeScript(const JournalRecord& record, const PhoneChange& change,
                                             const ScriptChanges& scripts)
{
    if (!record.undo) {
        return std::nullopt;
    }
    auto twin = scripts.find(*record.undo);
    if (twin == scripts.end()) {
        return StateUndoLeaves(*record.undo, change, true);
    }
    for (const PhoneChange& back : twin->second) {
        if (back.Subject() == change.Subject()) {
            return back.StateAfter();
        }
    }
    return std::nullopt;
}

// A script that did all its work changed each package it declares that it did not find so; one
// that did part of it, or whose end nobody saw, changed them in a way nobody knows.
Effects ScriptEffects(const JournalRecord& record, const std::vector<PhoneChange>& changes,
                      const ScriptChanges& scripts)
{
    if (SaysNothingWasDone(record.outcome)) {
        return {};
    }
    bool done = record.outcome == kDoneOutcome;
    Effects effects;
    for (const PhoneChange& change : changes) {
        if (!done) {
            effects.push_back(UnknownEffectOn(change));
            continue;
        }
        std::optional<std::string> before = StateBeforeScript(record, change, scripts);
        if (!before || *before != change.StateAfter()) {
            effects.push_back({Effect::What::Change, change, before, true});
        }
    }
    return effects;
}

// An undo field counts only on a record whose outcome confirms the change it undoes.
Effects CommandEffects(const JournalRecord& record, const PhoneChange& change)
{
    if (!IsConfirmed(change, PrintedOutput(record.outcome))) {
        return IsUnseen(record.outcome) ? Effects{UnknownEffectOn(change)} : Effects{};
    }
    std::optional<std::string> before =
        record.undo ? StateUndoLeaves(*record.undo, change, false) : StateBeforeOldRecord(change);
    return {{Effect::What::Change, change, before}};
}

Effects EffectsOf(const JournalRecord& record, const ScriptChanges& scripts)
{
    if (Contains(record.outcome, kUnfinishedRecordMark) || (record.undo && Contains(*record.undo, kUnfinishedRecordMark))) {
        return {{}};
    }
    if (record.undo && *record.undo == kNothingToUndo) {
        return {};
    }
    if (std::optional<PhoneChange> change = ChangeOf(record.command)) {
        return CommandEffects(record, *change);
    }
    if (auto script = scripts.find(record.command); script != scripts.end()) {
        return ScriptEffects(record, script->second, scripts);
    }
    if (!record.undo && (SaysNothingWasDone(record.outcome) || OnlyAsksOrLinks(record.command))) {
        return {};
    }
    return {{}};
}

// Every subject's first and last change among the records, the records that changed it in a way
// nobody knows, and the records of unknown effect on anything.
struct NetEffect {
    struct Subject {
        Effect first;
        std::size_t firstAt = 0;
        Effect last;
        std::size_t lastAt = 0;
        std::vector<std::size_t> unknownAt;
        bool changed = false;
    };
    std::map<std::string, Subject> subjects;
    std::vector<std::size_t> unknownAt;
};

void Add(NetEffect& net, Effect effect, std::size_t at)
{
    if (!effect.change) {
        net.unknownAt.push_back(at);
        return;
    }
    NetEffect::Subject& subject = net.subjects[effect.change->Subject()];
    if (effect.what == Effect::What::Unknown) {
        subject.unknownAt.push_back(at);
        return;
    }
    if (!subject.changed) {
        subject.first = effect;
        subject.firstAt = at;
        subject.changed = true;
    }
    subject.last = std::move(effect);
    subject.lastAt = at;
}

NetEffect NetEffectOf(std::span<const JournalRecord> records, const ScriptChanges& scripts)
{
    NetEffect net;
    for (std::size_t i = 0; i < records.size(); ++i) {
        for (Effect& effect : EffectsOf(records[i], scripts)) {
            Add(net, std::move(effect), i);
        }
    }
    return net;
}

// Steps with the position of the record they follow, put in order of it.
using PlacedSteps = std::vector<std::pair<std::size_t, PlanStep>>;

Plan InOrder(PlacedSteps placed, std::vector<std::size_t> skipped, bool newestFirst)
{
    std::stable_sort(placed.begin(), placed.end(), [newestFirst](const auto& a, const auto& b) {
        return newestFirst ? a.first > b.first : a.first < b.first;
    });
    Plan plan;
    for (auto& [at, step] : placed) {
        plan.steps.push_back(std::move(step));
    }
    std::sort(skipped.begin(), skipped.end());
    skipped.erase(std::unique(skipped.begin(), skipped.end()), skipped.end());
    plan.skipped = std::move(skipped);
    return plan;
}

}  // namespace

std::optional<JournalRecord> ParseRecord(std::string_view line)
{
    std::vector<std::string_view> fields = Split(line, kFieldSeparator);
    if (fields.size() < 4 || !IsRecordTime(fields[0])) {
        return std::nullopt;
    }
    JournalRecord record{std::string(fields[0]), std::string(fields[1])};
    if (fields.size() >= 5 && fields.back().starts_with(kPhonePrefix)) {
        record.phone = PhoneFromName(fields.back().substr(kPhonePrefix.size()));
        fields.pop_back();
    }
    if (fields.size() >= 5 && fields.back().starts_with(kUndoPrefix)) {
        record.undo = std::string(fields.back().substr(kUndoPrefix.size()));
        fields.pop_back();
    }
    // A command the user typed may hold the separator itself.
    record.outcome = std::string(fields.back());
    std::string_view commandStart = fields[2];
    std::string_view outcome = fields.back();
    record.command = std::string(commandStart.data(), outcome.data() - kFieldSeparator.size() - commandStart.data());
    return record;
}

std::string RecordField(std::string_view text)
{
    std::vector<std::string_view> parts = Split(text, kFieldSeparator);
    std::string field(parts.front());
    for (std::size_t i = 1; i < parts.size(); ++i) {
        field += JoinText({kEscapedSeparator, parts[i]});
    }
    return field;
}

std::string UndoText(std::span<const PhoneChange> changes)
{
    std::string text;
    for (const PhoneChange& change : changes) {
        text += text.empty() ? change.CommandLine() : JoinText({kCommandSeparator, change.CommandLine()});
    }
    return text;
}

Plan PlanUndo(std::span<const JournalRecord> records, const ScriptChanges& scripts)
{
    NetEffect net = NetEffectOf(records, scripts);
    std::vector<std::size_t> skipped = net.unknownAt;
    PlacedSteps placed;
    for (const auto& entry : net.subjects) {
        const NetEffect::Subject& change = entry.second;
        if (!change.unknownAt.empty()) {
            skipped.insert(skipped.end(), change.unknownAt.begin(), change.unknownAt.end());
            continue;
        }
        const std::optional<std::string>& before = change.first.before;
        const std::string after = change.last.change->StateAfter();
        if (before && *before == after) {
            continue;
        }
        std::vector<PhoneChange> back = before ? ChangesBetween(*change.last.change, after, *before) : std::vector<PhoneChange>{};
        if (back.empty()) {
            skipped.push_back(change.firstAt);
            continue;
        }
        bool absentIsDone = change.first.fromScript || change.last.fromScript;
        placed.emplace_back(change.lastAt, PlanStep{after, *before, std::move(back), absentIsDone});
    }
    return InOrder(std::move(placed), std::move(skipped), true);
}

// A change of unknown effect after a subject's last known change leaves its latest state unknown.
Plan PlanReapply(std::span<const JournalRecord> records, const ScriptChanges& scripts)
{
    NetEffect net = NetEffectOf(records, scripts);
    std::vector<std::size_t> skipped = net.unknownAt;
    PlacedSteps placed;
    for (const auto& entry : net.subjects) {
        const NetEffect::Subject& change = entry.second;
        auto laterUnknown = std::find_if(change.unknownAt.begin(), change.unknownAt.end(),
                                         [&change](std::size_t at) { return !change.changed || at > change.lastAt; });
        if (laterUnknown != change.unknownAt.end()) {
            skipped.insert(skipped.end(), laterUnknown, change.unknownAt.end());
            continue;
        }
        const Effect& last = change.last;
        placed.emplace_back(change.lastAt, PlanStep{std::nullopt, last.change->StateAfter(), {*last.change}, last.fromScript});
    }
    return InOrder(std::move(placed), std::move(skipped), false);
}
