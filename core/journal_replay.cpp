// The operation-log window's 撤销 and 重新应用: finding the chosen record in the journal, asking,
// running the plan through the runner and saying how it went.
#include "core/journal_replay.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/journal.h"
#include "core/operation_log.h"
#include "core/operation_log_window.h"
#include "core/phone_changes.h"
#include "core/window_names.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

// The journal as it stands in the files now, and the record the user chose in the box.
struct ChosenJournal {
    std::vector<JournalRecord> records;
    std::optional<std::size_t> chosen;  // none: the caret is on no record
};

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at <= text.size();) {
        std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
        at = end + 1;
    }
    return lines;
}

// The box may be older than the files: the line under the caret is looked up afresh, as the same
// occurrence of the same text (two records can match to the second).
ChosenJournal JournalAtCaret()
{
    std::string box = GetText(OperationLogWindow, kLogBox);
    std::size_t caret = std::min(CaretOffset(OperationLogWindow, kLogBox), box.size());
    std::vector<std::string_view> boxLines = Lines(box);
    std::size_t caretLine = Lines(std::string_view(box).substr(0, caret)).size() - 1;
    std::string_view chosenLine = boxLines[caretLine];
    bool onRecord = ParseRecord(chosenLine).has_value();
    std::size_t occurrence = static_cast<std::size_t>(std::count(boxLines.begin(), boxLines.begin() + caretLine, chosenLine));

    ChosenJournal journal;
    for (const auto& [place, records] : HeldRecords()) {
        for (std::string_view line : Lines(records)) {
            std::optional<JournalRecord> record = ParseRecord(line);
            if (!record) {
                continue;
            }
            if (onRecord && !journal.chosen && line == chosenLine && occurrence-- == 0) {
                journal.chosen = journal.records.size();
            }
            journal.records.push_back(std::move(*record));
        }
    }
    return journal;
}

struct Tally {
    int done = 0;
    int failed = 0;
};

bool RunCommandStep(const PlanStep& step)
{
    for (const std::string& command : step.commands) {
        CommandRun run = RunAndRecord(command);
        std::optional<PhoneChange> change = ChangeOf(command);
        if (!run.awaited || !change || !IsConfirmed(*change, run.output)) {
            return false;
        }
    }
    return true;
}

// A script says with exit code 0 that it did all its work.
bool RunScriptStep(const PlanStep& step)
{
    ProgramRun run = StartAndRecord(step.script, true, ShowHidden, nullptr, step.scriptTwin);
    return run.end == ProgramEnd::Ended && run.exitCode == 0;
}

// Each step's commands through the runner, or its script hidden and waited for; each recorded
// with this window's button as its origin and its own way back.
std::optional<Tally> RunPlan(const Plan& plan)
{
    Tally tally;
    for (const PlanStep& step : plan.steps) {
        bool done = step.script.empty() ? RunCommandStep(step) : RunScriptStep(step);
        if (IsProgramEnding()) {
            return std::nullopt;
        }
        ++(done ? tally.done : tally.failed);
    }
    return tally;
}

std::string SkippedNote(int skipped, std::string_view what)
{
    return skipped == 0 ? std::string() : JoinText({"（", std::to_string(skipped), " 项无法", what, "，将跳过）"});
}

std::string Summary(std::string_view did, const Tally& tally, int skipped)
{
    return JoinText({did, std::to_string(tally.done), " 项，失败 ", std::to_string(tally.failed), " 项，跳过 ",
                     std::to_string(skipped), " 项"});
}

// One run at a time: a second click while the steps run would plan from a journal they are
// still writing.
bool running = false;

void AskAndRun(const Plan& plan, const std::string& question, std::string_view did)
{
    if (!AskYesNo(question)) {
        return;
    }
    running = true;
    std::optional<Tally> tally = RunPlan(plan);
    running = false;
    if (!tally) {
        return;
    }
    ShowOperationLog({});
    ShowMessage(Summary(did, *tally, plan.skipped));
}

}  // namespace

void UndoFromCaret(const EventArgs&)
{
    if (running) {
        return;
    }
    ChosenJournal journal = JournalAtCaret();
    if (!journal.chosen) {
        ShowMessage("请先在记录中点一下要撤销的第一条记录：撤销会把从这条记录起的改动恢复原样。");
        return;
    }
    const std::string& since = journal.records[*journal.chosen].time;
    Plan plan = PlanUndo(std::span(journal.records).subspan(*journal.chosen));
    if (plan.steps.empty()) {
        ShowMessage(JoinText({since, " 以来没有需要恢复的改动", SkippedNote(plan.skipped, "撤销"), "。"}));
        return;
    }
    AskAndRun(plan,
              JoinText({"将把 ", since, " 以来的 ", std::to_string(plan.steps.size()), " 项改动恢复原样",
                        SkippedNote(plan.skipped, "撤销"), "，确定吗？"}),
              "已撤销 ");
}

// Without a chosen record, the whole journal.
void ReapplyFromCaret(const EventArgs&)
{
    if (running) {
        return;
    }
    ChosenJournal journal = JournalAtCaret();
    std::size_t from = journal.chosen.value_or(0);
    Plan plan = PlanReapply(std::span(journal.records).subspan(from));
    std::string since = journal.chosen ? JoinText({journal.records[from].time, " 以来"}) : std::string("操作记录中");
    if (plan.steps.empty()) {
        ShowMessage(JoinText({since, "没有可以重新应用的改动", SkippedNote(plan.skipped, "重新应用"), "。"}));
        return;
    }
    std::string scope = journal.chosen ? JoinText({" ", since, "的 "}) : std::string("操作记录中全部的 ");
    AskAndRun(plan,
              JoinText({"将重新应用", scope, std::to_string(plan.steps.size()), " 项改动",
                        SkippedNote(plan.skipped, "重新应用"), "，确定吗？"}),
              "已重新应用 ");
}
