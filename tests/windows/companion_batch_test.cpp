// The companion batch files, run through cmd.exe beside the test program against the fake phone:
// the adb commands each one issues, how each ends and with which exit code, and file names that
// cmd.exe would read as syntax.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/system.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/wide.h"
#include "support/captured_output.h"
#include "support/fake_phone.h"
#include "support/script_outcomes.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const std::set<std::string> kVisibleScripts = {"hw_rec", "clean", "clean_download", "auto_install", "renew"};
constexpr std::string_view kClosingPause = "按任意键关闭此窗口…";

std::string RunScript(const std::string& stem) { return DecodedRunToEnd(ScriptFileName(stem)); }

// The script given one line of input and then its end. (Wine's set /p takes all of a redirected
// file as one answer, so a run cannot answer twice.)
std::string RunAnswering(const std::string& stem, const std::string& answer)
{
    fs::path input = JoinPath(ProgramDirectory(), "answers.txt");
    std::ofstream(input, std::ios::binary) << answer << "\r\n";
    std::string output = DecodedRunToEnd(ScriptFileName(stem) + " < answers.txt");
    fs::remove(input);
    return output;
}

// The command edition's menu, given one choice.
std::string RunMenu(const std::string& choice) { return RunAnswering("HarmonyOS", choice); }

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The folder "apk" beside the scripts, holding empty files of the given names, for one test.
class ApkFolder {
public:
    explicit ApkFolder(const std::vector<std::u8string>& names = {}) : path_(fs::path(ProgramDirectory()) / "apk")
    {
        fs::remove_all(path_);
        fs::create_directory(path_);
        for (const auto& name : names) {
            std::ofstream(path_ / name) << "apk";
        }
    }
    ~ApkFolder() { fs::remove_all(path_); }
    ApkFolder(const ApkFolder&) = delete;
    ApkFolder& operator=(const ApkFolder&) = delete;

private:
    fs::path path_;
};

class CompanionBatchTest : public testing::Test {
protected:
    static void SetUpTestSuite() { InitialisePlatform(); }

    Strings Targets(const std::string& prefix) const
    {
        Strings commands = phone_.Commands();
        EXPECT_FALSE(commands.empty());
        if (!commands.empty()) {
            EXPECT_EQ(commands.front(), "adb get-state");
            commands.erase(commands.begin());
        }
        Strings targets;
        for (const std::string& command : commands) {
            EXPECT_TRUE(command.starts_with(prefix)) << command;
            targets.push_back(command.substr(prefix.size()));
        }
        return targets;
    }

    FakePhone phone_;
};

// Each package script runs its verb over its own packages.
TEST_F(CompanionBatchTest, PackageScriptsRunTheirVerbOverTheirPackages)
{
    const struct {
        const char* stem;
        const char* prefix;
        Strings packages;
    } cases[] = {
        {"goolgle_abl", "adb shell pm enable ", {"com.google.android.gms", "com.google.android.gsf", "com.android.vending"}},
        {"hwread_UN", "adb shell pm uninstall --user 0 ", {"com.huawei.hwireader", "com.huawei.hwread.dz", "com.hihonor.dz.reader"}},
    };
    for (const auto& c : cases) {
        phone_.ClearCommands();
        RunScript(c.stem);
        EXPECT_EQ(Targets(c.prefix), c.packages) << c.stem;
    }
}

// Inside the menu no script waits before closing: the menu goes on. (Alone, the visible ones do:
// WaitedScriptsReportTheOutcomeInTheirExitCode.)
TEST_F(CompanionBatchTest, ScriptsRunFromTheMenuDoNotWaitBeforeClosing)
{
    ApkFolder folder;
    const std::pair<const char*, const char*> choices[] = {
        {"8", "没有删除任何文件"}, {"9", "清理完成"}, {"10", "没有 apk 文件"}, {"12", "List of devices attached"}};
    for (const auto& [choice, ending] : choices) {
        std::string menu = RunMenu(choice);
        EXPECT_NE(menu.find(ending), std::string::npos) << choice << menu;
        EXPECT_EQ(menu.find(kClosingPause), std::string::npos) << choice << menu;
    }
}

struct ScriptEnding {
    DWORD exitCode = 0;
    std::string output;
};

// Starts the script as the program's buttons do, CreateProcessW with the bare file name (Windows
// then runs it with cmd /c), hidden; its input is the answer's line, or NUL, whose end the closing
// pause reads at once, and its output goes to a file. Waits at most a minute for its end.
ScriptEnding RunAsAButtonDoes(const std::string& stem, const char* answer)
{
    std::wstring outputPath = Utf8ToWide(JoinPath(ProgramDirectory(), "script_output.txt"));
    std::string inputPath = JoinPath(ProgramDirectory(), "script_input.txt");
    std::ofstream(inputPath, std::ios::binary | std::ios::trunc) << (answer != nullptr ? std::string(answer) + "\r\n" : "");
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    OwnedHandle output(CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    OwnedHandle input(CreateFileW(answer != nullptr ? Utf8ToWide(inputPath).c_str() : L"NUL", GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    startInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startInfo.wShowWindow = SW_HIDE;
    startInfo.hStdInput = input.Get();
    startInfo.hStdOutput = output.Get();
    startInfo.hStdError = output.Get();
    std::wstring commandLine = Utf8ToWide(ScriptFileName(stem));  // CreateProcessW may write into it
    PROCESS_INFORMATION started{};
    ScriptEnding ending;
    if (!output || !input ||
        !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startInfo, &started)) {
        ADD_FAILURE() << "could not start " << stem;
        return ending;
    }
    OwnedHandle process(started.hProcess);
    OwnedHandle thread(started.hThread);
    if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << stem << " did not end";
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), 5000);
    }
    GetExitCodeProcess(process.Get(), &ending.exitCode);
    output.Close();
    OutputDecoder decoder;
    ending.output = decoder.Decode(ReadFile(JoinPath(ProgramDirectory(), "script_output.txt")));
    ending.output += decoder.Finish();
    input.Close();
    fs::remove(JoinPath(ProgramDirectory(), "script_output.txt"));
    fs::remove(inputPath);
    return ending;
}

// The output's last line, leaving out the closing pause: what the program shows of a script it ran
// hidden, and what the user reads last in a visible one.
std::string LastLine(std::string output)
{
    if (std::size_t pause = output.rfind(kClosingPause); pause != std::string::npos) {
        output.erase(pause);
    }
    output.erase(output.find_last_not_of("\r\n ") + 1);
    return output.substr(output.find_last_of('\n') + 1);
}

// The fake adb moved away from beside the scripts for as long as it lives: no adb to be found.
class AdbMissing {
public:
    AdbMissing() { fs::rename(Beside(), Away()); }
    ~AdbMissing() { fs::rename(Away(), Beside()); }
    AdbMissing(const AdbMissing&) = delete;
    AdbMissing& operator=(const AdbMissing&) = delete;

private:
    static fs::path Beside() { return fs::path(ProgramDirectory()) / "adb.exe"; }
    static fs::path Away() { return fs::path(ProgramDirectory()) / "adb.exe.away"; }
};

// One exit-code contract for every script the program waits for (check_phone.bat): 0 done, 1 the
// phone is not ready, 2 some command failed, 3 nothing to do. It is cmd.exe's exit code as
// GetExitCodeProcess reads it, through the visible scripts' closing pause; older phones exit 0
// whatever happened, so their words count too. Run alone, the visible scripts wait before closing.
TEST_F(CompanionBatchTest, WaitedScriptsReportTheOutcomeInTheirExitCode)
{
    for (const ScriptOutcome& c : ScriptOutcomes()) {
        // Every script hands on check_phone.bat's verdict alike: one not-ready phone shows that for
        // each script, and the first script meets every kind.
        bool notReady = std::string_view(c.state) != "device" || c.adbMissing;
        if (notReady && std::string_view(c.state) != "offline" && std::string_view(c.stem) != "goolgle_abl") {
            continue;
        }
        phone_.SetState(c.state);
        c.packages != nullptr ? phone_.Set("PACKAGES", c.packages) : phone_.Unset("PACKAGES");
        c.withoutShellProtocol ? phone_.Set("SHELL_PROTOCOL", "none") : phone_.Unset("SHELL_PROTOCOL");
        ApkFolder folder(c.apkFile ? std::vector<std::u8string>{u8"a.apk"} : std::vector<std::u8string>{});
        std::optional<AdbMissing> missing;
        if (c.adbMissing) {
            missing.emplace();
        }
        ScriptEnding ending = RunAsAButtonDoes(c.stem, c.answer);
        SCOPED_TRACE(Describe(c));
        EXPECT_EQ(ending.exitCode, c.code) << ending.output;
        if (c.lastLine != nullptr) {
            EXPECT_NE(LastLine(ending.output).find(c.lastLine), std::string::npos) << ending.output;
        }
        EXPECT_EQ(ending.output.find(kClosingPause) != std::string::npos, kVisibleScripts.contains(c.stem)) << ending.output;
    }
}

TEST_F(CompanionBatchTest, HuaweiRestoreEnablesTheGoogleServicesAndOnlyListedPackagesThePhoneReportsDisabled)
{
    RunScript("goolgle_dis");  // the phone keeps Google's services disabled
    Strings disabledByScript = Targets("adb shell pm disable-user ");
    phone_.ClearCommands();
    phone_.SeedPackage("com.huawei.hwid", "disabled-user");
    phone_.SeedPackage("com.example.own", "disabled-user");
    Strings expected = {"adb shell pm enable com.huawei.hwid"};
    for (const std::string& package : disabledByScript) {
        expected.push_back("adb shell pm enable " + package);
    }
    std::string output = RunScript("hw_rec");
    EXPECT_NE(output.find(kClosingPause), std::string::npos) << output;
    Strings commands = phone_.Commands();
    auto listing = std::find(commands.begin(), commands.end(), "adb shell pm list packages -d");
    ASSERT_NE(listing, commands.end());
    EXPECT_GT(std::count_if(commands.begin(), listing,
                            [](const std::string& c) { return c.starts_with("adb shell pm install-existing --user 0 com.huawei."); }),
              50);
    Strings enabled(listing + 1, commands.end());
    std::sort(enabled.begin(), enabled.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(enabled, expected);
}

// Each name reaches adb as it stands in the folder, whether the script runs alone or from the
// menu, which has delayed expansion on.
TEST_F(CompanionBatchTest, ApkFolderInstallsFilesWhoseNamesCmdWouldReadAsSyntax)
{
    const std::vector<std::u8string> names = {u8"a b.apk", u8"p%PATH%q.apk", u8"bang!.apk", u8"caret^x.apk",
                                              u8"x&y.apk", u8"(paren).apk", u8"中文 应用.apk"};
    ApkFolder folder(names);
    Strings expected;
    for (const auto& name : names) {
        expected.push_back("apk\\" + std::string(name.begin(), name.end()));
    }
    std::sort(expected.begin(), expected.end());

    for (bool fromMenu : {false, true}) {
        phone_.ClearCommands();
        std::string output = fromMenu ? RunMenu("10") : RunScript("auto_install");
        Strings installed = Targets("adb install -r ");
        std::sort(installed.begin(), installed.end());
        EXPECT_EQ(installed, expected) << (fromMenu ? "from the menu" : "alone");
        EXPECT_NE(output.find("成功 7 个，失败 0 个"), std::string::npos) << output;
        EXPECT_NE(output.find("安装成功 \"中文 应用.apk\""), std::string::npos) << output;
    }
}

// No input, an empty line or anything but Y deletes nothing; what Y deletes was listed first, and
// is cache folders on shared storage only: pictures and videos sent in chats are not cache, the
// server's copy expires.
TEST_F(CompanionBatchTest, CacheCleaningListsItsFoldersAndDeletesOnlyCacheAfterAYes)
{
    std::string listing = RunScript("clean");
    EXPECT_EQ(Targets("adb shell rm -rf "), Strings{});
    EXPECT_NE(listing.find("没有删除任何文件"), std::string::npos) << listing;
    for (const char* answer : {"", "n", "yes & del x", "\""}) {
        phone_.ClearCommands();
        std::string output = RunAnswering("clean", answer);
        EXPECT_EQ(Targets("adb shell rm -rf "), Strings{}) << answer;
        EXPECT_NE(output.find("没有删除任何文件"), std::string::npos) << output;
    }
    phone_.ClearCommands();
    RunAnswering("clean", "y");
    Strings removed = Targets("adb shell rm -rf ");
    EXPECT_GE(removed.size(), 10u);
    for (const std::string& folder : removed) {
        EXPECT_NE(listing.find("  " + folder + "\r\n"), std::string::npos) << "not listed before: " << folder;
        EXPECT_TRUE(folder.starts_with("/sdcard/") && folder.size() > 12) << folder;
        EXPECT_EQ(folder.find_first_of(" *?;&|"), std::string::npos) << folder;
        EXPECT_EQ(folder.find("chatpic"), std::string::npos) << folder;
        EXPECT_EQ(folder.find("shortvideo"), std::string::npos) << folder;
    }
}

TEST_F(CompanionBatchTest, PhoneCheckKnowsOldAdbAndAPhoneJustPluggedIn)
{
    const std::pair<const char*, const char*> states[] = {
        {"unknown", "没有找到手机"}, {"authorizing", "正在等待授权"}, {"connecting", "正在与手机建立连接"}};
    for (const auto& [state, explanation] : states) {
        phone_.SetState(state);
        phone_.ClearCommands();
        ScriptEnding ending = RunAsAButtonDoes("goolgle_abl", nullptr);
        EXPECT_EQ(ending.exitCode, 1u) << state;
        EXPECT_NE(ending.output.find(explanation), std::string::npos) << ending.output;
        EXPECT_EQ(phone_.Commands(), Strings{"adb get-state"});
    }
}

// The report is written beside the scripts, its last section the phone's uptime. Delayed
// expansion would eat "!" and "^" in the phone's answers, and cmd would run what follows "&".
TEST_F(CompanionBatchTest, StatusReportIsWrittenBesideTheScriptsWithThePhonesAnswersAsTheyAre)
{
    fs::path report = JoinPath(ProgramDirectory(), "temp2.txt");
    fs::remove(report);
    const std::string release = "12!beta^1 a&b|c<d>e %PATH% \"q\"";
    phone_.Set("RELEASE", release);
    RunScript("trans");
    std::string written = GbkToUtf8(ReadFile(report));
    EXPECT_NE(written.find("安卓 " + release + "\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("Pellucor_Test_Phone"), std::string::npos);
    EXPECT_NE(phone_.Commands().back().find("uptime"), std::string::npos);
    fs::remove(report);
}

// A "!" in the folder's name is eaten where delayed expansion is on: the script would not find its
// own folder and would write its report somewhere else.
TEST_F(CompanionBatchTest, ScriptsWorkInAFolderWhoseNameHasAnExclamationMark)
{
    fs::path folder = fs::path(ProgramDirectory()) / "a!b";
    fs::remove_all(folder);
    fs::create_directory(folder);
    for (const auto& entry : fs::directory_iterator(ProgramDirectory())) {
        if (entry.path().extension() == ".bat" || entry.path().filename() == "adb.exe") {
            fs::copy_file(entry.path(), folder / entry.path().filename());
        }
    }
    fs::remove(JoinPath(ProgramDirectory(), "temp2.txt"));
    DecodedRunToEnd("\"" + (folder / "trans.bat").string() + "\"");
    EXPECT_NE(GbkToUtf8(ReadFile(folder / "temp2.txt")).find("Pellucor_Test_Phone"), std::string::npos);
    EXPECT_FALSE(fs::exists(JoinPath(ProgramDirectory(), "temp2.txt")));
    fs::remove_all(folder);
}

TEST_F(CompanionBatchTest, CommandEditionEndsWhenThereIsNoInput)
{
    std::string output = RunScript("HarmonyOS");
    EXPECT_TRUE(phone_.Commands().empty());
    EXPECT_FALSE(output.empty());
}

}  // namespace
