// The operation-log window: the log read back for 记录编辑框, 刷新 and 清空, and the journal's
// 撤销 and 重新应用 from the record under the caret.
#include "core/operation_log_window.h"

#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "core/journal.h"
#include "core/operation_log.h"
#include "core/phone_changes.h"
#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/window_system.h"
#include "core/window_names.h"

namespace {

constexpr std::string_view kClearQuestion = "确定清空全部操作记录吗？";
constexpr std::string_view kWhereNote = "操作记录保存在：";
constexpr std::string_view kNotCleared = "以下操作记录文件未能删除，可能正被其他程序打开：";
constexpr std::string_view kEarlierNotShown = "……（更早的记录未显示）";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A rotated log and the current one are a little over 1 MB each; a file grown far past that by
// other hands is shown from its end, so that the box stays quick to fill and to scroll.
constexpr std::size_t kShownBytesPerFile = 2 * 1024 * 1024;
// An edit box wraps a very long line slowly, and no record is anywhere near this long.
constexpr std::size_t kLongestShownLine = 4000;

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// A zero byte would end the box's text early; other control characters show as nothing useful.
std::string ShownLine(std::string_view line)
{
    std::string shown;
    shown.reserve(line.size());
    while (!line.empty()) {
        if (line.starts_with(kByteOrderMark)) {
            line.remove_prefix(kByteOrderMark.size());
            continue;
        }
        auto c = static_cast<unsigned char>(line.front());
        if ((c < 0x20 && c != '\t') || c == 0x7F) {
            shown += kReplacementCharacter;
        } else {
            shown += line.front();
        }
        line.remove_prefix(1);
    }
    return ShortenedText(shown, kLongestShownLine);
}

}  // namespace

std::string LogTextForDisplay(const FileTail& file)
{
    std::string_view bytes(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
    if (std::size_t firstBreak = bytes.find('\n'); file.cut && firstBreak != std::string_view::npos) {
        bytes.remove_prefix(firstBreak + 1);
    }
    // The log is written in UTF-8; a copy saved by an editor in the system's code page still reads.
    std::string text = DecodeText(bytes, LegacyCodePage::Ansi);

    std::string shown;
    for (std::string_view rest = text; !rest.empty();) {
        std::size_t end = rest.find_first_of("\r\n");
        std::string line = ShownLine(rest.substr(0, end));
        // The last line without a line end was cut short; the next record will mark it in the file.
        if (end == std::string_view::npos && !IsBlank(line)) {
            line += kUnfinishedRecordMark;
        }
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!IsBlank(line)) {
            shown += line;
            shown += "\r\n";
        }
    }
    if (file.cut && !shown.empty()) {
        shown = JoinText({kEarlierNotShown, "\r\n", shown});
    }
    return shown;
}

namespace {

// The records of one place, the rotated file's older ones first; empty when it holds none.
std::string RecordsOf(const LogPlace& place)
{
    return LogTextForDisplay(ReadFileTail(place.rotated, kShownBytesPerFile)) +
           LogTextForDisplay(ReadFileTail(place.current, kShownBytesPerFile));
}

// The places that hold records, the one written last at the end, each with its records.
std::vector<std::pair<LogPlace, std::string>> HeldRecords()
{
    std::vector<std::pair<LogPlace, std::string>> held;
    for (const LogPlace& place : LogPlacesOldestFirst()) {
        if (std::string records = RecordsOf(place); !records.empty()) {
            held.emplace_back(place, std::move(records));
        }
    }
    return held;
}

}  // namespace

// Every place that holds records is shown, the one written last at the end. Records away from
// the program's folder, or in more than one place, are headed by where they are kept, since the
// user will not find them beside the program. Records read best from the left; the sentence that
// stands in for them is centred.
void ShowOperationLog(const EventArgs&)
{
    const std::string programFolder = LogPlaces().front().folder;
    std::vector<std::pair<LogPlace, std::string>> held = HeldRecords();
    if (held.empty()) {
        SetAlignment(OperationLogWindow, kLogBox, Align::Centre);
        SetText(OperationLogWindow, kLogBox, kNoRecordsText);
        return;
    }
    std::string shown;
    for (const auto& [place, records] : held) {
        if (held.size() > 1 || place.folder != programFolder) {
            shown += JoinText({shown.empty() ? "" : "\r\n", kWhereNote, place.current, "\r\n\r\n"});
        }
        shown += records;
    }
    shown.resize(shown.size() - 2);  // the last line break: the box ends on the newest record
    SetAlignment(OperationLogWindow, kLogBox, Align::Left);
    SetText(OperationLogWindow, kLogBox, shown);
    ScrollToEnd(OperationLogWindow, kLogBox);
}

// Every place is emptied, not only the one shown: a log left in the other place would otherwise
// appear in its stead.
void ClearOperationLog(const EventArgs&)
{
    if (!AskYesNo(kClearQuestion)) {
        return;
    }
    std::string kept;
    for (const LogPlace& place : LogPlaces()) {
        for (const std::string& path : {place.rotated, place.current}) {
            if (!RemoveFile(path)) {
                kept += JoinText({"\r\n", path});
            }
        }
    }
    ShowOperationLog({});
    if (!kept.empty()) {
        ShowMessage(JoinText({kNotCleared, kept}));
    }
}

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
