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
#include "core/phone_identity.h"
#include "core/run_verdict.h"
#include "core/script_changes.h"
#include "core/window_names.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

// How many changes or skipped records a question lists before it counts the rest.
constexpr std::size_t kListedLines = 15;

// The journal as it stands in the files now, every record in time order, and the record the user
// chose in the box.
struct ChosenJournal {
    std::vector<JournalRecord> records;
    std::optional<std::size_t> chosen;    // none: the caret is on no record
    bool moved = false;                   // the caret's record no longer lies where the box shows it
    std::vector<std::string> unreadable;  // files that hold records but cannot be read, with why
};

// The line of the box under the caret, and its number.
std::pair<std::size_t, std::string> CaretLine()
{
    std::string box = GetText(OperationLogWindow, kLogBox);
    std::size_t caret = std::min(CaretOffset(OperationLogWindow, kLogBox), box.size());
    std::size_t start = box.rfind('\n', caret == 0 ? 0 : caret - 1);
    start = caret == 0 || start == std::string::npos ? 0 : start + 1;
    std::size_t end = std::min(box.find_first_of("\r\n", start), box.size());
    auto number = static_cast<std::size_t>(std::count(box.begin(), box.begin() + static_cast<std::ptrdiff_t>(start), '\n'));
    return {number, box.substr(start, end - start)};
}

// The box may be older than the files: the record is looked up where the box says it lies, and
// counts only when the same line is still there. Records are put in order of their time, across
// files and places alike (a record goes to the user's folder while the program's cannot be
// written); records of the same second keep the order in which they were read.
ChosenJournal JournalAtCaret()
{
    auto [number, text] = CaretLine();
    std::optional<RecordSpot> spot = SpotOfShownLine(number);
    bool onRecord = spot && ParseRecord(text).has_value();

    struct Read {
        JournalRecord record;
        bool chosen;
    };
    std::vector<Read> read;
    ChosenJournal journal;
    for (HeldPlace& place : HeldRecords()) {
        journal.unreadable.insert(journal.unreadable.end(), place.unreadable.begin(), place.unreadable.end());
        for (const LogLine& line : place.lines) {
            if (std::optional<JournalRecord> record = ParseRecord(line.text)) {
                read.push_back({std::move(*record), onRecord && line.spot == spot && line.text == text});
            }
        }
    }
    std::stable_sort(read.begin(), read.end(), [](const Read& a, const Read& b) { return a.record.time < b.record.time; });
    for (Read& one : read) {
        if (one.chosen) {
            journal.chosen = journal.records.size();
        }
        journal.records.push_back(std::move(one.record));
    }
    journal.moved = onRecord && !journal.chosen;
    return journal;
}

struct Tally {
    int done = 0;
    int failed = 0;
};

// A step from a script's list finds nothing to do on a phone that lacks the package.
bool RunStep(const PlanStep& step)
{
    for (const PhoneChange& change : step.changes) {
        ChangeRun made = RunChange(change);
        if (made.confirmed) {
            continue;
        }
        return made.run.awaited && step.absentIsDone && SaysPackageIsAbsent(made.run.output);
    }
    return true;
}

// Each step's changes through the runner, each recorded with this window's button as its origin
// and its own way back.
std::optional<Tally> RunPlan(const Plan& plan)
{
    Tally tally;
    for (const PlanStep& step : plan.steps) {
        bool done = RunStep(step);
        if (IsProgramEnding()) {
            return std::nullopt;
        }
        ++(done ? tally.done : tally.failed);
    }
    return tally;
}

std::string StateName(const PhoneChange& subject, std::string_view state)
{
    if (subject.IsSetting()) {
        return state == kNotSet ? std::string("未设置") : std::string(state);
    }
    if (state == kInstalled) {
        return "已安装";
    }
    return state == kUninstalled ? "已卸载" : "已停用";
}

// "com.huawei.weather：已卸载 → 已安装", "设置 global adb_enabled：1 → 0（不是本程序提供的设置）";
// a step of 重新应用, which does not know the state now: "com.huawei.weather：改为 已卸载".
std::string StepLine(const PlanStep& step)
{
    const PhoneChange& subject = step.changes.front();
    std::string name = subject.IsSetting() ? JoinText({"设置 ", subject.space, " ", subject.key}) : subject.package;
    std::string change = step.from ? JoinText({StateName(subject, *step.from), " → ", StateName(subject, step.to)})
                                   : JoinText({"改为 ", StateName(subject, step.to)});
    std::string_view unoffered = subject.IsSetting() && !IsOfferedSetting(subject) ? "（不是本程序提供的设置）" : "";
    return JoinText({name, "：", change, unoffered});
}

// The first lines one per line, then how many there are in all.
std::string Listed(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kListedLines; ++i) {
        text += JoinText({"\r\n", lines[i]});
    }
    if (lines.size() > kListedLines) {
        text += JoinText({"\r\n…等 ", std::to_string(lines.size()), " 项"});
    }
    return text;
}

std::string ChangesListed(const Plan& plan)
{
    std::vector<std::string> lines;
    for (const PlanStep& step : plan.steps) {
        lines.push_back(StepLine(step));
    }
    return Listed(lines);
}

// The skipped records by their time and command, so that the user can see to them.
std::string SkippedNote(const Plan& plan, std::span<const JournalRecord> records, std::string_view what)
{
    if (plan.skipped.empty()) {
        return {};
    }
    std::vector<std::string> lines;
    for (std::size_t at : plan.skipped) {
        lines.push_back(JoinText({records[at].time, "  ", records[at].command}));
    }
    return JoinText({"\r\n\r\n以下 ", std::to_string(plan.skipped.size()), " 条记录的改动无法", what,
                     "，将保持原样：", Listed(lines)});
}

std::string Summary(std::string_view did, const Tally& tally, std::size_t skipped)
{
    return JoinText({did, std::to_string(tally.done), " 项，失败 ", std::to_string(tally.failed), " 项，跳过 ",
                     std::to_string(skipped), " 项"});
}

bool planRunning = false;

// The records of one phone, and how many of the others there are. Records of before phones were
// named belong together to the unknown phone, none.
struct PhoneRecords {
    std::vector<JournalRecord> records;
    std::size_t others = 0;
};

PhoneRecords RecordsOf(const std::optional<PhoneIdentity>& phone, std::span<const JournalRecord> records)
{
    PhoneRecords mine;
    for (const JournalRecord& record : records) {
        if (record.phone == phone) {
            mine.records.push_back(record);
        } else {
            ++mine.others;
        }
    }
    return mine;
}

std::string OthersNote(std::size_t others)
{
    return others == 0 ? std::string() : JoinText({"\r\n\r\n", std::to_string(others), " 项属于其他手机，未改动。"});
}

// The phone a plan would change: the one adb reaches now. None, and the message says why, when
// there is none, or several and none chosen.
std::optional<PhoneIdentity> PhoneToPlanFor(std::string_view what)
{
    const PhoneReading& reading = ActionPhone();
    if (!reading.phone) {
        ShowMessage(JoinText({"不能", what, "，没有改动：", VerdictMessage(reading.verdict)}));
    }
    return reading.phone;
}

// The name a record gives its phone.
std::string PhoneName(const std::optional<PhoneIdentity>& phone) { return phone ? phone->Name() : std::string(kUnknownPhone); }

// What a plan from these records may need to know of the phone, read with it in one call: which
// packages are installed for the user and switched off (any package step may bring one back), and
// every setting the records change.
ActionReads PlanReads(std::span<const JournalRecord> records)
{
    std::vector<PhoneChange> settings;
    for (const JournalRecord& record : records) {
        if (std::optional<PhoneChange> change = ChangeOf(record.command); change && change->IsSetting()) {
            settings.push_back(*change);
        }
    }
    ActionReads reads = ReadsFor(settings);
    reads.installedPackages = true;
    return reads;
}

// From the phone's read to the plan's last step, through the question: one plan at a time, and
// nothing that would change the records it plans from.
class PlanUnderway {
public:
    explicit PlanUnderway(ActionReads reads) : action_(std::move(reads)) { planRunning = true; }
    ~PlanUnderway() { planRunning = false; }
    PlanUnderway(const PlanUnderway&) = delete;
    PlanUnderway& operator=(const PlanUnderway&) = delete;

private:
    ActionScope action_;
};

void AskAndRun(const Plan& plan, const std::string& question, std::string_view did)
{
    if (!AskYesNo(question)) {
        return;
    }
    std::optional<Tally> tally = RunPlan(plan);
    if (!tally) {
        return;
    }
    ShowOperationLog({});
    ShowMessage(Summary(did, *tally, plan.skipped.size()));
}

// A plan needs every record: none is made while another change is being made (its record is not
// written yet, a bulk action goes on after it), while a file cannot be read, or from a box older
// than the files. A second click while the steps run would plan from a journal they are still
// writing.
std::optional<ChosenJournal> JournalToPlanFrom(std::string_view what)
{
    if (planRunning) {
        ShowMessage(JoinText({"撤销或重新应用正在进行，请等它结束后再", what, "。"}));
        return std::nullopt;
    }
    if (IsChangeUnderway()) {
        ShowMessage(JoinText({"另一项操作正在进行，请等它结束后再", what, "。"}));
        return std::nullopt;
    }
    ChosenJournal journal = JournalAtCaret();
    if (!journal.unreadable.empty()) {
        std::string files;
        for (const std::string& unreadable : journal.unreadable) {
            files += JoinText({"\r\n", unreadable});
        }
        ShowMessage(JoinText({"有操作记录未能读取，", what, "需要全部记录，现在不能进行：", files}));
        return std::nullopt;
    }
    if (journal.moved) {
        ShowOperationLog({});
        ShowMessage("操作记录已有变动，已重新读取。请再点一下要从哪条记录开始。");
        return std::nullopt;
    }
    return journal;
}

}  // namespace

bool IsPlanRunning() { return planRunning; }

void UndoFromCaret(const EventArgs&)
{
    std::optional<ChosenJournal> journal = JournalToPlanFrom("撤销");
    if (!journal) {
        return;
    }
    if (!journal->chosen) {
        ShowMessage("请先在记录中点一下要撤销的第一条记录：撤销会把从这条记录起的改动恢复原样。");
        return;
    }
    PlanUnderway underway(PlanReads(std::span(journal->records).subspan(*journal->chosen)));
    std::optional<PhoneIdentity> phone = PhoneToPlanFor("撤销");
    if (!phone) {
        return;
    }
    const std::string& since = journal->records[*journal->chosen].time;
    PhoneRecords mine = RecordsOf(*phone, std::span(journal->records).subspan(*journal->chosen));
    Plan plan = PlanUndo(mine.records, ReadScriptChanges());
    std::string skipped = SkippedNote(plan, mine.records, "撤销") + OthersNote(mine.others);
    if (plan.steps.empty()) {
        ShowMessage(JoinText({"这部手机 ", phone->Name(), " ", since, " 以来没有需要恢复的改动。", skipped}));
        return;
    }
    AskAndRun(plan,
              JoinText({"将把这部手机 ", phone->Name(), " ", since, " 以来的 ", std::to_string(plan.steps.size()),
                        " 项改动恢复原样：", ChangesListed(plan), skipped, "\r\n\r\n确定吗？"}),
              "已撤销 ");
}

// Without a chosen record, the whole journal.
void ReapplyFromCaret(const EventArgs&)
{
    std::optional<ChosenJournal> journal = JournalToPlanFrom("重新应用");
    if (!journal) {
        return;
    }
    std::size_t from = journal->chosen.value_or(0);
    PlanUnderway underway(PlanReads(std::span(journal->records).subspan(from)));
    std::optional<PhoneIdentity> phone = PhoneToPlanFor("重新应用");
    if (!phone) {
        return;
    }
    // The caret on another phone's record moves that phone's changes to this one, on purpose.
    std::optional<PhoneIdentity> source = journal->chosen ? journal->records[from].phone : phone;
    PhoneRecords mine = RecordsOf(source, std::span(journal->records).subspan(from));
    bool moved = source != phone;
    Plan plan = PlanReapply(mine.records, ReadScriptChanges());
    std::string since = journal->chosen ? JoinText({journal->records[from].time, " 以来"}) : std::string("操作记录中");
    std::string skipped = SkippedNote(plan, mine.records, "重新应用") + OthersNote(mine.others);
    if (plan.steps.empty()) {
        ShowMessage(JoinText({PhoneName(source), " ", since, "没有可以重新应用的改动。", skipped}));
        return;
    }
    std::string count = std::to_string(plan.steps.size());
    std::string question =
        moved ? JoinText({"把 ", PhoneName(source), " 的 ", count, " 项改动应用到这部手机 ", phone->Name(), " 吗？"})
              : JoinText({"确定在这部手机 ", phone->Name(), " 上重新应用吗？"});
    std::string scope = journal->chosen ? JoinText({" ", since, "的 "}) : std::string("操作记录中全部的 ");
    AskAndRun(plan,
              JoinText({"将重新应用", scope, count, " 项改动：", ChangesListed(plan), skipped, "\r\n\r\n", question}),
              "已重新应用 ");
}
