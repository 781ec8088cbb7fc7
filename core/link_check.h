// The device link check of the main menu's 刷新 button (按钮5).
#pragma once

#include <string>
#include <string_view>

#include "platform/window_model.h"

// Runs "adb get-state", shows its raw answer in 连接编辑框 and appends a notice to 回显编辑框;
// an answer that is exactly one of the known ones (line end included) is then replaced by its
// verdict. When several devices are attached, the user chooses one in the 选择手机 window first
// (any earlier choice forgotten), and the verdict is the chosen phone's. Shows no message box. Without an adb anywhere it looks, it runs nothing: 连接编辑框
// shows "未找到adb" and 回显编辑框 the folders looked in and what to do.
void CheckDeviceLink(const EventArgs&);

// How the single-line link box shows a raw answer: its first line that is neither empty nor one
// of adb's "* daemon …" notices about starting its server (which precede the answer on a PC's
// first adb command), or the first notice when there is nothing else. A single-line edit box
// would show line breaks as unreadable marks; the whole answer stays in 回显编辑框.
std::string OneLineAnswer(std::string_view rawAnswer);
