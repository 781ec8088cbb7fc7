// The operation-log window's handlers: the records shown oldest first, 刷新 and 清空.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/operation_log.h"
#include "platform/files.h"
#include "platform/window_model.h"

// What 记录编辑框 holds while there is no record.
inline constexpr std::string_view kNoRecordsText = "对设备造成影响的操作都会记录在此，当前无记录";

// Window created, and 刷新 (按钮2): reads the log again and shows it scrolled to the newest record.
void ShowOperationLog(const EventArgs&);
// 清空 (按钮1): asks first; Yes removes every log file, No changes nothing.
void ClearOperationLog(const EventArgs&);

// The places that hold records, the one written last at the end, each with its records as the box
// shows them.
std::vector<std::pair<LogPlace, std::string>> HeldRecords();

// A log file's bytes as the box shows them, whatever they hold: one line per record with CR LF,
// byte-order marks dropped, bytes that are not UTF-8 read in the system's code page (or shown as
// U+FFFD), control characters as U+FFFD, overlong lines cut; a tail that starts inside the file
// begins with a note instead of its first, partial line; a last line that lacks its line end
// carries the unfinished-record mark. Empty when no line holds anything.
std::string LogTextForDisplay(const FileTail& file);
