// The POSIX companion scripts, run in a scratch copy of the program's directory against the fake
// phone: the adb commands each one issues, what it reports, and that it touches nothing else.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/system.h"
#include "support/fake_phone.h"
#include "support/phone_lab.h"
#include "support/script_outcomes.h"

namespace {

namespace fs = std::filesystem;

// Every file below the directory, by path relative to it, with its contents.
std::map<std::string, std::string> Snapshot(const fs::path& directory)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(directory)) {
        files[fs::relative(entry.path(), directory).string()] = entry.is_regular_file() ? ReadFile(entry.path()) : "";
    }
    return files;
}

class CompanionScriptTest : public testing::Test {
protected:
    void SetUp() override
    {
        static int counter = 0;
        root_ = fs::temp_directory_path() / ("pellucor-scripts-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        program_ = root_ / "program";
        elsewhere_ = root_ / "elsewhere";
        fs::remove_all(root_);
        fs::create_directories(program_);
        fs::create_directories(elsewhere_);
        for (const auto& entry : fs::directory_iterator(ProgramDirectory())) {
            if (entry.path().extension() == ".sh" || entry.path().filename() == "adb") {
                fs::copy_file(entry.path(), program_ / entry.path().filename());
            }
        }
    }
    void TearDown() override { fs::remove_all(root_); }

    // Runs the script from another working directory, with the given standard input, and reads
    // what it printed.
    ScriptRun Run(const std::string& stem, const std::string& input = "")
    {
        std::ofstream(elsewhere_ / "input", std::ios::binary) << input;
        std::string command = "cd '" + elsewhere_.string() + "' && '" + (program_ / ScriptFileName(stem)).string() +
                              "' <input >output 2>&1";
        int status = std::system(command.c_str());
        ScriptRun run{WIFEXITED(status) ? static_cast<unsigned long>(WEXITSTATUS(status)) : ~0ul,
                      ReadFile(elsewhere_ / "output")};
        fs::remove(elsewhere_ / "input");
        fs::remove(elsewhere_ / "output");
        return run;
    }
    // The part after the prefix of every command the script sent after its check for a phone.
    Strings RunFor(const std::string& stem, const std::string& prefix)
    {
        phone_.ClearCommands();
        Run(stem);
        return Targets(phone_.Commands(), prefix);
    }

    fs::path root_;
    fs::path program_;  // a copy of the program's folder: the scripts and the fake adb
    fs::path elsewhere_;  // the scripts' working folder
    FakePhone phone_;
};

// adb get-state ends normally for a phone in recovery and fails for one that is offline, not yet
// allowed, absent or one of several: only "device" may go on. The real client's words; every
// script hands on the phone check's verdict alike (WaitedScriptsReportTheOutcomeInTheirExitCode).
TEST_F(CompanionScriptTest, PhoneScriptsGoOnOnlyForADeviceAndOtherwiseExplainTheState)
{
    struct Refusal {
        const char* state;
        int phones;
        const char* explanation;
    };
    const Refusal refusals[] = {{"offline", 1, "离线状态"}, {"recovery", 1, "恢复模式"}, {"unauthorized", 1, "没有允许这台电脑调试"},
                                {"device", 0, "没有找到手机"}, {"device", 2, "连接了不止一台设备"}};
    fs::remove(program_ / "adb");
    fs::create_symlink(PhoneLab::Client(), program_ / "adb");
    for (const Refusal& refusal : refusals) {
        PhoneLab lab;
        lab.StartServer();
        for (int i = 0; i < refusal.phones; ++i) {
            lab.Attach(PhoneSetup{.state = refusal.state});
        }
        ScriptRun run = Run("goolgle_abl");
        SCOPED_TRACE(refusal.explanation);
        EXPECT_EQ(run.exitCode, 1u);
        EXPECT_NE(run.output.find(refusal.explanation), std::string::npos) << run.output;
        EXPECT_NE(LastLine(run.output).find("本次没有对手机做任何操作"), std::string::npos);
        for (const SimPhone& phone : lab.Phones()) {
            EXPECT_EQ(phone.Commands(), Strings{}) << "no command reached the phone";
        }
    }
}

// One exit-code contract for every script the program waits for (check_phone.sh); the visible
// scripts keep the code through their closing pause. Run from another folder, the scripts change
// nothing in the program's folder but the report, which the status script writes there, and
// nothing in the working folder.
TEST_F(CompanionScriptTest, WaitedScriptsReportTheOutcomeInTheirExitCodeAndChangeNothingElse)
{
    fs::create_directory(program_ / "apk");
    std::ofstream(program_ / "apk" / "a.apk") << "x";  // as the table's last case leaves it
    std::ofstream(program_ / "databank.ini") << "[华为]\r\n";
    auto before = Snapshot(program_);
    ExpectOutcomes(phone_, program_, "adb", [&](const char* stem, const char* answer) {
        return Run(stem, answer != nullptr ? std::string(answer) + "\n" : "");
    }, [](const ScriptOutcome&) { return true; });
    auto after = Snapshot(program_);
    EXPECT_TRUE(after.contains("temp2.txt"));
    after.erase("temp2.txt");
    EXPECT_EQ(after, before);
    EXPECT_TRUE(fs::is_empty(elsewhere_));
}

// The package names of the shipped catalogue's section.
std::set<std::string> ShippedCataloguePackages(const std::string& section)
{
    fs::path shipped = fs::path(__FILE__).parent_path().parent_path().parent_path() / "databank.ini";
    std::istringstream lines(GbkToUtf8(ReadFile(shipped)));
    std::set<std::string> packages;
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        line = line.substr(0, line.find('\r'));
        if (line.starts_with("[")) {
            inSection = line == "[" + section + "]";
        } else if (inSection && !line.starts_with(";") && line.find('=') != std::string::npos) {
            packages.insert(line.substr(line.find('=') + 1));
        }
    }
    return packages;
}

// Google's services are switched as a group, the reading app of both brands restored and removed
// for the current user; "还原所有操作" then undoes on a Huawei phone whatever the Huawei page's
// buttons (the catalogue's section) and those scripts remove or disable.
TEST_F(CompanionScriptTest, PackageScriptsAndTheHuaweiRestoreThatUndoesThem)
{
    const Strings google = {"com.google.android.gms", "com.google.android.gsf", "com.android.vending"};
    const Strings readers = {"com.huawei.hwireader", "com.huawei.hwread.dz", "com.hihonor.dz.reader"};
    EXPECT_EQ(RunFor("goolgle_abl", "adb shell pm enable "), google);
    EXPECT_EQ(RunFor("goolgle_dis", "adb shell pm disable-user "), google);  // the phone keeps them disabled
    EXPECT_EQ(RunFor("hwread_IN", "adb shell pm install-existing --user 0 "), readers);
    EXPECT_EQ(RunFor("hwread_UN", "adb shell pm uninstall --user 0 "), readers);

    phone_.SeedPackage("com.huawei.hwid", "disabled-user");
    phone_.SeedPackage("com.example.own", "disabled-user");
    phone_.ClearCommands();
    ScriptRun run = Run("hw_rec");
    Strings restored = ExpectRestoreEnablesOnlyListedPackages(phone_.Commands());
    std::set<std::string> distinct(restored.begin(), restored.end());
    EXPECT_EQ(distinct.size(), restored.size()) << "a package restored twice";
    std::set<std::string> expected = ShippedCataloguePackages("华为");
    ASSERT_GT(expected.size(), 50u);
    expected.insert(readers.begin(), readers.end() - 1);  // the Huawei readers; Honor's is not restored
    for (const std::string& package : expected) {
        EXPECT_TRUE(distinct.contains(package)) << package;
    }
    for (const std::string& package : restored) {
        EXPECT_FALSE(package.starts_with("com.hihonor.")) << package;
    }
    EXPECT_NE(run.output.find("请重启手机"), std::string::npos);
}

// Y deletes only cache folders listed before the question (any other answer: the outcome table).
TEST_F(CompanionScriptTest, CacheCleaningDeletesOnlyTheListedCacheFoldersAfterAYes)
{
    ScriptRun run = Run("clean", "Y\n");
    ExpectOnlyListedCacheFolders(Targets(phone_.Commands(), "adb shell rm -rf "), run.output, "\n");
}

TEST_F(CompanionScriptTest, DownloadCleaningRemovesOnlyChatAppDownloadFolders)
{
    Strings removed = RunFor("clean_download", "adb shell rm -rf ");
    EXPECT_FALSE(removed.empty());
    for (const std::string& folder : removed) {
        bool chatApp = folder.starts_with("/sdcard/Android/data/com.tencent.") || folder.starts_with("/sdcard/tencent/");
        bool download = folder.ends_with("file_recv") || folder.ends_with("/Download");
        EXPECT_TRUE(chatApp && download) << folder;
    }
}

// A missing folder is explained, not made; an empty one is a row of the outcome table.
TEST_F(CompanionScriptTest, ApkFolderInstallsEveryApkAndReportsEach)
{
    ScriptRun missing = Run("auto_install");
    EXPECT_NE(missing.output.find("apk"), std::string::npos);
    EXPECT_TRUE(phone_.Commands().empty());
    EXPECT_FALSE(fs::exists(program_ / "apk")) << "the script made the folder itself";

    fs::create_directory(program_ / "apk");
    for (const char* name : {"my app.apk", "OTHER.APK", "notes.txt"}) {
        std::ofstream(program_ / "apk" / name) << "x";
    }
    ScriptRun run = Run("auto_install");
    Strings installed = Targets(phone_.Commands(), "adb install -r ");
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(installed, (Strings{(program_ / "apk" / "OTHER.APK").string(), (program_ / "apk" / "my app.apk").string()}));
    for (const char* line : {"安装成功 my app.apk", "安装成功 OTHER.APK", "成功 2 个，失败 0 个"}) {
        EXPECT_NE(run.output.find(line), std::string::npos) << line;
    }
}

// The menu runs the chosen actions until 0 or the end of its input, none of them waits before
// closing inside it, and they change nothing in the program's folder. Its last choice, the
// connection reset, restarts the server, lists the devices and checks the phone.
TEST_F(CompanionScriptTest, CommandEditionRunsChosenActionsUntilQuit)
{
    fs::create_directory(program_ / "apk");
    auto before = Snapshot(program_);
    ScriptRun run = Run("HarmonyOS", "1\n3\n99\n7\n8\nY\n9\n10\n12\n0\n2\n");
    Strings commands = phone_.Commands();
    ASSERT_GE(commands.size(), 5u);
    EXPECT_EQ(Strings(commands.begin(), commands.begin() + 5),
              (Strings{"adb devices -l", "adb get-state", "adb shell pm enable com.google.android.gms",
                       "adb shell pm enable com.google.android.gsf", "adb shell pm enable com.android.vending"}));
    // The connection reset ends the commands, not choice 2 after 0, and shows the phones again.
    EXPECT_EQ(Strings(commands.end() - 4, commands.end()),
              (Strings{"adb kill-server", "adb start-server", "adb devices -l", "adb get-state"}));
    EXPECT_NE(run.output.find("Pellucor_Test_Phone", run.output.find("正在重置")), std::string::npos);
    EXPECT_EQ(Snapshot(program_), before) << "the menu changed the program's folder";
    EXPECT_EQ(run.output.find(kClosingPause), std::string::npos);
    for (const char* ending : {"没有这个选项：99", "已全部装回", "清理完成", "没有 apk 文件", "List of devices attached", "再见"}) {
        EXPECT_NE(run.output.find(ending), std::string::npos) << ending;
    }
    EXPECT_EQ(run.exitCode, 0u);
    for (const char* input : {"", "2\n", "2"}) {
        phone_.ClearCommands();
        run = Run("HarmonyOS", input);
        EXPECT_NE(run.output.find("再见"), std::string::npos) << input;
        EXPECT_LE(phone_.Commands().size(), 1u) << input;
    }
}

}  // namespace
