// Writing the operation log: what a record says, and where it goes.
#include "core/operation_log.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

#include "core/command_state.h"
#include "core/journal.h"
#include "core/phone_changes.h"
#include "core/phone_identity.h"
#include "core/run_verdict.h"
#include "core/script_changes.h"
#include "platform/clock.h"
#include "platform/encoding.h"
#include "platform/event_source.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/window_system.h"
#include "core/window_names.h"

namespace {

constexpr std::string_view kLogFileName = "操作记录.txt";
constexpr std::string_view kRotatedFileName = "操作记录.old.txt";
// Notepad takes a file with this mark for UTF-8 whatever the system's code page.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A larger log is rotated before the next record, so that neither file grows without end.
constexpr std::uint64_t kRotationBytes = 1024 * 1024;
// A log that could not be rotated is judged by this much past the rotation size.
constexpr std::size_t kCheckedBeyondRotation = 64 * 1024;
// What a record keeps of an output line: enough for any adb verdict, not a whole dump.
constexpr std::size_t kLongestOutcome = 200;

constexpr std::string_view kNotStarted = "启动失败";
constexpr std::string_view kInterpreterNotStarted = "命令解释器未能启动，未运行";
constexpr std::string_view kNotRunClosing = "（程序已关闭，未运行）";
constexpr std::string_view kExitCode = "已结束，退出代码 ";
constexpr std::string_view kRefusedPrefix = "已拒绝：";
constexpr std::string_view kTooLong = "命令行超过 8191 个字符";
constexpr std::string_view kUnwritten = "\r\n未能写入操作记录：";

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// A record is one line: control characters (a pasted tab, an escape sequence) become blanks.
std::string OneLine(std::string_view text)
{
    std::string line(text);
    auto isControl = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    std::replace_if(line.begin(), line.end(), isControl, ' ');
    return line;
}

// The last line with anything but blanks in it, without its trailing blanks: "Success",
// "Failure [not installed for 0]", "error: no devices/emulators found".
std::string LastOutputLine(std::string_view output)
{
    std::vector<std::string_view> last = LastFilledLines(output, 1);
    if (last.empty()) {
        return std::string(kNoOutputOutcome);
    }
    std::string_view line = last.front();
    return ShortenedText(line.substr(0, line.find_last_not_of(" \t") + 1), kLongestOutcome);
}

std::string RefusalOutcome(std::string_view why) { return JoinText({kRefusedPrefix, why, "，未运行"}); }

// A confirmed change keeps the answer's last line ("Success"); a failed command the line that
// says why ("error: device unauthorized.", not the advice that follows it).
std::string RunOutcome(const CommandRun& run, const Verdict& verdict)
{
    switch (verdict.cause) {
    case Cause::TooLong: return RefusalOutcome(kTooLong);
    case Cause::NotStarted: return std::string(kInterpreterNotStarted);
    case Cause::ProgramClosed: return std::string(run.started ? kNotAwaitedOutcome : kNotRunClosing);
    case Cause::Confirmed: return LastOutputLine(run.output);
    default: break;
    }
    return verdict.reason.empty() ? LastOutputLine(run.output) : ShortenedText(verdict.reason, kLongestOutcome);
}

std::string StartOutcome(const ProgramRun& run, ExitMeaning meaning)
{
    switch (run.end) {
    case ProgramEnd::NotStarted: return std::string(kNotStarted);
    case ProgramEnd::Started: return std::string(kStartedOutcome);
    case ProgramEnd::NotAwaited: return std::string(kNotAwaitedOutcome);
    case ProgramEnd::Ended: break;
    }
    return meaning != nullptr ? meaning(run.exitCode) : JoinText({kExitCode, ExitCodeText(run.exitCode)});
}

const ControlDeclaration* FindDeclared(const WindowDeclaration& window, std::string_view name)
{
    for (const ControlDeclaration& control : window.controls) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

// "华为 · 卸载": the page of the tab control that holds the control, else the window's title,
// else (a window without one) the caption of the nearest group around the control; then the
// control's caption.
std::string DescribeOrigin(const EventSource& source)
{
    if (source.window == nullptr || source.control == nullptr) {
        return "—";
    }
    std::string_view place = source.window->title;
    std::string_view group;
    for (const ControlDeclaration* at = source.control; !at->container.empty();) {
        const ControlDeclaration* container = FindDeclared(*source.window, at->container);
        if (container == nullptr) {
            break;
        }
        if (container->kind == ControlKind::PageControl) {
            if (at->page >= 0 && static_cast<std::size_t>(at->page) < container->pages.size()) {
                place = container->pages[static_cast<std::size_t>(at->page)];
            }
            break;
        }
        if (group.empty()) {
            group = container->caption;
        }
        at = container;
    }
    if (place.empty()) {
        place = group;
    }
    return place.empty() ? std::string(source.control->caption) : JoinText({place, " · ", source.control->caption});
}

std::string CurrentOrigin() { return DescribeOrigin(CurrentEventSource()); }

LogPlace PlaceIn(const std::string& folder)
{
    return {folder, JoinPath(folder, kLogFileName), JoinPath(folder, kRotatedFileName)};
}

std::optional<std::int64_t> LastWritten(const LogPlace& place)
{
    std::optional<std::int64_t> current = LastWriteTime(place.current);
    std::optional<std::int64_t> rotated = LastWriteTime(place.rotated);
    return current && rotated ? std::max(*current, *rotated) : (current ? current : rotated);
}

// A missing folder of the user's is made only when the record does not go in without it. A log
// that an editor saved in another encoding is never appended to: a UTF-8 record would spoil it.
bool AppendTo(const LogPlace& place, std::string_view line)
{
    RotateFile(place.current, place.rotated, kRotationBytes);
    FileTail current = ReadFileTail(place.current, kRotationBytes + kCheckedBeyondRotation);
    if (current.unreadable || EncodingOf(current) != LogEncoding::Utf8) {
        return false;
    }
    return AppendToTextFile(place.current, line, kByteOrderMark, kUnfinishedRecordMark) ||
           (MakeFolder(place.folder) && AppendToTextFile(place.current, line, kByteOrderMark, kUnfinishedRecordMark));
}

// Written where it can be; otherwise shown below the output, and the action goes on. A record
// that a full disk cut short counts as not written, and goes whole to the next place. A change
// that can be taken back carries its undo field. Only the command may hold the field separator
// (a command the user typed); the other fields have it escaped, so that the phone's answer cannot
// add a field.
void Record(std::string_view origin, std::string_view commandLine, std::string_view outcome, std::string_view undo = {},
            const std::optional<PhoneIdentity>& phone = std::nullopt)
{
    std::string undoField = undo.empty() ? std::string() : JoinText({" | ", kUndoPrefix, RecordField(OneLine(undo))});
    std::string phoneField = phone ? JoinText({" | ", kPhonePrefix, RecordField(OneLine(phone->Name()))}) : std::string();
    std::string line = JoinText({LocalDateTime(), " | ", RecordField(OneLine(origin)), " | ", OneLine(commandLine), " | ",
                                 RecordField(OneLine(outcome)), undoField, phoneField, "\r\n"});
    for (const LogPlace& place : LogPlaces()) {
        if (AppendTo(place, line)) {
            return;
        }
    }
    AppendText(DesktopWindow, kOutputBox, JoinText({kUnwritten, line}));
}

// What the phone had before the change, as the action's read or the change's own query found it;
// none when the query failed.
std::optional<std::string> ReplacedStateOnPhone(const PhoneChange& change)
{
    if (std::optional<std::optional<std::string>> known = ReplacedStateFromRead(change)) {
        return *known;
    }
    CommandRun query = RunCommandLine(StateQuery(change));
    return query.awaited ? ReplacedState(change, query.output) : std::nullopt;
}

// The phone a script will change, and each declared package's state before it runs. The reads are
// the program's own: the output box and the current command are left as the script's button found them.
struct BeforeScript {
    std::optional<PhoneIdentity> phone;
    std::vector<std::optional<std::string>> replaced;
};

BeforeScript ReadBeforeScript(const std::vector<PhoneChange>& changes)
{
    std::string shown = GetText(DesktopWindow, kOutputBox);
    std::string current = State().currentCommand;
    ActionScope reading(ReadsFor(changes));  // one read for the phone and every declared package
    BeforeScript before{ActionPhone().phone, {}};
    for (const PhoneChange& change : changes) {
        before.replaced.push_back(ReplacedStateOnPhone(change));
    }
    State().currentCommand = std::move(current);
    SetText(DesktopWindow, kOutputBox, shown);
    return before;
}

// The way back from a script that did all its work: the changes that bring back each package it
// changed. Its twin, which takes back what it does, when a package's state could not be read.
std::string ScriptUndo(const std::vector<PhoneChange>& changes, const std::vector<std::optional<std::string>>& replaced,
                       std::string_view twin)
{
    std::vector<PhoneChange> undo;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (!replaced[i]) {
            return std::string(twin);
        }
        if (!replaced[i]->empty()) {
            std::vector<PhoneChange> back = ChangesBetween(changes[i], changes[i].StateAfter(), *replaced[i]);
            undo.insert(undo.end(), back.begin(), back.end());
        }
    }
    return undo.empty() ? std::string(kNothingToUndo) : UndoText(undo);
}

// The way back from a change Android confirmed; nothing for a change it did not make, or one
// whose earlier state is unknown.
std::string UndoOf(const PhoneChange& change, const std::optional<std::string>& replaced, bool confirmed,
                   const std::optional<PhoneIdentity>& phone)
{
    if (!replaced || !confirmed) {
        return {};
    }
    if (change.kind == PhoneChange::Kind::Uninstall && phone && !CanRestoreRemovals(*phone) && !replaced->empty()) {
        return std::string(kNoWayBackBeforeAndroid8);
    }
    if (replaced->empty()) {
        return std::string(kNothingToUndo);
    }
    return UndoText(ChangesBetween(change, change.StateAfter(), *replaced));
}

// How many changes are being made, one inside the other.
int changesUnderway = 0;

struct ChangeUnderway {
    ChangeUnderway() { ++changesUnderway; }
    ~ChangeUnderway() { --changesUnderway; }
    ChangeUnderway(const ChangeUnderway&) = delete;
    ChangeUnderway& operator=(const ChangeUnderway&) = delete;
};


// The origin and the command line are taken before the run: a click during the run may start
// another action, which replaces currentCommand. A change to a package or a setting reads what it
// replaces first, so that its record can say how to take it back. A line too long to run reads
// nothing; the runner refuses it, and its record keeps only the line's start. A step that the
// program's closing keeps from running is recorded as such.
ChangeRun RunRecorded(std::string commandLine, std::string_view origin, const std::optional<PhoneChange>& change)
{
    ChangeUnderway underway;
    bool runs = !IsBlank(commandLine);
    bool tooLong = IsTooLongToRun(commandLine);
    std::string from = origin.empty() ? CurrentOrigin() : std::string(origin);
    bool reads = runs && !tooLong && !IsProgramEnding() && change;
    std::optional<ActionScope> ownAction;  // a change outside an action reads the phone once too
    if (reads && !IsActionUnderway()) {
        ownAction.emplace(ReadsFor(std::span(&*change, 1)));
    }
    std::optional<PhoneIdentity> phone = reads ? ActionPhone().phone : std::nullopt;
    std::optional<std::string> replaced = reads ? ReplacedStateOnPhone(*change) : std::nullopt;
    std::string recorded = tooLong ? ShortenedText(commandLine, kLongestOutcome) : commandLine;
    ChangeRun made{RunCommandLine(commandLine)};
    made.verdict = JudgeRun(commandLine, made.run);
    made.confirmed = change && made.verdict.cause == Cause::Confirmed;
    if (made.confirmed) {
        NoteConfirmedChange(*change);
    }
    if (runs) {
        Record(from, recorded, RunOutcome(made.run, made.verdict),
               change ? UndoOf(*change, replaced, made.confirmed, phone) : std::string(), phone);
    }
    return made;
}

}  // namespace

CommandRun RunAndRecord(std::string commandLine, std::string_view origin)
{
    std::optional<PhoneChange> change = ChangeOf(commandLine);
    return RunRecorded(std::move(commandLine), origin, change).run;
}

ChangeRun RunChange(const PhoneChange& change, std::string_view origin)
{
    return RunRecorded(change.CommandLine(), origin, change);
}

Verdict RunAndJudge(std::string commandLine)
{
    std::optional<PhoneChange> change = ChangeOf(commandLine);
    return RunRecorded(std::move(commandLine), {}, change).verdict;
}

bool IsChangeUnderway() { return changesUnderway > 0 || IsActionUnderway(); }

// A script that can be taken back and declares its packages has their states read first, so that
// its record says how to bring back each package it changed, as it was.
ProgramRun StartAndRecord(std::string_view commandLine, bool waitForExit, int showState, ExitMeaning meaning,
                          std::string_view undoWhenDone)
{
    std::string from = CurrentOrigin();
    std::optional<ChangeUnderway> underway;
    BeforeScript before;
    ScriptChanges scripts = waitForExit && !undoWhenDone.empty() ? ReadScriptChanges() : ScriptChanges{};
    auto declared = scripts.find(commandLine);
    if (waitForExit) {
        underway.emplace();
        if (declared != scripts.end()) {
            before = ReadBeforeScript(declared->second);
        }
    }
    ProgramRun run = RunProgram(commandLine, waitForExit, showState);
    bool done = run.end == ProgramEnd::Ended && run.exitCode == 0;
    std::string undo = declared == scripts.end() ? std::string(undoWhenDone)
                                                 : ScriptUndo(declared->second, before.replaced, undoWhenDone);
    Record(from, commandLine, StartOutcome(run, meaning), done ? std::string_view(undo) : std::string_view(),
           before.phone);
    if (run.end == ProgramEnd::NotStarted) {
        ShowMessage(NotStartedMessage(commandLine));
    }
    return run;
}

std::string NotStartedMessage(std::string_view commandLine)
{
    return JoinText({"未能启动“", commandLine, "”：找不到这个程序，或它无法运行。\r\n",
                     "请看程序文件夹中的“遇到问题请看.txt”。"});
}

std::string ExitCodeText(unsigned long exitCode)
{
    if (exitCode <= 0xFFFF) {
        return std::to_string(exitCode);
    }
    char hex[24];
    std::snprintf(hex, sizeof hex, "0x%08lX", exitCode);
    return hex;
}

void RecordRefusal(std::string_view commandLine, std::string_view why)
{
    Record(CurrentOrigin(), commandLine, RefusalOutcome(why));
}

std::vector<LogPlace> LogPlaces()
{
    std::vector<LogPlace> places = {PlaceIn(ProgramDirectory())};
    if (std::string own = UserStateDirectory(); !own.empty()) {
        places.push_back(PlaceIn(own));
    }
    return places;
}

// A file the program began starts with its byte-order mark, damaged or not. Without it (an editor
// may drop it), the whole lines are judged: this program never writes a zero byte, which UTF-16
// holds in every other byte of ASCII text, and writes nothing that is not UTF-8. A tail may start
// inside a character and a line cut short may end inside one: neither is judged.
LogEncoding EncodingOf(const FileTail& file)
{
    std::string_view bytes(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
    bool whole = file.start == 0;
    if (whole && (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))) {
        return LogEncoding::Utf16;
    }
    if (whole && bytes.starts_with(kByteOrderMark)) {
        return LogEncoding::Utf8;
    }
    if (!whole) {
        bytes.remove_prefix(std::min(bytes.find('\n') + 1, bytes.size()));
    }
    bytes = bytes.substr(0, bytes.rfind('\n') + 1);
    if (bytes.find('\0') != std::string_view::npos) {
        return LogEncoding::Utf16;
    }
    return IsValidUtf8(bytes) ? LogEncoding::Utf8 : LogEncoding::CodePage;
}

// Both places may hold records: some left beside the program by runs that could write there,
// some in the user's own folder written while the program's folder could not be.
std::vector<LogPlace> LogPlacesOldestFirst()
{
    std::vector<std::pair<std::int64_t, LogPlace>> timed;
    for (LogPlace& place : LogPlaces()) {
        timed.emplace_back(LastWritten(place).value_or(INT64_MIN), std::move(place));
    }
    std::stable_sort(timed.begin(), timed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<LogPlace> places;
    for (auto& [time, place] : timed) {
        places.push_back(std::move(place));
    }
    return places;
}
