// The companion-script buttons and the run-status report: how each script is started, what the
// user is told, and what the report window shows of temp2.txt.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
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
    const char* button;
    const char* stem;
    bool waits;
    int showState;
    const char* message;  // empty: none, and the script does not check for a phone
};

std::ostream& operator<<(std::ostream& out, const ScriptButton& button) { return out << button.button; }

// The apk folder holds an apk file, so that the installing script has something to do.
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
// expands %NAME% in a folder's name. A waited script's message comes once the script has sent its
// last command. Without a phone its message says why nothing was done instead; the user never saw
// a hidden script's console, so it carries the phone check's words.
TEST_P(ScriptButtonTest, StartsItsScriptAsDeclaredAndSaysItsMessageOnceItHasDoneItsWork)
{
    const ScriptButton& button = GetParam();
    SetText(DesktopWindow, kOutputBox, "before");
    std::size_t commandsAtMessage = 0;
    headless::SetMessageResponder([&](std::string_view) { commandsAtMessage = phone_.Commands().size(); });
    Click(button.button);
    headless::SetMessageResponder(nullptr);

    auto started = Started();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].commandLine, ScriptFileName(button.stem));
    EXPECT_EQ(started[0].waitForExit, button.waits);
    EXPECT_EQ(started[0].showState, button.showState);
    EXPECT_EQ(Messages(), std::string(button.message).empty() ? Strings{} : Strings{button.message});
    EXPECT_EQ(Output(), "before");
    EXPECT_EQ(State().currentCommand, "earlier command");
    if (!button.waits || std::string(button.message).empty()) {
        return;
    }
    EXPECT_EQ(commandsAtMessage, phone_.Commands().size()) << "the message came before the script's work";

    headless::Reset();
    ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    phone_.SetState("none");
    Click(button.button);
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
    testing::Values(ScriptButton{"谷歌解", "goolgle_abl", true, 1, "为您启用了谷歌"},
                    ScriptButton{"谷歌禁", "goolgle_dis", true, 1, "为您禁用了谷歌"},
                    ScriptButton{"阅读装", "hwread_IN", true, 1, "完成"},
                    ScriptButton{"阅读卸", "hwread_UN", true, 1, "完成"},
                    ScriptButton{"华为还原", "hw_rec", true, 2, "完成，请您重启手机"},
                    ScriptButton{"按钮189", "HarmonyOS", false, 2, ""},
                    // Asks before it deletes; nobody answers here, so it deletes nothing and says so.
                    ScriptButton{"清理", "clean", true, 2, "清理聊天缓存：未做任何操作。\r\n详情见脚本窗口中的说明。"},
                    ScriptButton{"清理下载", "clean_download", true, 2, "完成"},
                    ScriptButton{"安装应用", "auto_install", true, 2, "完成"},
                    ScriptButton{"重置连接", "renew", true, 2, ""}),
    [](const testing::TestParamInfo<ScriptButton>& info) { return std::string(info.param.stem); });

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

    std::filesystem::path report_ = JoinPath(ProgramDirectory(), "temp2.txt");
};

// The status script writes in GBK, the code page it sets itself; adb's answers in it may be UTF-8.
// Line ends become CR LF, a zero byte cuts the report, and bytes that decode to nothing lose only themselves.
TEST_F(RunStatusTest, ReportIsShownDecodedWithCrLfLineBreaks)
{
    struct Row {
        const char* name;
        std::optional<std::string> report;  // none: there is no temp2.txt
        std::string shown;
    };
    const Row rows[] = {
        {"no report", std::nullopt, ""},
        {"GBK beside UTF-8, LF", Utf8ToGbk("【型号】\n品牌：HUAWEI\r\n") + "model: 畅享 20\r\n",
         "【型号】\r\n品牌：HUAWEI\r\nmodel: 畅享 20\r\n"},
        {"a zero byte", std::string("电池 80\r\n\0hidden", 17), "电池 80\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(report_);
        if (row.report) {
            WriteReport(*row.report);
        }
        std::string shown;
        headless::Post([&] {  // once the window stands, as "运行情况" opens it
            shown = GetText(RunStatusWindow, "编辑框运行");
            headless::CloseBox(RunStatusWindow);
        });
        OpenWindow(RunStatusWindow, true);
        EXPECT_EQ(shown, row.shown);
    }
}

// "运行情况" notifies, starts the status script beside the program and opens the window; 刷新 paints
// a waiting banner, runs the script to its end and shows the new report; without a phone the report
// says why.
TEST_F(RunStatusTest, RunStatusStartsTheScriptAndRefreshShowsTheNewReport)
{
    WriteReport("old report");
    std::string outputWhileOpen;
    bool openWhilePosted = false;
    std::vector<std::string> commandsOfTheFirstRun;
    std::string shown;
    std::string shownWithoutAPhone;
    headless::Post([&] {
        outputWhileOpen = Output();
        openWhilePosted = headless::IsOpen(RunStatusWindow);
        commandsOfTheFirstRun = CommandsOnceThereAre(11);  // its last question to the phone ends the report
        headless::Click(RunStatusWindow, "刷新");
        shown = GetText(RunStatusWindow, "编辑框运行");
        phone_.SetState("none");
        headless::Click(RunStatusWindow, "刷新");
        shownWithoutAPhone = GetText(RunStatusWindow, "编辑框运行");
        headless::CloseBox(RunStatusWindow);
    });
    ShowRunStatus({});

    EXPECT_EQ(outputWhileOpen, "\r\n运行内容已输出到程序目录的 temp2.txt中");
    EXPECT_TRUE(openWhilePosted);
    EXPECT_EQ(commandsOfTheFirstRun.back(), "adb shell uptime");
    EXPECT_TRUE(Messages().empty());
    auto started = Started();
    ASSERT_EQ(started.size(), 3u);
    for (std::size_t i = 0; i < started.size(); ++i) {
        EXPECT_EQ(started[i].commandLine, ScriptFileName("trans"));
        EXPECT_EQ(started[i].waitForExit, i > 0) << "only 刷新 waits";
        EXPECT_EQ(started[i].showState, 1);
    }
    for (const char* part : {"【连接设备】", "Pellucor_Test_Phone", "【型号】", "【安卓版本】", "安卓 12", "【电池】", "【内存】",
                             "【存储】", "【运行时间】"}) {
        EXPECT_NE(shown.find(part), std::string::npos) << part;
    }
    for (const char* question : {"adb shell getprop ro.product.model", "adb shell dumpsys battery"}) {
        EXPECT_NE(std::find(commandsOfTheFirstRun.begin(), commandsOfTheFirstRun.end(), question), commandsOfTheFirstRun.end());
    }
    EXPECT_EQ(shown.find("old report"), std::string::npos);
    for (const char* part : {"没有找到手机", "error: no devices/emulators found"}) {
        EXPECT_NE(shownWithoutAPhone.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(shownWithoutAPhone.find("【电池】"), std::string::npos);

    const std::vector<headless::Painting> paintings = headless::Paintings();
    EXPECT_TRUE(std::any_of(paintings.begin(), paintings.end(), [](const headless::Painting& p) {
        return p.window == RunStatusWindow && p.control == kReportBox && p.text.ends_with("请等待");
    })) << "no waiting banner while 刷新 runs the script";
}

}  // namespace
