// The desktop window as a console: its welcome text and the typed-command box 命令编辑框.
#pragma once

#include <string_view>

#include "platform/window_model.h"

inline constexpr std::string_view kWelcomeText =
    "\r\n\r\n\r\n      你好，这是集成ADB环境的命令行系统\r\n\r\n"
    "      执行的反馈会显示在这里      你可以在下方输入命令激活黑域、冰箱、Scene5等";

// The hint 命令编辑框 holds while nobody types in it; ordinary content, not a drawn cue.
inline constexpr std::string_view kCommandPrompt = "在此输命令（回车执行），上面显示结果";

// Desktop window created: closes the start window once this handler has returned and puts the
// welcome text into the output box 回显编辑框, followed by which adb is used when it is not the one
// beside the program.
void EnterDesktopWindow(const EventArgs&);

// 命令编辑框 got the focus: the hint gives way to black typing.
void ClearCommandPrompt(const EventArgs&);
// 命令编辑框 lost the focus: an empty box shows the hint again, in grey.
void RestoreCommandPrompt(const EventArgs&);
// Key in 命令编辑框: Enter runs the text exactly as typed (even none) and empties the box. The
// key is not consumed.
void RunTypedCommand(const EventArgs& key);
