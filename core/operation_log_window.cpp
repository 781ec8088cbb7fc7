// The operation-log window: the log read back for 记录编辑框, 刷新 and 清空.
#include "core/operation_log_window.h"

#include <utility>
#include <vector>

#include "core/operation_log.h"
#include "platform/encoding.h"
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

}  // namespace

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
