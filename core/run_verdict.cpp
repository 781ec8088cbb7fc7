// Judging a command's run by adb's and Android's exact answers, and telling the user why.
#include "core/run_verdict.h"

#include <array>
#include <optional>
#include <vector>

#include "core/phone_changes.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

using Lines = std::vector<std::string_view>;

// adb's client prints its own errors as "error: " and the message (adb_client.cpp, commandline.cpp)
// or, through error_exit, as its program file's name, ": " and the message (adb_utils.cpp,
// error_exit_va): "adb: ", "adb.exe: " on Windows. Clients since 2020 report a missing phone for
// "shell" that way, from the feature-set query (commandline.cpp, adb_get_feature_set_or_die).
std::optional<std::string_view> ClientMessage(std::string_view line)
{
    for (std::string_view prefix : {"error: ", "adb: ", "adb.exe: "}) {
        if (line.starts_with(prefix)) {
            return line.substr(prefix.size());
        }
    }
    return std::nullopt;
}

// The server's refusals to pick a phone, word for word (transport.cpp, acquire_one_transport).
// Authorizing is the moment adb tries its keys, before the phone asks the user: like connecting,
// it passes by itself.
std::optional<Cause> ClientCause(std::string_view line)
{
    struct Refusal {
        std::string_view message;
        Cause cause;
    };
    static constexpr std::array<Refusal, 6> kRefusals = {{
        {"no devices/emulators found", Cause::NoPhone},
        {"more than one device/emulator", Cause::SeveralPhones},
        {"device unauthorized.", Cause::NotAllowed},
        {"device offline", Cause::Offline},
        {"device still connecting", Cause::Offline},
        {"device still authorizing", Cause::Offline},
    }};
    std::optional<std::string_view> message = ClientMessage(line);
    if (!message) {
        return std::nullopt;
    }
    for (const Refusal& refusal : kRefusals) {
        if (*message == refusal.message) {
            return refusal.cause;
        }
    }
    // "device 'SERIAL' not found": the phone named by -s or ANDROID_SERIAL is not attached.
    if (message->starts_with("device '") && message->ends_with("' not found")) {
        return Cause::ChosenPhoneGone;
    }
    return std::nullopt;
}

bool Contains(std::string_view line, std::string_view part) { return line.find(part) != std::string_view::npos; }

// The package manager's refusals (PackageManagerShellCommand.java): runUninstall prints "Failure
// [not installed for 0]" for an app the user does not have, and "Failure [DELETE_FAILED_...]" when
// the system refuses (DELETE_FAILED_INTERNAL_ERROR, DELETE_FAILED_ABORTED...);
// runInstallExisting reports "NameNotFoundException: Package P doesn't exist";
// runSetEnabledSetting passes on setApplicationEnabledSetting's "IllegalArgumentException: Unknown
// package: P" and PackageManagerService's "SecurityException: Shell cannot change component state
// for P to N".
std::optional<Cause> AndroidCause(std::string_view line)
{
    if (line.starts_with("Failure [not installed for ") || Contains(line, "Unknown package: ") ||
        (Contains(line, "Package ") && line.ends_with(" doesn't exist"))) {
        return Cause::NotOnPhone;
    }
    if (line.starts_with("Failure [DELETE_FAILED_") || Contains(line, "Shell cannot change component state")) {
        return Cause::SystemRefused;
    }
    return std::nullopt;
}

bool StartsWithWords(std::string_view commandLine, std::string_view words)
{
    return commandLine.starts_with(words) && commandLine.size() > words.size();
}

// The commands whose exact answer confirms them: the package and setting changes, the switch to
// wireless debugging and the connect.
bool HasConfirmingAnswer(std::string_view commandLine)
{
    return ChangeOf(commandLine) || StartsWithWords(commandLine, "adb tcpip ") ||
           StartsWithWords(commandLine, "adb connect ");
}

// "adb tcpip PORT": adbd answers "restarting in TCP mode port: PORT" (restart_service.cpp,
// restart_tcp_service). "adb connect ADDRESS": the server answers "connected to ADDRESS" or
// "already connected to ADDRESS" (transport_local.cpp, connect_device), and otherwise
// "failed to connect to ..." or "failed to authenticate to ..." - with exit code 0 from clients
// such as Debian's 29.0.6, so the answer alone decides.
bool IsConfirmedAnswer(std::string_view commandLine, std::string_view output, const Lines& lines)
{
    if (std::optional<PhoneChange> change = ChangeOf(commandLine)) {
        return IsConfirmed(*change, output);
    }
    if (StartsWithWords(commandLine, "adb tcpip ")) {
        return lines.size() == 1 && lines.front().starts_with("restarting in TCP mode port: ");
    }
    if (StartsWithWords(commandLine, "adb connect ")) {
        return lines.size() == 1 &&
               (lines.front().starts_with("connected to ") || lines.front().starts_with("already connected to "));
    }
    return lines.empty();
}

// "adb server version (X) doesn't match this client (Y); killing...": a server of another adb
// version was running. Phone assistants start their own adb again and again, so the two keep
// replacing each other's server and commands fail in between.
std::optional<std::string> ServerFightLine(std::string_view output)
{
    for (std::string_view line : LastFilledLines(output, output.size())) {
        if (IsAdbServerNotice(line) && !line.starts_with(kAdbServerNotice)) {
            return std::string(line);
        }
    }
    return std::nullopt;
}

Verdict NotRunVerdict(std::string_view commandLine)
{
    if (IsTooLongToRun(commandLine)) {
        return {Cause::TooLong, {}, {}};
    }
    return {IsProgramEnding() ? Cause::ProgramClosed : Cause::NotStarted, {}, {}};
}

// What to do about each cause. The user chooses a phone among several with 刷新.
std::string_view CauseAdvice(Cause cause)
{
    switch (cause) {
    case Cause::Confirmed: return "完成";
    case Cause::NoPhone: return "没有找到手机：请用数据线连接手机，在开发者选项中打开“USB 调试”，然后点“刷新”。";
    case Cause::SeveralPhones:
        return "连接着不止一部手机（或模拟器），adb 不知道该操作哪一部，没有改动。请点“刷新”选择要操作的手机。";
    case Cause::NotAllowed:
        return "手机还没有允许这台电脑调试，没有改动：请看手机屏幕，在“允许 USB 调试吗？”的提示中点“允许”，然后再试。";
    case Cause::Offline: return "手机处于离线状态或仍在连接中，没有改动：请等几秒再试；一直如此请重新插拔数据线。";
    case Cause::ChosenPhoneGone: return "之前选择的手机已经断开，没有改动：请点“刷新”重新选择手机。";
    case Cause::NotOnPhone: return "这部手机上没有这个应用（或已为当前用户卸载），没有改动。";
    case Cause::SystemRefused: return "手机系统拒绝了这项操作，没有改动：这个应用不允许卸载或停用。";
    case Cause::ServerFight:
        return "这台电脑上另一个版本的 adb 在抢占 adb 服务（通常是手机助手一类的软件），命令没有完成：请关闭这些软件后再试。";
    case Cause::TooLong: return "命令行超过 8191 个字符，命令解释器无法运行，已拒绝，没有改动。";
    case Cause::NotStarted: return "命令解释器未能启动，命令没有运行。";
    case Cause::ProgramClosed: return "程序正在关闭，命令没有运行完。";
    case Cause::Other: break;
    }
    return "没有得到手机确认，改动可能没有完成。";
}

}  // namespace

Verdict JudgeRun(std::string_view commandLine, const CommandRun& run)
{
    if (!run.started) {
        return NotRunVerdict(commandLine);
    }
    if (!run.awaited) {
        return {Cause::ProgramClosed, {}, {}};
    }
    Lines lines = AnswerLines(run.output);
    if (run.exitCode.value_or(0) == 0 && IsConfirmedAnswer(commandLine, run.output, lines)) {
        return {Cause::Confirmed, lines.empty() ? std::string() : std::string(lines.back()), run.exitCode};
    }
    for (std::string_view line : lines) {
        std::optional<Cause> cause = ClientCause(line);
        cause = cause ? cause : AndroidCause(line);
        if (cause) {
            return {*cause, std::string(line), run.exitCode};
        }
    }
    if (std::optional<std::string> fight = ServerFightLine(run.output)) {
        return {Cause::ServerFight, *fight, run.exitCode};
    }
    // A failure says why first (an exception's name before its stack); a command that confirms
    // nothing ends with what it has to say (a list's last line).
    bool failed = run.exitCode.value_or(0) != 0 || HasConfirmingAnswer(commandLine);
    std::string_view reason = lines.empty() ? std::string_view() : (failed ? lines.front() : lines.back());
    return {Cause::Other, std::string(reason), run.exitCode};
}

bool IsAlreadySo(std::string_view commandLine, const Verdict& verdict)
{
    std::optional<PhoneChange> change = ChangeOf(commandLine);
    return verdict.cause == Cause::NotOnPhone && change && change->kind == PhoneChange::Kind::Uninstall;
}

std::string VerdictMessage(const Verdict& verdict)
{
    std::string message(CauseAdvice(verdict.cause));
    if (!verdict.reason.empty()) {
        message += JoinText({"\r\n\r\nadb 的回答：", verdict.reason});
    } else if (verdict.cause == Cause::Other && verdict.exitCode.value_or(0) != 0) {
        message += JoinText({"\r\n\r\n命令没有输出，退出代码 ", std::to_string(*verdict.exitCode), "。"});
    }
    return message;
}

void StepTally::Add(const Verdict& verdict, bool alreadySo)
{
    if (verdict.cause == Cause::Confirmed) {
        ++changed_;
    } else if (alreadySo) {
        if (alreadySo_++ == 0) {
            firstAlreadySo_ = verdict;
        }
    } else if (failed_++ == 0) {
        firstFailure_ = verdict;
    }
}

std::string StepTally::Message(std::string_view declared) const
{
    int done = changed_ + alreadySo_;
    int notDone = failed_ + notRun_;
    if (notDone == 0) {
        return changed_ > 0 || alreadySo_ == 0 ? std::string(declared) : VerdictMessage(firstAlreadySo_);
    }
    std::string why = failed_ > 0 ? VerdictMessage(firstFailure_) : std::string("原因见输出框。");
    if (done > 0) {
        return JoinText({"完成 ", std::to_string(done), " 项，未完成 ", std::to_string(notDone), " 项。\r\n", why});
    }
    if (failed_ == 0) {
        return "未运行任何命令，原因见输出框";
    }
    std::string notRunNote =
        notRun_ > 0 ? JoinText({"\r\n另有 ", std::to_string(notRun_), " 项未运行，原因见输出框。"}) : std::string();
    return why + notRunNote;
}
