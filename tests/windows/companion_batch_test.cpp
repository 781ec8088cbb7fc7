// The companion batch files, run through cmd.exe beside the test program against the fake phone:
// the adb commands each one issues, how each ends and with which exit code, and file names that
// cmd.exe would read as syntax.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/system.h"
#include "support/captured_output.h"
#include "support/fake_phone.h"
#include "support/script_outcomes.h"

namespace {

namespace fs = std::filesystem;

// Runs the script hidden and waits for its end as the program's buttons do (RunProgram), through
// cmd.exe, so that its input is the answer's line or NUL, whose end the closing pause reads at once.
// (Wine's set /p takes all of a redirected file as one answer, so a run cannot answer twice.)
ScriptRun RunScript(const std::string& stem, const char* answer = nullptr)
{
    const std::string inputPath = JoinPath(ProgramDirectory(), "script_input.txt");
    std::ofstream(inputPath, std::ios::binary | std::ios::trunc)
        << (answer != nullptr ? std::string(answer) + "\r\n" : "");
    const std::string input = answer != nullptr ? "\"" + inputPath + "\"" : "NUL";
    ProgramRun run = RunProgram("cmd /d /c " + ScriptFileName(stem) + " <" + input, true, ShowHidden);
    EXPECT_EQ(run.end, ProgramEnd::Ended) << stem;
    fs::remove(inputPath);
    return {run.exitCode, DecodeText(run.output, LegacyCodePage::Gbk)};
}

class CompanionBatchTest : public testing::Test {
protected:
    static void SetUpTestSuite() { InitialisePlatform(); }
    void TearDown() override { fs::remove_all(apkFolder_); }

    // The folder "apk" beside the scripts, made afresh, holding empty files of the given names.
    void FillApkFolder(const std::vector<std::u8string>& names = {})
    {
        fs::remove_all(apkFolder_);
        fs::create_directory(apkFolder_);
        for (const auto& name : names) {
            std::ofstream(apkFolder_ / name) << "apk";
        }
    }

    Strings Targets(const std::string& prefix) const { return ::Targets(phone_.Commands(), prefix); }

    const fs::path apkFolder_ = fs::path(ProgramDirectory()) / "apk";
    FakePhone phone_;
};

// Inside the menu no script waits before closing: the menu goes on, and ends at the end of its
// input, after the one choice. (Alone, the visible ones wait: WaitedScriptsReportTheOutcomeInTheirExitCode.)
TEST_F(CompanionBatchTest, ScriptsRunFromTheMenuDoNotWaitBeforeClosing)
{
    FillApkFolder();
    const std::pair<const char*, const char*> choices[] = {
        {"8", "没有删除任何文件"}, {"9", "清理完成"}, {"10", "没有 apk 文件"}, {"12", "List of devices attached"}};
    for (const auto& [choice, ending] : choices) {
        std::string menu = RunScript("HarmonyOS", choice).output;
        EXPECT_NE(menu.find(ending), std::string::npos) << choice << menu;
        EXPECT_EQ(menu.find(kClosingPause), std::string::npos) << choice << menu;
    }
}

// One exit-code contract for every script the program waits for (check_phone.bat): cmd.exe's exit
// code as GetExitCodeProcess reads it, through the visible scripts' closing pause.
TEST_F(CompanionBatchTest, WaitedScriptsReportTheOutcomeInTheirExitCode)
{
    // Every script hands on check_phone.bat's verdict alike: one not-ready phone shows that for each
    // script, and the first script meets every kind.
    auto wanted = [](const ScriptOutcome& c) {
        bool notReady = std::string_view(c.state) != "device" || c.adbMissing;
        return !notReady || std::string_view(c.state) == "offline" || std::string_view(c.stem) == "goolgle_abl";
    };
    ExpectOutcomes(phone_, ProgramDirectory(), "adb.exe", [](const char* stem, const char* answer) { return RunScript(stem, answer); },
                   wanted);
}

// The restore's second half reads the phone's list of disabled packages through cmd's for /f.
TEST_F(CompanionBatchTest, HuaweiRestoreEnablesTheGoogleServicesAndOnlyListedPackagesThePhoneReportsDisabled)
{
    RunScript("goolgle_dis");  // the phone keeps Google's services disabled
    EXPECT_EQ(Targets("adb shell pm disable-user "), (Strings{"com.google.android.gms", "com.google.android.gsf", "com.android.vending"}));
    phone_.SeedPackage("com.huawei.hwid", "disabled-user");
    phone_.SeedPackage("com.example.own", "disabled-user");
    phone_.ClearCommands();
    RunScript("hw_rec");
    Strings restored = ExpectRestoreEnablesOnlyListedPackages(phone_.Commands());
    EXPECT_GT(std::count_if(restored.begin(), restored.end(), [](const std::string& p) { return p.starts_with("com.huawei."); }), 50);
}

// Each name reaches adb as it stands in the folder, whether the script runs alone or from the
// menu, which has delayed expansion on.
TEST_F(CompanionBatchTest, ApkFolderInstallsFilesWhoseNamesCmdWouldReadAsSyntax)
{
    const std::vector<std::u8string> names = {u8"a b.apk", u8"p%PATH%q.apk", u8"bang!.apk", u8"caret^x.apk",
                                              u8"x&y.apk", u8"(paren).apk", u8"中文 应用.apk"};
    FillApkFolder(names);
    Strings expected;
    for (const auto& name : names) {
        expected.push_back("apk\\" + std::string(name.begin(), name.end()));
    }
    std::sort(expected.begin(), expected.end());

    for (bool fromMenu : {false, true}) {
        phone_.ClearCommands();
        std::string output = RunScript(fromMenu ? "HarmonyOS" : "auto_install", fromMenu ? "10" : nullptr).output;
        Strings installed = Targets("adb install -r ");
        std::sort(installed.begin(), installed.end());
        EXPECT_EQ(installed, expected) << (fromMenu ? "from the menu" : "alone");
        EXPECT_NE(output.find("成功 7 个，失败 0 个"), std::string::npos) << output;
        EXPECT_NE(output.find("安装成功 \"中文 应用.apk\""), std::string::npos) << output;
    }
}

// Y deletes only cache folders listed before the question (any other answer: the outcome table).
TEST_F(CompanionBatchTest, CacheCleaningDeletesOnlyTheListedCacheFoldersAfterAYes)
{
    std::string output = RunScript("clean", "y").output;
    ExpectOnlyListedCacheFolders(Targets("adb shell rm -rf "), output, "\r\n");
}

// The report is written beside the scripts, its last section the phone's uptime. A "!" in the
// folder's name or the phone's answers, and "^", are eaten where delayed expansion is on (the script
// would not find its own folder and would write its report somewhere else); cmd would run what
// follows "&".
TEST_F(CompanionBatchTest, StatusReportIsWrittenBesideTheScriptsWithThePhonesAnswersAsTheyAre)
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
    const std::string release = "12!beta^1 a&b|c<d>e %PATH% \"q\"";
    phone_.Set("RELEASE", release);
    DecodedRunToEnd("\"" + (folder / "trans.bat").string() + "\"");
    std::string written = GbkToUtf8(ReadFile(folder / "temp2.txt"));
    EXPECT_NE(written.find("安卓 " + release + "\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("Pellucor_Test_Phone"), std::string::npos);
    EXPECT_NE(phone_.Commands().back().find("uptime"), std::string::npos);
    EXPECT_FALSE(fs::exists(JoinPath(ProgramDirectory(), "temp2.txt")));
    fs::remove_all(folder);
}

}  // namespace
