// The operation-log window's handlers: the records shown oldest first, 刷新 and 清空.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/operation_log.h"
#include "platform/files.h"
#include "platform/window_model.h"

// What 记录编辑框 holds while there is no record.
inline constexpr std::string_view kNoRecordsText = "对设备造成影响的操作都会记录在此，当前无记录";

// Window created, and 刷新 (按钮2): reads the log again and shows it scrolled to the newest record.
// A long log fills the box slice by slice while waiting window messages are let through; a click
// meanwhile may close the window or begin another fill, which the box is then left to.
void ShowOperationLog(const EventArgs&);
// 清空 (按钮1): asks first; Yes removes every log file, No changes nothing. Refused while 撤销 or
// 重新应用 runs, which plans from the records.
void ClearOperationLog(const EventArgs&);

// Where a line of a log file lies: the file and the byte offset at which the line starts.
struct RecordSpot {
    std::string file;
    std::uint64_t offset = 0;
    bool operator==(const RecordSpot&) const = default;
};

// A line as the box shows it, and where it lies when it comes from a log file.
struct LogLine {
    std::string text;
    std::optional<RecordSpot> spot;
};

// What one place holds: the lines of its rotated file, then of its current one; and each of its
// files that holds something but cannot be read, with why.
struct HeldPlace {
    LogPlace place;
    std::vector<LogLine> lines;
    std::vector<std::string> unreadable;
};

// The places that hold records or a file that cannot be read, the one written last at the end.
std::vector<HeldPlace> HeldRecords();

// Where the line of 记录编辑框 shown now lies, as the last ShowOperationLog filled it (or is
// filling it); none for a heading, a note, or a line past the end.
std::optional<RecordSpot> SpotOfShownLine(std::size_t line);

// A log file's bytes (read from the path) as the box shows them, whatever they hold: one line per
// record, byte-order marks dropped, bytes that are not UTF-8 read in the system's code page (or
// shown as U+FFFD), control characters as U+FFFD, overlong lines cut, blank lines left out; a tail
// that starts inside the file begins with a note instead of its first, partial line; a last line
// that lacks its line end carries the unfinished-record mark.
std::vector<LogLine> LogLinesForDisplay(const FileTail& file, std::string_view path);
// The same lines as one text, each ended by CR LF; empty when no line holds anything.
std::string LogTextForDisplay(const FileTail& file);
