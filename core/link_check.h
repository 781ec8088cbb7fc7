// The device link check of the main menu's 刷新 button (按钮5).
#pragma once

#include <string>
#include <string_view>

#include "platform/window_model.h"

// Runs "adb get-state", shows its raw answer in 连接编辑框 and appends a notice to 回显编辑框;
// an answer that is exactly one of the four known ones (line end included) is then replaced by its
// verdict. Shows no message box.
void CheckDeviceLink(const EventArgs&);

// How the single-line link box shows a raw answer: its lines joined by " / ", empty lines (and so
// the final line end) left out. A single-line edit box would show line breaks as unreadable marks
// or cut the text at the first one; the answer itself, unchanged, stays in 回显编辑框.
std::string OneLineAnswer(std::string_view rawAnswer);
