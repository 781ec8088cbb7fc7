// The companion-script buttons and the run-status report: how each script is started, what the
// user is told, and what the report window shows of temp2.txt.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/system.h"
#include "support/tweaks_fixture.h"
#include "tweaks/scripts.h"

namespace {

using tweaks_test::TweaksTest;
using Strings = std::vector<std::string>;

struct ScriptButton {
    const char* name;
    Handler handler;
    const char* stem;
    bool waits;
    int showState;
    const char* message;  // empty: none
    bool checksPhone;
};

std::ostream& operator<<(std::ostream& out, const ScriptButton& button) { return out << button.name; }

class ScriptButtonTest : public TweaksTest, public testing::WithParamInterface<ScriptButton> {
protected:
    void SetUp() override
    {
        TweaksTest::SetUp();
        std::filesystem::create_directories(apkFolder_);
        std::ofstream(apkFolder_ / "app.apk") << "apk";
    }
    void TearDown() override
    {
        std::filesystem::remove_all(apkFolder_);
        TweaksTest::TearDown();
    }

    std::filesystem::path apkFolder_ = JoinPath(ProgramDirectory(), "apk");
};

// Every script is named by its file name alone: a full path would reach the interpreter, which
// expands %NAME% in a folder's name.
TEST_P(ScriptButtonTest, StartsItsScriptAsDeclaredAndSaysItsMessageOnceItHasDoneItsWork)
{
    const ScriptButton& button = GetParam();
    SetText(DesktopWindow, kOutputBox, "before");
    button.handler({});

    auto started = Started();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].commandLine, ScriptFileName(button.stem));
    EXPECT_EQ(started[0].waitForExit, button.waits);
    EXPECT_EQ(started[0].showState, button.showState);
    EXPECT_EQ(Messages(), std::string(button.message).empty() ? Strings{} : Strings{button.message});
    EXPECT_EQ(Output(), "before");
    EXPECT_EQ(State().currentCommand, "earlier command");
}

// The user never saw a hidden script's console: its message carries the phone check's words.
TEST_P(ScriptButtonTest, WithoutAPhoneSaysWhyNothingWasDoneInsteadOfItsMessage)
{
    const ScriptButton& button = GetParam();
    if (!button.waits || !button.checksPhone) {
        GTEST_SKIP() << "not waited for, or works without a phone";
    }
    phone_.SetState("none");
    button.handler({});

    auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("未能")) << messages[0];
    EXPECT_NE(messages[0].find("手机未就绪"), std::string::npos) << messages[0];
    if (button.showState == ShowHidden) {
        EXPECT_NE(messages[0].find("error: no devices/emulators found\r\n没有找到手机。"), std::string::npos)
            << messages[0];
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryScriptButton, ScriptButtonTest,
    testing::Values(ScriptButton{"解禁", EnableGoogleServices, "goolgle_abl", true, 1, "为您启用了谷歌", true},
                    ScriptButton{"禁用", DisableGoogleServices, "goolgle_dis", true, 1, "为您禁用了谷歌", true},
                    ScriptButton{"阅读装回", RestoreReadingApp, "hwread_IN", true, 1, "完成", true},
                    ScriptButton{"阅读卸载", UninstallReadingApp, "hwread_UN", true, 1, "完成", true},
                    ScriptButton{"还原所有操作", RestoreAllHuaweiApps, "hw_rec", true, 2, "完成，请您重启手机", true},
                    ScriptButton{"打开命令版", OpenCommandEdition, "HarmonyOS", false, 2, "", false},
                    // Asks before it deletes; nobody answers here, so it deletes nothing and says so.
                    ScriptButton{"清理", CleanCaches, "clean", true, 2, "清理聊天缓存：未做任何操作。\r\n详情见脚本窗口中的说明。", true},
                    ScriptButton{"清理下载", CleanDownloads, "clean_download", true, 2, "完成", true},
                    ScriptButton{"安装应用", InstallApkFolder, "auto_install", true, 2, "完成", true},
                    ScriptButton{"重置连接", ResetConnection, "renew", true, 2, "", false}),
    [](const testing::TestParamInfo<ScriptButton>& info) { return std::string(info.param.stem); });

class PageScriptButtonTest : public TweaksTest {};

TEST_F(PageScriptButtonTest, PageButtonsStartTheirScripts)
{
    phone_.SetState("none");
    Click("清理");
    Click("清理下载");
    Click("安装应用");
    auto started = Started();
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0].commandLine, ScriptFileName("clean"));
    EXPECT_EQ(started[1].commandLine, ScriptFileName("clean_download"));
    EXPECT_EQ(started[2].commandLine, ScriptFileName("auto_install"));
}

TEST_F(PageScriptButtonTest, WaitingScriptHasDoneItsWorkBeforeTheMessage)
{
    std::size_t commandsAtMessage = 0;
    headless::SetMessageResponder([&](std::string_view) { commandsAtMessage = Commands().size(); });
    EnableGoogleServices({});
    headless::SetMessageResponder(nullptr);
    EXPECT_EQ(commandsAtMessage, 4u);  // get-state and one enable per Google package
}

// temp2.txt lies in the program's directory, which every test of this program shares.
class RunStatusTest : public TweaksTest {
protected:
    void SetUp() override
    {
        TweaksTest::SetUp();
        std::filesystem::remove(report_);
    }
    void TearDown() override
    {
        std::filesystem::remove(report_);
        TweaksTest::TearDown();
    }
    void WriteReport(const std::string& bytes) { std::ofstream(report_, std::ios::binary) << bytes; }

    // Opens the run-status window as "运行情况" does, reads its box once it stands, and closes it.
    std::string ShownOnOpening()
    {
        std::string shown;
        headless::Post([&] {
            shown = GetText(RunStatusWindow, "编辑框运行");
            headless::CloseBox(RunStatusWindow);
        });
        OpenWindow(RunStatusWindow, true);
        return shown;
    }

    std::filesystem::path report_ = JoinPath(ProgramDirectory(), "temp2.txt");
};

TEST_F(RunStatusTest, MissingReportGivesAnEmptyBox) { EXPECT_EQ(ShownOnOpening(), ""); }

TEST_F(RunStatusTest, ReportIsShownWithCrLfLineBreaks)
{
    WriteReport("【连接设备】\nFAKE0001\tdevice\r\n");
    EXPECT_EQ(ShownOnOpening(), "【连接设备】\r\nFAKE0001\tdevice\r\n");
}

// The status script writes in GBK, the code page it sets itself; adb's answers in it may be UTF-8.
TEST_F(RunStatusTest, ReportInGbkIsShownAsChineseBesideUtf8FromThePhone)
{
    WriteReport(Utf8ToGbk("【型号】\r\n品牌：HUAWEI\r\n") + "model: 畅享 20\r\n");
    EXPECT_EQ(ShownOnOpening(), "【型号】\r\n品牌：HUAWEI\r\nmodel: 畅享 20\r\n");
}

TEST_F(RunStatusTest, ZeroByteCutsTheReport)
{
    WriteReport(std::string("电池 80\r\n\0hidden", 17));
    EXPECT_EQ(ShownOnOpening(), "电池 80\r\n");
}

TEST_F(RunStatusTest, UndecodableBytesDoNotLoseTheRest)
{
    WriteReport("a\xFF\xFE b\r\n");
    std::string shown = ShownOnOpening();
    EXPECT_TRUE(shown.starts_with("a"));
    EXPECT_TRUE(shown.ends_with(" b\r\n"));
}

TEST_F(RunStatusTest, RunStatusButtonNotifiesStartsTheScriptAndOpensTheWindow)
{
    std::string outputWhileOpen;
    bool openWhilePosted = false;
    headless::Post([&] {
        outputWhileOpen = Output();
        openWhilePosted = headless::IsOpen(RunStatusWindow);
        headless::CloseBox(RunStatusWindow);
    });
    ShowRunStatus({});

    EXPECT_EQ(outputWhileOpen, "\r\n运行内容已输出到程序目录的 temp2.txt中");
    EXPECT_TRUE(openWhilePosted);
    auto started = Started();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].commandLine, ScriptFileName("trans"));
    EXPECT_FALSE(started[0].waitForExit);
    EXPECT_EQ(started[0].showState, 1);
    EXPECT_TRUE(Messages().empty());
    // The script goes on beside the program; its last question to the phone ends the report.
    auto commands = CommandsOnceThereAre(11);
    EXPECT_EQ(commands.back(), "adb shell uptime");
}

TEST_F(RunStatusTest, RefreshRunsTheScriptToItsEndAndShowsTheNewReport)
{
    WriteReport("old report");
    std::string shown;
    headless::Post([&] {
        headless::Click(RunStatusWindow, "刷新");
        shown = GetText(RunStatusWindow, "编辑框运行");
        headless::CloseBox(RunStatusWindow);
    });
    OpenWindow(RunStatusWindow, true);

    auto started = Started();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].commandLine, ScriptFileName("trans"));
    EXPECT_TRUE(started[0].waitForExit);
    EXPECT_EQ(started[0].showState, 1);
    EXPECT_NE(shown.find("【连接设备】"), std::string::npos);
    EXPECT_NE(shown.find("Pellucor_Test_Phone"), std::string::npos);
    EXPECT_NE(shown.find("【运行时间】"), std::string::npos);
    EXPECT_EQ(shown.find("old report"), std::string::npos);
}

TEST_F(RunStatusTest, RefreshPaintsTheWaitingBannerBeforeTheScriptRuns)
{
    headless::Post([] {
        headless::Click(RunStatusWindow, "刷新");
        headless::CloseBox(RunStatusWindow);
    });
    OpenWindow(RunStatusWindow, true);

    std::vector<headless::Painting> paintings;
    for (const headless::Painting& painting : headless::Paintings()) {
        if (painting.window == RunStatusWindow) {
            paintings.push_back(painting);
        }
    }
    ASSERT_GE(paintings.size(), 2u);  // the report on opening, the banner, the report again
    const std::string banner = "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n" + std::string(52, ' ') + "请等待";
    EXPECT_EQ(paintings[1].control, kReportBox);
    EXPECT_EQ(paintings[1].text, banner);
}

TEST_F(RunStatusTest, RefreshWithoutAPhoneShowsWhyInsteadOfAReport)
{
    phone_.SetState("none");
    std::string shown;
    headless::Post([&] {
        headless::Click(RunStatusWindow, "刷新");
        shown = GetText(RunStatusWindow, "编辑框运行");
        headless::CloseBox(RunStatusWindow);
    });
    OpenWindow(RunStatusWindow, true);
    EXPECT_NE(shown.find("没有找到手机"), std::string::npos);
    EXPECT_NE(shown.find("error: no devices/emulators found"), std::string::npos);
}

}  // namespace
