// The operation-log window: the log read back for 记录编辑框, 刷新 and 清空.
#include "core/operation_log_window.h"

#include <utility>
#include <vector>

#include "core/journal_replay.h"
#include "core/operation_log.h"
#include "platform/encoding.h"
#include "platform/text.h"
#include "platform/window_system.h"
#include "core/window_names.h"

namespace {

constexpr std::string_view kClearQuestion = "确定清空全部操作记录吗？";
constexpr std::string_view kClearWhilePlanRuns = "撤销或重新应用正在进行，请等它结束后再清空操作记录。";
constexpr std::string_view kWhereNote = "操作记录保存在：";
constexpr std::string_view kNotCleared = "以下操作记录文件未能删除，可能正被其他程序打开：";
constexpr std::string_view kEarlierNotShown = "……（更早的记录未显示）";
constexpr std::string_view kNotRead = "未能读取 ";
constexpr std::string_view kLocked = "：这个文件无法打开，可能正被其他程序占用。关闭那个程序后点“刷新”。";
constexpr std::string_view kUtf16 = "：这个文件已被另存为 UTF-16 编码，本程序不再读写它。请用记事本把它另存为 UTF-8 编码。";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A rotated log and the current one are a little over 1 MB each; a file grown far past that by
// other hands is shown from its end, so that the box stays quick to fill and to scroll.
constexpr std::size_t kShownBytesPerFile = 2 * 1024 * 1024;
// An edit box wraps a very long line slowly, and no record is anywhere near this long.
constexpr std::size_t kLongestShownLine = 4000;

// The box is filled in slices of about this many bytes, with waiting window messages let through
// between them, so that a long log never keeps the program from answering: an edit control lays
// out what it is given line by line. Under Wine 20,000 records (3.3 MB) given at once kept the
// program from answering for 7.6 s; in slices of 32 KB the longest wait is 0.2 s, in slices of
// 96 KB 0.4 to 0.65 s (bench/log_window_bench.cpp).
constexpr std::size_t kSliceBytes = 32 * 1024;

// Where each line of the box lies, as ShowOperationLog filled it (or is filling it).
std::vector<std::optional<RecordSpot>> shownSpots;
// How many fills of the box have begun. A fill stops when a newer one begins while it lets
// messages through (刷新, 清空, a finished 撤销): the box is the newer fill's.
unsigned fillsBegun = 0;

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

// Lines are split on the bytes CR and LF, which no UTF-8 or GBK character holds, and each is
// decoded alone, so that its offset in the file is known.
std::vector<LogLine> LogLinesForDisplay(const FileTail& file, std::string_view path)
{
    std::string_view bytes(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
    std::size_t at = 0;
    if (std::size_t firstBreak = bytes.find('\n'); file.cut && firstBreak != std::string_view::npos) {
        at = firstBreak + 1;
    }
    std::vector<LogLine> lines;
    while (at < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", at);
        // The log is written in UTF-8; a copy saved by an editor in the system's code page still reads.
        std::string line = ShownLine(DecodeText(bytes.substr(at, end - at), LegacyCodePage::Ansi));
        // The last line without a line end was cut short; the next record will mark it in the file.
        if (end == std::string_view::npos && !IsBlank(line)) {
            line += kUnfinishedRecordMark;
        }
        if (!IsBlank(line)) {
            lines.push_back({std::move(line), RecordSpot{std::string(path), file.start + at}});
        }
        at = end == std::string_view::npos ? bytes.size() : end + 1;
    }
    if (file.cut && !lines.empty()) {
        lines.insert(lines.begin(), LogLine{std::string(kEarlierNotShown), std::nullopt});
    }
    return lines;
}

std::string LogTextForDisplay(const FileTail& file)
{
    std::string shown;
    for (const LogLine& line : LogLinesForDisplay(file, {})) {
        shown += JoinText({line.text, "\r\n"});
    }
    return shown;
}

namespace {

// The records of one place, the rotated file's older ones first, and the files that hold
// something but cannot be read.
HeldPlace RecordsOf(const LogPlace& place)
{
    HeldPlace held{place};
    for (const std::string& path : {place.rotated, place.current}) {
        FileTail file = ReadFileTail(path, kShownBytesPerFile);
        if (file.unreadable) {
            held.unreadable.push_back(JoinText({kNotRead, path, kLocked}));
        } else if (!file.bytes.empty() && EncodingOf(file) == LogEncoding::Utf16) {
            held.unreadable.push_back(JoinText({kNotRead, path, kUtf16}));
        } else {
            std::vector<LogLine> lines = LogLinesForDisplay(file, path);
            held.lines.insert(held.lines.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
        }
    }
    return held;
}

// The box's lines, and where each of them lies.
void Append(std::vector<std::string>& shown, std::string_view line, std::optional<RecordSpot> spot = std::nullopt)
{
    shown.emplace_back(line);
    shownSpots.push_back(std::move(spot));
}

// The lines joined by CR LF, cut between lines into slices of about kSliceBytes. Every slice but
// the first starts with the line break before its first line, so that the box, filled slice by
// slice, always ends on its newest whole line.
std::vector<std::string> Sliced(const std::vector<std::string>& lines)
{
    std::vector<std::string> slices(1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            if (slices.back().size() >= kSliceBytes) {
                slices.emplace_back();
            }
            slices.back() += "\r\n";
        }
        slices.back() += lines[i];
    }
    return slices;
}

// The first slice replaces what the box held; the box follows the growing text while its caret
// stays at the end, and a record the user clicks meanwhile stays chosen. Records are kept whole
// lines, since the box's line numbers name them (SpotOfShownLine).
void Fill(unsigned fill, const std::vector<std::string>& slices)
{
    SetAlignment(OperationLogWindow, kLogBox, Align::Left);
    SetText(OperationLogWindow, kLogBox, slices.front());
    ScrollToEnd(OperationLogWindow, kLogBox);
    for (std::size_t i = 1; i < slices.size(); ++i) {
        ProcessPendingEvents();
        if (fill != fillsBegun || IsProgramEnding()) {
            return;
        }
        AppendText(OperationLogWindow, kLogBox, slices[i], LongLines::Kept);
    }
}

}  // namespace

std::vector<HeldPlace> HeldRecords()
{
    std::vector<HeldPlace> held;
    for (const LogPlace& place : LogPlacesOldestFirst()) {
        if (HeldPlace records = RecordsOf(place); !records.lines.empty() || !records.unreadable.empty()) {
            held.push_back(std::move(records));
        }
    }
    return held;
}

std::optional<RecordSpot> SpotOfShownLine(std::size_t line)
{
    return line < shownSpots.size() ? shownSpots[line] : std::nullopt;
}

// Every place that holds records is shown, the one written last at the end. Records away from
// the program's folder, in more than one place, or beside a file that cannot be read, are headed
// by where they are kept, since the user will not find them beside the program. Records read best
// from the left; the sentence that stands in for them is centred.
void ShowOperationLog(const EventArgs&)
{
    const unsigned fill = ++fillsBegun;
    const std::string programFolder = LogPlaces().front().folder;
    std::vector<HeldPlace> held = HeldRecords();
    shownSpots.clear();
    if (held.empty()) {
        SetAlignment(OperationLogWindow, kLogBox, Align::Centre);
        SetText(OperationLogWindow, kLogBox, kNoRecordsText);
        return;
    }
    std::vector<std::string> shown;
    for (const HeldPlace& place : held) {
        if (held.size() > 1 || place.place.folder != programFolder || !place.unreadable.empty()) {
            if (!shown.empty()) {
                Append(shown, "");
            }
            Append(shown, JoinText({kWhereNote, place.place.current}));
            Append(shown, "");
        }
        for (const std::string& unreadable : place.unreadable) {
            Append(shown, unreadable);
        }
        for (const LogLine& line : place.lines) {
            Append(shown, line.text, line.spot);
        }
    }
    Fill(fill, Sliced(shown));
}

// Every place is emptied, not only the one shown: a log left in the other place would otherwise
// appear in its stead.
void ClearOperationLog(const EventArgs&)
{
    if (IsPlanRunning()) {
        ShowMessage(kClearWhilePlanRuns);
        return;
    }
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
