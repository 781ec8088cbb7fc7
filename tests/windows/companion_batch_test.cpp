// The companion batch files, run through cmd.exe beside the test program against the fake phone:
// the adb commands each one issues, how each ends when the phone is not ready, and file names
// that cmd.exe would read as syntax.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/system.h"
#include "support/captured_output.h"
#include "support/fake_phone.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const char* const kPhoneScripts[] = {"goolgle_abl", "goolgle_dis", "hwread_IN", "hwread_UN", "hw_rec",
                                     "clean", "clean_download", "auto_install"};
const std::set<std::string> kVisibleScripts = {"hw_rec", "clean", "clean_download", "auto_install", "renew"};
constexpr std::string_view kClosingPause = "按任意键关闭此窗口…";

// Everything the command line writes, collected as the runner does and decoded to UTF-8;
// cmd.exe gets no input.
std::string RunToEnd(const std::string& commandLine)
{
    auto run = CapturedRun::Start(commandLine);
    if (run == nullptr) {
        ADD_FAILURE() << "could not start " << commandLine;
        return {};
    }
    OutputDecoder decoder;
    std::string output = decoder.Decode(CollectToEnd(*run));
    return output + decoder.Finish();
}

std::string RunScript(const std::string& stem) { return RunToEnd(ScriptFileName(stem)); }

// The command edition's menu, given one choice and then the end of its input. (Wine's set /p
// takes all of a redirected file as one answer, so a run cannot make several choices.)
std::string RunMenu(const std::string& choice)
{
    fs::path input = JoinPath(ProgramDirectory(), "menu_answers.txt");
    std::ofstream(input, std::ios::binary) << choice << "\r\n";
    std::string output = RunToEnd(ScriptFileName("HarmonyOS") + " < menu_answers.txt");
    fs::remove(input);
    return output;
}

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

TEST_F(CompanionBatchTest, GoogleServicesAreEnabledAsAGroup)
{
    RunScript("goolgle_abl");
    EXPECT_EQ(Targets("adb shell pm enable "), (Strings{"com.google.android.gms", "com.google.android.gsf", "com.android.vending"}));
}

TEST_F(CompanionBatchTest, ReadingAppOfBothBrandsIsRemovedForTheCurrentUser)
{
    RunScript("hwread_UN");
    EXPECT_EQ(Targets("adb shell pm uninstall --user 0 "),
              (Strings{"com.huawei.hwireader", "com.huawei.hwread.dz", "com.hihonor.dz.reader"}));
}

// adb get-state ends normally for a phone that is offline or in recovery: only "device" may go on.
TEST_F(CompanionBatchTest, PhoneScriptsGoOnOnlyForADeviceAndOtherwiseExplainTheState)
{
    struct Refusal {
        const char* state;
        const char* explanation;
    };
    const Refusal refusals[] = {{"offline", "离线状态"},
                                {"recovery", "恢复模式"},
                                {"unauthorized", "没有允许这台电脑调试"},
                                {"none", "没有找到手机"}};
    ApkFolder folder;
    for (const Refusal& refusal : refusals) {
        phone_.SetState(refusal.state);
        for (const char* stem : kPhoneScripts) {
            phone_.ClearCommands();
            std::string output = RunScript(stem);
            SCOPED_TRACE(std::string(stem) + " with a phone " + refusal.state);
            EXPECT_NE(output.find(refusal.explanation), std::string::npos) << output;
            EXPECT_NE(output.find("本次没有对手机做任何操作"), std::string::npos);
            EXPECT_EQ(phone_.Commands(), Strings{"adb get-state"});
            EXPECT_EQ(output.find(kClosingPause) != std::string::npos, kVisibleScripts.contains(stem));
        }
    }
}

TEST_F(CompanionBatchTest, VisibleScriptsWaitBeforeClosingExceptInsideTheMenu)
{
    ApkFolder folder;
    for (const char* stem : {"goolgle_dis", "clean", "clean_download", "auto_install", "renew"}) {
        std::string output = RunScript(stem);
        EXPECT_EQ(output.find(kClosingPause) != std::string::npos, kVisibleScripts.contains(stem)) << stem << output;
    }
    const std::pair<const char*, const char*> choices[] = {
        {"8", "清理完成"}, {"9", "清理完成"}, {"10", "成功 0 个"}, {"12", "List of devices attached"}};
    for (const auto& [choice, ending] : choices) {
        std::string menu = RunMenu(choice);
        EXPECT_NE(menu.find(ending), std::string::npos) << choice << menu;
        EXPECT_EQ(menu.find(kClosingPause), std::string::npos) << choice << menu;
    }
}

TEST_F(CompanionBatchTest, HuaweiRestoreEnablesTheGoogleServicesAndOnlyListedPackagesThePhoneReportsDisabled)
{
    RunScript("goolgle_dis");
    Strings disabledByScript = Targets("adb shell pm disable-user ");
    phone_.ClearCommands();
    std::string disabledOnPhone = "com.huawei.hwid,com.example.own";
    Strings expected = {"adb shell pm enable com.huawei.hwid"};
    for (const std::string& package : disabledByScript) {
        disabledOnPhone += "," + package;
        expected.push_back("adb shell pm enable " + package);
    }
    phone_.Set("PACKAGES", disabledOnPhone);
    std::string output = RunScript("hw_rec");
    EXPECT_NE(output.find(kClosingPause), std::string::npos) << output;
    Strings commands = phone_.Commands();
    auto listing = std::find(commands.begin(), commands.end(), "adb shell pm list packages -d");
    ASSERT_NE(listing, commands.end());
    EXPECT_GT(std::count_if(commands.begin(), listing,
                            [](const std::string& c) { return c.starts_with("adb shell pm install-existing --user 0 com.huawei."); }),
              50);
    EXPECT_EQ(Strings(listing + 1, commands.end()), expected);
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

TEST_F(CompanionBatchTest, CacheCleaningRemovesOnlyFoldersOnSharedStorage)
{
    RunScript("clean");
    Strings removed = Targets("adb shell rm -rf ");
    EXPECT_GE(removed.size(), 10u);
    for (const std::string& folder : removed) {
        EXPECT_TRUE(folder.starts_with("/sdcard/") && folder.size() > 12) << folder;
        EXPECT_EQ(folder.find_first_of(" *?;&|"), std::string::npos) << folder;
    }
}

TEST_F(CompanionBatchTest, StatusReportIsWrittenBesideTheScripts)
{
    fs::path report = JoinPath(ProgramDirectory(), "temp2.txt");
    fs::remove(report);
    RunScript("trans");
    std::string written = ReadFile(report);
    EXPECT_NE(written.find("Pellucor_Test_Phone"), std::string::npos);
    EXPECT_NE(phone_.Commands().back().find("uptime"), std::string::npos);
    fs::remove(report);
}

TEST_F(CompanionBatchTest, CommandEditionEndsWhenThereIsNoInput)
{
    std::string output = RunScript("HarmonyOS");
    EXPECT_TRUE(phone_.Commands().empty());
    EXPECT_FALSE(output.empty());
}

}  // namespace
