// Writing the operation log: what a record says, and where it goes.
#include "core/operation_log.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/command_state.h"
#include "core/runner.h"
#include "platform/clock.h"
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
// What a record keeps of an output line: enough for any adb verdict, not a whole dump.
constexpr std::size_t kLongestOutcome = 200;

constexpr std::string_view kNoOutput = "（无输出）";
constexpr std::string_view kNotAwaited = "（程序已关闭，未等到结束）";
constexpr std::string_view kStarted = "已启动";
constexpr std::string_view kNotStarted = "启动失败";
constexpr std::string_view kRefused = "已拒绝：包名含有不允许的字符，未运行";
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
    while (!output.empty()) {
        std::size_t start = output.find_last_of("\r\n");
        std::string_view line = start == std::string_view::npos ? output : output.substr(start + 1);
        output = output.substr(0, start == std::string_view::npos ? 0 : start);
        if (!IsBlank(line)) {
            return ShortenedText(line.substr(0, line.find_last_not_of(" \t") + 1), kLongestOutcome);
        }
    }
    return std::string(kNoOutput);
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

// A missing folder of the user's is made only when the record does not go in without it.
bool AppendTo(const LogPlace& place, std::string_view line)
{
    RotateFile(place.current, place.rotated, kRotationBytes);
    return AppendToTextFile(place.current, line, kByteOrderMark) ||
           (MakeFolder(place.folder) && AppendToTextFile(place.current, line, kByteOrderMark));
}

// Written where it can be; otherwise shown below the output, and the action goes on.
void Record(std::string_view origin, std::string_view commandLine, std::string_view outcome)
{
    std::string line = JoinText(
        {LocalDateTime(), " | ", OneLine(origin), " | ", OneLine(commandLine), " | ", OneLine(outcome), "\r\n"});
    for (const LogPlace& place : LogPlaces()) {
        if (AppendTo(place, line)) {
            return;
        }
    }
    AppendText(DesktopWindow, kOutputBox, JoinText({kUnwritten, line}));
}

}  // namespace

// The origin and the command line are taken before the run: a click during the run may start
// another action, which replaces currentCommand.
void RunAndRecord(std::string commandLine, std::string_view origin)
{
    bool runs = !IsProgramEnding() && !IsBlank(commandLine);
    std::string from = origin.empty() ? CurrentOrigin() : std::string(origin);
    State().currentCommand = commandLine;
    RunCurrentCommand();
    if (runs) {
        Record(from, commandLine,
               IsProgramEnding() ? std::string(kNotAwaited) : LastOutputLine(GetText(DesktopWindow, kOutputBox)));
    }
}

bool StartAndRecord(std::string_view commandLine, bool waitForExit, int showState)
{
    std::string from = CurrentOrigin();
    bool started = RunProgram(commandLine, waitForExit, showState);
    Record(from, commandLine, started ? kStarted : kNotStarted);
    return started;
}

void RecordRefusal(std::string_view commandLine) { Record(CurrentOrigin(), commandLine, kRefused); }

std::vector<LogPlace> LogPlaces()
{
    std::vector<LogPlace> places = {PlaceIn(ProgramDirectory())};
    if (std::string own = UserStateDirectory(); !own.empty()) {
        places.push_back(PlaceIn(own));
    }
    return places;
}

// Both places may hold a log: one left beside the program by a run that could write there, and
// the user's own one since. The one written last is the one in use.
LogPlace NewestLogPlace()
{
    std::vector<LogPlace> places = LogPlaces();
    const LogPlace* newest = &places.front();
    std::optional<std::int64_t> newestTime = LastWritten(*newest);
    for (const LogPlace& place : places) {
        std::optional<std::int64_t> time = LastWritten(place);
        if (time && (!newestTime || *time > *newestTime)) {
            newest = &place;
            newestTime = time;
        }
    }
    return *newest;
}
