// The companion batch files, run through cmd.exe beside the test program against the fake phone:
// the adb commands each one issues and that every one ends without a phone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/system.h"
#include "support/captured_output.h"
#include "support/fake_phone.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// Everything the batch file writes, collected as the runner does; cmd.exe gets no input.
std::string RunToEnd(const std::string& stem)
{
    auto run = CapturedRun::Start(ScriptFileName(stem));
    if (run == nullptr) {
        ADD_FAILURE() << "could not start " << stem;
        return {};
    }
    return CollectToEnd(*run);
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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
    RunToEnd("goolgle_abl");
    EXPECT_EQ(Targets("adb shell pm enable "), (Strings{"com.google.android.gms", "com.google.android.gsf", "com.android.vending"}));
}

TEST_F(CompanionBatchTest, ReadingAppOfBothBrandsIsRemovedForTheCurrentUser)
{
    RunToEnd("hwread_UN");
    EXPECT_EQ(Targets("adb shell pm uninstall --user 0 "),
              (Strings{"com.huawei.hwireader", "com.huawei.hwread.dz", "com.hihonor.dz.reader"}));
}

TEST_F(CompanionBatchTest, WithoutAPhoneEveryPhoneScriptStopsAfterTheCheck)
{
    phone_.SetState("none");
    for (const char* stem : {"goolgle_abl", "goolgle_dis", "hwread_IN", "hwread_UN", "hw_rec", "clean", "clean_download"}) {
        phone_.ClearCommands();
        std::string output = RunToEnd(stem);
        EXPECT_NE(output.find("error: no devices/emulators found"), std::string::npos) << stem;
        EXPECT_EQ(phone_.Commands(), Strings{"adb get-state"}) << stem;
    }
}

TEST_F(CompanionBatchTest, HuaweiRestoreEnablesOnlyListedPackagesThePhoneReportsDisabled)
{
    phone_.Set("PACKAGES", "com.huawei.hwid,com.example.own,com.huawei.KoBackup");
    RunToEnd("hw_rec");
    Strings commands = phone_.Commands();
    auto listing = std::find(commands.begin(), commands.end(), "adb shell pm list packages -d");
    ASSERT_NE(listing, commands.end());
    EXPECT_GT(std::count_if(commands.begin(), listing,
                            [](const std::string& c) { return c.starts_with("adb shell pm install-existing --user 0 com.huawei."); }),
              50);
    EXPECT_EQ(Strings(listing + 1, commands.end()),
              (Strings{"adb shell pm enable com.huawei.hwid", "adb shell pm enable com.huawei.KoBackup"}));
}

TEST_F(CompanionBatchTest, CacheCleaningRemovesOnlyFoldersOnSharedStorage)
{
    RunToEnd("clean");
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
    RunToEnd("trans");
    std::string written = ReadFile(report);
    EXPECT_NE(written.find("Pellucor_Test_Phone"), std::string::npos);
    EXPECT_NE(phone_.Commands().back().find("uptime"), std::string::npos);
    fs::remove(report);
}

TEST_F(CompanionBatchTest, CommandEditionEndsWhenThereIsNoInput)
{
    std::string output = RunToEnd("HarmonyOS");
    EXPECT_TRUE(phone_.Commands().empty());
    EXPECT_FALSE(output.empty());
}

}  // namespace
