// The device link check: the answer of "adb get-state" and its verdict in 连接编辑框.
#include "core/link_check.h"

#include <array>
#include <optional>

#include "core/adb_location.h"
#include "core/phone_choice.h"
#include "core/run_verdict.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

constexpr std::string_view kNotice =
    "\r\n             多个设备连接时不可用哦，注意检查是否连接了安卓虚拟机\r\n"
    "                      使用【查看连接设备】可查询";

struct KnownAnswer {
    std::string_view answer;  // the whole output, compared byte for byte
    std::string_view shown;
};
// No verdict equals any answer, so at most one row matches. adb's client since 2019 answers
// get-state for an offline phone with an error ("error: device offline", transport.cpp), where
// older ones said "offline": both are the same verdict.
constexpr std::array<KnownAnswer, 5> kVerdicts = {{
    {"device\r\n", "已连接"},
    {"offline\r\n", "连接异常"},
    {"error: device offline\r\n", "连接异常"},
    {"unknown\r\n", "请检查连接"},
    {"error: no devices/emulators found\r\n", "无连接"},
}};

}  // namespace

std::string OneLineAnswer(std::string_view rawAnswer)
{
    std::string_view firstLine;
    while (!rawAnswer.empty()) {
        std::size_t end = rawAnswer.find_first_of("\r\n");
        std::string_view line = rawAnswer.substr(0, end);
        rawAnswer.remove_prefix(end == std::string_view::npos ? rawAnswer.size() : end + 1);
        if (line.empty()) {
            continue;
        }
        if (!line.starts_with(kAdbServerNotice)) {
            return std::string(line);
        }
        if (firstLine.empty()) {
            firstLine = line;
        }
    }
    return std::string(firstLine);
}

void CheckDeviceLink(const EventArgs&)
{
    // Without an adb the command would only earn the interpreter's error, worded by the system's
    // language: the boxes say what is missing and where it was looked for instead.
    const AdbLocation& adb = LocateAdb();
    if (adb.program.empty()) {
        SetText(DesktopWindow, kLinkBox, kAdbMissing);
        SetText(DesktopWindow, kOutputBox, AdbMissingReport(adb));
        RepaintNow(DesktopWindow, kOutputBox);
        RepaintNow(DesktopWindow, kLinkBox);
        return;
    }

    // 刷新 asks anew which phone, when several are attached: a device chosen before may have
    // left, and another come. The run's own answer, not the box's text: a click meanwhile may have
    // run another command.
    ForgetChosenPhone();
    CommandRun run = RunCommandLine("adb get-state");
    std::string answer = run.output;
    std::string chosen;
    if (JudgeRun("adb get-state", run).cause == Cause::SeveralPhones && ChoosePhone()) {
        answer = RunCommandLine("adb get-state").output;  // the chosen phone's state
        chosen = JoinText({"\r\n已选择手机：", ChosenSerial().value_or(""), "，之后的命令都发给它。"});
    }
    SetText(DesktopWindow, kLinkBox, OneLineAnswer(answer));
    // An adb found only now, after the user put it in place, is named here, as the desktop window
    // names one found at start-up.
    std::optional<std::string> note = AdbNoteOnce();
    AppendText(DesktopWindow, kOutputBox,
               JoinText({chosen, kNotice, note ? JoinText({"\r\n\r\n", *note}) : std::string()}));
    RepaintNow(DesktopWindow, kOutputBox);

    for (const KnownAnswer& verdict : kVerdicts) {
        if (CompareText(answer, verdict.answer) == 0) {
            SetText(DesktopWindow, kLinkBox, verdict.shown);
        }
    }
    RepaintNow(DesktopWindow, kLinkBox);
}
