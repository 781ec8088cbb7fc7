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

// How a script is named on its command line: by file name alone (found in the program's
// directory, which is searched first) or by the program's directory joined with it.
enum class ScriptPath { BareName, FullPath };

struct ScriptLaunch {
    std::string_view stem;  // the file name without its system's extension
    ScriptPath path;
    bool waitForExit;
    int showState;
    std::string_view message;  // shown once RunProgram returns; empty = none
};

constexpr ScriptLaunch kGoogleOn{"goolgle_abl", ScriptPath::BareName, true, ShowHidden, "为您启用了谷歌"};
constexpr ScriptLaunch kGoogleOff{"goolgle_dis", ScriptPath::BareName, true, ShowHidden, "为您禁用了谷歌"};
constexpr ScriptLaunch kReadingAppIn{"hwread_IN", ScriptPath::BareName, true, ShowHidden, "完成"};
constexpr ScriptLaunch kReadingAppOut{"hwread_UN", ScriptPath::BareName, true, ShowHidden, "完成"};
constexpr ScriptLaunch kHuaweiRestore{"hw_rec", ScriptPath::BareName, true, ShowNormal, "完成，请您重启手机"};
constexpr ScriptLaunch kCommandEdition{"HarmonyOS", ScriptPath::BareName, false, ShowNormal, ""};
constexpr ScriptLaunch kCacheClean{"clean", ScriptPath::BareName, true, ShowNormal, "完成"};
constexpr ScriptLaunch kDownloadClean{"clean_download", ScriptPath::BareName, true, ShowNormal, "完成"};
constexpr ScriptLaunch kApkFolderInstall{"auto_install", ScriptPath::BareName, true, ShowNormal, "完成"};
constexpr ScriptLaunch kConnectionReset{"renew", ScriptPath::FullPath, true, ShowNormal, ""};

constexpr std::string_view kStatusScript = "trans";
constexpr std::string_view kReportFile = "temp2.txt";

std::string ScriptCommandLine(std::string_view stem, ScriptPath path)
{
    std::string fileName = ScriptFileName(stem);
    return path == ScriptPath::FullPath ? JoinPath(ProgramDirectory(), fileName) : fileName;
}

// Whether the script did what it should is not known here: its own console says. The log notes
// whether it started.
void Launch(const ScriptLaunch& script)
{
    StartAndRecord(ScriptCommandLine(script.stem, script.path), script.waitForExit, script.showState);
    if (!script.message.empty()) {
        ShowMessage(script.message);
    }
}

// The report as the status script wrote it, in the system's ANSI code page or UTF-8, up to the
// first zero byte; a missing or unreadable file reads as the empty text.
std::string ReportText()
{
    Bytes bytes = ReadWholeFile(JoinPath(ProgramDirectory(), kReportFile), FileSharing::DenyWriters);
    std::string raw = ToText(bytes);
    OutputDecoder decoder(LegacyCodePage::Ansi);
    std::string text = decoder.Decode(raw);
    return text + decoder.Finish();
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
    RunProgram(ScriptCommandLine(kStatusScript, ScriptPath::FullPath), false, ShowHidden);
    OpenWindow(RunStatusWindow, true);
}

void LoadRunStatusReport(const EventArgs&) { ShowReport(); }

void RefreshRunStatusReport(const EventArgs&)
{
    SetText(RunStatusWindow, kReportBox, WaitingBanner());
    RepaintNow(RunStatusWindow, kReportBox);
    RunProgram(ScriptCommandLine(kStatusScript, ScriptPath::FullPath), true, ShowHidden);
    ShowReport();
}
