// The 刷新 button's link check against every answer the fake phone gives.
#include <gtest/gtest.h>

#include "core/link_check.h"
#include "support/desktop_window_fixture.h"
#include "support/fake_phone.h"

namespace {

constexpr std::string_view kNotice =
    "\r\n             多个设备连接时不可用哦，注意检查是否连接了安卓虚拟机\r\n"
    "                      使用【查看连接设备】可查询";

class LinkCheck : public DesktopWindowTest {
protected:
    static void Refresh() { headless::Click(DesktopWindow, "按钮5"); }
    static std::string LinkBox() { return GetText(DesktopWindow, "连接编辑框"); }
    static std::string WithNotice(std::string_view answer) { return std::string(answer) + std::string(kNotice); }
};

struct KnownAnswer {
    const char* state;
    const char* verdict;
    const char* rawAnswer;
};

class KnownAnswers : public LinkCheck, public ::testing::WithParamInterface<KnownAnswer> {};

TEST_P(KnownAnswers, ShowVerdictAndRawAnswerWithNotice)
{
    FakePhone phone(GetParam().state);
    Refresh();
    EXPECT_EQ(LinkBox(), GetParam().verdict);
    EXPECT_EQ(Output(), WithNotice(GetParam().rawAnswer));
    EXPECT_EQ(phone.Commands(), std::vector<std::string>{"adb get-state"});
    EXPECT_TRUE(headless::Messages().empty()) << "the link check shows no message box";
}

INSTANTIATE_TEST_SUITE_P(FakePhoneStates, KnownAnswers,
                         ::testing::Values(KnownAnswer{"device", "已连接", "device\r\n"},
                                           KnownAnswer{"offline", "连接异常", "offline\r\n"},
                                           KnownAnswer{"unknown", "请检查连接", "unknown\r\n"},
                                           KnownAnswer{"none", "无连接", "error: no devices/emulators found\r\n"}),
                         [](const auto& info) { return std::string(info.param.state); });

TEST_F(LinkCheck, NoticeIsPaintedAtOnceAndTheVerdictAfterIt)
{
    FakePhone phone("device");
    Refresh();
    std::vector<headless::Painting> paintings = headless::Paintings();
    ASSERT_GE(paintings.size(), 2u);
    EXPECT_EQ(paintings[paintings.size() - 2].control, kOutputBox);
    EXPECT_EQ(paintings[paintings.size() - 2].text, WithNotice("device\r\n"));
    EXPECT_EQ(paintings.back().control, "连接编辑框");
    EXPECT_EQ(paintings.back().text, "已连接");
}

TEST_F(LinkCheck, MoreThanOnePhoneKeepsTheRawAnswer)
{
    FakePhone phone("many");
    Refresh();
    EXPECT_EQ(LinkBox(), "error: more than one device/emulator");
    EXPECT_EQ(Output(), WithNotice("error: more than one device/emulator\r\n"));
}

// The first adb command after a PC starts launches adb's server, whose notices precede the
// answer: no verdict matches, and the link box shows the answer, not the notice.
TEST_F(LinkCheck, ServerStartNoticesMatchNoRowAndAreLeftOutOfTheLinkBox)
{
    FakePhone phone("device");
    phone.Set("FAKE_ADB_DAEMON", "starting");
    Refresh();
    EXPECT_EQ(LinkBox(), "device");
    EXPECT_EQ(Output(), WithNotice("* daemon not running; starting now at tcp:5037\r\n* daemon started successfully\r\ndevice\r\n"));

    phone.SetState("unauthorized");
    Refresh();
    EXPECT_EQ(LinkBox(), "error: device unauthorized.");
}

// Captured output reaches the box with CR LF line breaks: a lone LF is turned into the pair.
TEST_F(LinkCheck, LfLineEndIsDecodedToCrLfAndStillMatches)
{
    FakePhone phone("device");
    phone.Set("FAKE_ADB_LINE_END", "lf");
    Refresh();
    EXPECT_EQ(LinkBox(), "已连接");
    EXPECT_EQ(Output(), WithNotice("device\r\n"));
}

TEST_F(LinkCheck, AnswerWithoutTheCrLfPairMatchesNoRow)
{
    FakePhone phone("device");
    phone.Set("FAKE_ADB_LINE_END", "cr");
    Refresh();
    EXPECT_EQ(LinkBox(), "device");
    EXPECT_EQ(Output(), WithNotice("device\r"));

    phone.Set("FAKE_ADB_LINE_END", "none");
    Refresh();
    EXPECT_EQ(LinkBox(), "device");
    EXPECT_EQ(Output(), WithNotice("device"));
}

TEST_F(LinkCheck, AnswerInAnotherStateIsShownRaw)
{
    FakePhone phone("recovery");
    Refresh();
    EXPECT_EQ(LinkBox(), "recovery");
}

TEST_F(LinkCheck, EveryCheckReplacesTheLastVerdictAndAppendsOneNotice)
{
    FakePhone phone("device");
    Refresh();
    ASSERT_EQ(LinkBox(), "已连接");

    phone.SetState("many");
    Refresh();
    EXPECT_EQ(LinkBox(), "error: more than one device/emulator");
    EXPECT_EQ(Output(), WithNotice("error: more than one device/emulator\r\n"));

    phone.SetState("none");
    Refresh();
    EXPECT_EQ(LinkBox(), "无连接");
    EXPECT_EQ(Output(), WithNotice("error: no devices/emulators found\r\n"));
    EXPECT_EQ(phone.Commands(), (std::vector<std::string>{"adb get-state", "adb get-state", "adb get-state"}));
}

TEST(OneLineAnswer, ShowsTheFirstLineThatIsNotAServerNotice)
{
    EXPECT_EQ(OneLineAnswer("device\r\n"), "device");
    EXPECT_EQ(OneLineAnswer("\r\n* daemon started successfully\nerror: no devices/emulators found\r\nmore"),
              "error: no devices/emulators found");
    EXPECT_EQ(OneLineAnswer("'adb' 不是内部或外部命令，也不是可运行的程序\r\n或批处理文件。\r\n"),
              "'adb' 不是内部或外部命令，也不是可运行的程序");
    EXPECT_EQ(OneLineAnswer("  two  blanks \r\n"), "  two  blanks ");
}

TEST(OneLineAnswer, NoticesAloneShowTheFirstAndNothingShowsNothing)
{
    EXPECT_EQ(OneLineAnswer("* daemon not running; starting now at tcp:5037\r\n* daemon started successfully\r\n"),
              "* daemon not running; starting now at tcp:5037");
    EXPECT_EQ(OneLineAnswer(""), "");
    EXPECT_EQ(OneLineAnswer("\r\n\r\n"), "");
}

}  // namespace
