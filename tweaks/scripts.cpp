// Companion-script buttons and the run-status report that the status script leaves behind.
#include "tweaks/scripts.h"

#include <string>
#include <string_view>

#include "core/operation_log.h"
#include "core/window_names.h"
#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

// Every script is started by its bare file name. The program's directory is searched first and
// is the current directory; a full path would reach cmd.exe, which expands %NAME% in it, so a
// folder named like "工具%PATH%" would start nothing.
struct ScriptLaunch {
    std::string_view stem;  // the file name without its system's extension
    bool waitForExit;
    int showState;
    std::string_view message;  // shown once the script has done its work; empty = none
    std::string_view task;     // what it does, for the message when it has not
    std::string_view twin = {};  // the stem of the script that takes back what it did
};

constexpr ScriptLaunch kGoogleOn{"goolgle_abl", true, ShowHidden, "为您启用了谷歌", "启用谷歌服务", "goolgle_dis"};
constexpr ScriptLaunch kGoogleOff{"goolgle_dis", true, ShowHidden, "为您禁用了谷歌", "禁用谷歌服务", "goolgle_abl"};
constexpr ScriptLaunch kReadingAppIn{"hwread_IN", true, ShowHidden, "完成", "装回阅读", "hwread_UN"};
constexpr ScriptLaunch kReadingAppOut{"hwread_UN", true, ShowHidden, "完成", "卸载阅读", "hwread_IN"};
constexpr ScriptLaunch kHuaweiRestore{"hw_rec", true, ShowNormal, "完成，请您重启手机", "还原所有操作"};
constexpr ScriptLaunch kCommandEdition{"HarmonyOS", false, ShowNormal, "", "打开命令版Pellucor"};
constexpr ScriptLaunch kCacheClean{"clean", true, ShowNormal, "完成", "清理聊天缓存"};
constexpr ScriptLaunch kDownloadClean{"clean_download", true, ShowNormal, "完成", "清理聊天下载"};
constexpr ScriptLaunch kApkFolderInstall{"auto_install", true, ShowNormal, "完成", "安装应用"};
constexpr ScriptLaunch kConnectionReset{"renew", true, ShowNormal, "", "重置连接"};

constexpr std::string_view kStatusScript = "trans";
constexpr std::string_view kReportFile = "temp2.txt";

// The scripts' exit codes, as each script states at its top.
enum ScriptExit : unsigned long {
    kDone = 0,           // every command it sent succeeded
    kPhoneNotReady = 1,  // the phone check failed: nothing was changed
    kSomeFailed = 2,     // it ran, but at least one command failed
    kNothingToDo = 3,    // nothing was done: there was nothing to do, or the user said no
};

// How many of a hidden script's last output lines its failure message carries: enough for the
// phone check's explanation or a list of failed commands.
constexpr std::size_t kExplanationLines = 12;
constexpr std::size_t kLongestExplanationLine = 200;

std::string ScriptExitMeaning(unsigned long exitCode)
{
    switch (exitCode) {
    case kDone: return std::string(kDoneOutcome);
    case kPhoneNotReady: return "未完成：手机未就绪，未做任何改动（退出代码 1）";
    case kSomeFailed: return "部分命令未成功（退出代码 2）";
    case kNothingToDo: return "未做任何改动（退出代码 3）";
    }
    return JoinText({"异常结束（退出代码 ", ExitCodeText(exitCode), "）"});
}

// The last lines a hidden script wrote, which nobody saw in its console: in GBK, the code page
// every script sets before it says anything, or UTF-8 from adb.
std::string Explanation(std::string_view output)
{
    std::string text = DecodeText(output, LegacyCodePage::Gbk);
    std::string explanation;
    for (std::string_view line : LastFilledLines(text, kExplanationLines)) {
        explanation += JoinText({"\r\n", ShortenedText(line, kLongestExplanationLine)});
    }
    return explanation;
}

std::string FailureMessage(const ScriptLaunch& script, const ProgramRun& run)
{
    std::string what;
    switch (run.exitCode) {
    case kPhoneNotReady: what = JoinText({"未能", script.task, "：手机未就绪。"}); break;
    case kSomeFailed: what = JoinText({script.task, "只完成了一部分：有命令未成功。"}); break;
    case kNothingToDo: what = JoinText({script.task, "：未做任何操作。"}); break;
    default:
        what = JoinText({script.task, "未正常结束（退出代码 ", ExitCodeText(run.exitCode), "），结果不明。"});
    }
    if (script.showState != ShowHidden) {
        return JoinText({what, "\r\n详情见脚本窗口中的说明。"});
    }
    std::string explanation = Explanation(run.output);
    return explanation.empty() ? what : JoinText({what, "\r\n", explanation});
}

// The declared message only once the script has said it did its work; otherwise what went wrong.
// A script that did not start has been reported already; a program that is ending shows nothing.
void Launch(const ScriptLaunch& script)
{
    std::string commandLine = ScriptFileName(script.stem);
    std::string twin = script.twin.empty() ? std::string() : ScriptFileName(script.twin);
    ProgramRun run = StartAndRecord(commandLine, script.waitForExit, script.showState, ScriptExitMeaning, twin);
    if (run.end == ProgramEnd::Ended && run.exitCode != kDone) {
        ShowMessage(FailureMessage(script, run));
    } else if ((run.end == ProgramEnd::Ended || run.end == ProgramEnd::Started) && !script.message.empty()) {
        ShowMessage(script.message);
    }
}

// The report as the status script wrote it, up to the first zero byte: GBK, the code page the
// script sets, whatever the system's ANSI code page is (65001 on PCs with Windows' UTF-8 option),
// and UTF-8 where adb's answers are. A missing or unreadable file reads as the empty text.
std::string ReportText()
{
    Bytes bytes = ReadWholeFile(JoinPath(ProgramDirectory(), kReportFile), FileSharing::DenyWriters);
    return DecodeText(ToText(bytes), LegacyCodePage::Gbk);
}

void ShowReport()
{
    SetText(RunStatusWindow, kReportBox, ReportText());
    RepaintNow(RunStatusWindow, kReportBox);
}

// Eight line breaks and 52 blanks put the word near the middle of the report box.
std::string WaitingBanner()
{
    std::string banner;
    for (int line = 0; line < 8; ++line) {
        banner += "\r\n";
    }
    return banner + std::string(52, ' ') + "请等待";
}

}  // namespace

void EnableGoogleServices(const EventArgs&) { Launch(kGoogleOn); }
void DisableGoogleServices(const EventArgs&) { Launch(kGoogleOff); }
void RestoreReadingApp(const EventArgs&) { Launch(kReadingAppIn); }
void UninstallReadingApp(const EventArgs&) { Launch(kReadingAppOut); }
void RestoreAllHuaweiApps(const EventArgs&) { Launch(kHuaweiRestore); }
void OpenCommandEdition(const EventArgs&) { Launch(kCommandEdition); }
void CleanCaches(const EventArgs&) { Launch(kCacheClean); }
void CleanDownloads(const EventArgs&) { Launch(kDownloadClean); }
void InstallApkFolder(const EventArgs&) { Launch(kApkFolderInstall); }
void ResetConnection(const EventArgs&) { Launch(kConnectionReset); }

// The report window opens while the script may still be writing: it shows what the file holds
// at that moment, and "刷新" runs the script to its end.
void ShowRunStatus(const EventArgs&)
{
    SetText(DesktopWindow, kOutputBox, "\r\n运行内容已输出到程序目录的 temp2.txt中");
    RepaintNow(DesktopWindow, kOutputBox);
    std::string commandLine = ScriptFileName(kStatusScript);
    if (RunProgram(commandLine, false, ShowHidden).end == ProgramEnd::NotStarted) {
        ShowMessage(NotStartedMessage(commandLine));
    }
    OpenWindow(RunStatusWindow, true);
}

void LoadRunStatusReport(const EventArgs&) { ShowReport(); }

// A click on "刷新" while the script still runs is ignored: a second copy would write the same
// report file.
void RefreshRunStatusReport(const EventArgs&)
{
    static bool refreshing = false;
    if (refreshing) {
        return;
    }
    refreshing = true;
    SetText(RunStatusWindow, kReportBox, WaitingBanner());
    RepaintNow(RunStatusWindow, kReportBox);
    std::string commandLine = ScriptFileName(kStatusScript);
    ProgramRun run = RunProgram(commandLine, true, ShowHidden);
    refreshing = false;
    if (run.end == ProgramEnd::NotStarted) {
        SetText(RunStatusWindow, kReportBox, NotStartedMessage(commandLine));
    } else if (run.end == ProgramEnd::Ended) {
        ShowReport();
    }
}
