// The 刷新 button's link check against the real adb client's answers, and older answers from the stand-in.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "core/link_check.h"
#include "core/phone_choice.h"
#include "core/window_names.h"
#include "support/desktop_window_fixture.h"
#include "support/fake_phone.h"
#include "support/phone_lab.h"

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

// What the real adb client answers, through its own server, for the phone attached (adb's own
// words, from adb_client.cpp and transport.cpp: acquire_one_transport). The first adb command after
// a PC starts launches adb's server, whose notices precede the answer: no verdict matches, and the
// link box shows the answer, not the notice. (No phone at all, without the notices, ends
// PhonesComeAndGoAndOfSeveralTheChosenOneTakesEveryCommand.)
TEST_F(LinkCheck, RealClientAnswersAfterTheServerStartNoticesShowVerdictOrFirstLine)
{
    PhoneLab lab;
    Refresh();
    EXPECT_EQ(LinkBox(), "error: no devices/emulators found");
    std::string output = Output();
    EXPECT_TRUE(output.starts_with("* daemon not running; starting now at tcp:")) << output;
    EXPECT_NE(output.find("\r\n* daemon started successfully\r\nerror: no devices/emulators found\r\n"), std::string::npos)
        << output;

    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"device", "已连接", "device\r\n"},
        {"offline", "连接异常", "error: device offline\r\n"},
        {"recovery", "recovery", "recovery\r\n"},
        {"unauthorized", "error: device unauthorized.",
         "error: device unauthorized.\r\nThis adb server's $ADB_VENDOR_KEYS is not set\r\n"
         "Try 'adb kill-server' if that seems wrong.\r\nOtherwise check for a confirmation dialog on your device.\r\n"}};
    for (const auto& [state, linkBox, answer] : rows) {
        SCOPED_TRACE(state);
        SimPhone& phone = lab.Attach({.state = state});
        Refresh();
        EXPECT_EQ(LinkBox(), linkBox);
        EXPECT_EQ(Output(), WithNotice(answer));
        lab.Unplug(phone);
    }
    EXPECT_TRUE(headless::Messages().empty()) << "the link check shows no message box";
}

// Answers the real client cannot be made to give: older adb's on standard output, and line ends
// other than LF. Captured output reaches the box with CR LF line breaks: a lone LF is turned into
// the pair and still matches; an answer without the pair matches no row. The notice is painted at
// once, the verdict after it.
TEST_F(LinkCheck, StandInAnswersGetTheirVerdictsAndOnlyWholeLinesMatch)
{
    FakePhone phone;
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
        {"offline", "lf", "连接异常", "offline\r\n"}, {"unknown", "lf", "请检查连接", "unknown\r\n"},
        {"device", "cr", "device", "device\r"},      {"device", "none", "device", "device"}};
    for (const auto& [state, lineEnd, linkBox, answer] : rows) {
        SCOPED_TRACE(std::string(state) + " " + lineEnd);
        phone.SetState(state);
        phone.Set("FAKE_ADB_LINE_END", lineEnd);
        Refresh();
        EXPECT_EQ(LinkBox(), linkBox);
        EXPECT_EQ(Output(), WithNotice(answer));
        std::vector<headless::Painting> paintings = headless::Paintings();
        ASSERT_GE(paintings.size(), 2u);
        EXPECT_EQ(paintings[paintings.size() - 2].control, kOutputBox);
        EXPECT_EQ(paintings[paintings.size() - 2].text, WithNotice(answer));
        EXPECT_EQ(paintings.back().control, "连接编辑框");
        EXPECT_EQ(paintings.back().text, linkBox);
    }
    EXPECT_EQ(phone.Commands(), std::vector<std::string>(std::size(rows), "adb get-state"));
}

// Phones come and go between two clicks: each check replaces the last verdict and appends one
// notice. Several devices are a choice: one button per device in adb's order (by serial), the
// model first. Closing the choice window chooses nothing: the link box keeps adb's refusal, the
// output box the devices attached, and the next 刷新 asks again. The chosen phone's verdict
// follows, and every later command, a companion script's included, goes to it alone.
TEST_F(LinkCheck, PhonesComeAndGoAndOfSeveralTheChosenOneTakesEveryCommand)
{
    PhoneLab lab;
    SimPhone& phone = lab.Attach({.model = "HONOR_X40"});
    Refresh();
    ASSERT_EQ(LinkBox(), "已连接");

    SimPhone& locked = lab.Attach({.state = "unauthorized"});
    headless::WhenOpenedModally(PhoneChoiceWindow, [] { headless::CloseBox(PhoneChoiceWindow); });
    Refresh();
    EXPECT_EQ(LinkBox(), "error: more than one device/emulator");
    EXPECT_TRUE(Output().starts_with("List of devices attached\r\n")) << Output();
    EXPECT_NE(Output().find(phone.Serial()), std::string::npos);

    SimPhone& emulator = lab.Attach({.model = "MuMu"});
    std::map<std::string, std::string> bySerial = {{phone.Serial(), "HONOR_X40  " + phone.Serial() + "  device"},
                                                   {locked.Serial(), "未知型号  " + locked.Serial() + "  unauthorized"},
                                                   {emulator.Serial(), "MuMu  " + emulator.Serial() + "  device"}};
    std::vector<std::string> captions;
    headless::WhenOpenedModally(PhoneChoiceWindow, [&] {
        std::string_view emulatorButton;
        for (std::string_view button : kPhoneChoiceButtons) {
            if (headless::IsShown(PhoneChoiceWindow, button)) {
                captions.push_back(GetText(PhoneChoiceWindow, button));
                emulatorButton = captions.back().starts_with("MuMu") ? button : emulatorButton;
            }
        }
        headless::Click(PhoneChoiceWindow, emulatorButton);
    });
    Refresh();
    std::vector<std::string> expected;
    for (const auto& [serial, caption] : bySerial) {
        expected.push_back(caption);
    }
    EXPECT_EQ(captions, expected);
    EXPECT_FALSE(headless::IsOpen(PhoneChoiceWindow));
    EXPECT_EQ(LinkBox(), "已连接");
    EXPECT_NE(Output().find("已选择手机：" + emulator.Serial()), std::string::npos) << Output();
    headless::Click(DesktopWindow, "谷歌禁");  // a companion script
    EXPECT_FALSE(emulator.Changes().empty());
    // A line of one word in the list (not adb's) offers no phone of its own.
    EXPECT_EQ(ParseDeviceList("List of devices attached\r\nnoise\r\nSER1\tdevice\r\n").size(), 1u);

    for (SimPhone* gone : {&phone, &locked, &emulator}) {
        lab.Unplug(*gone);
    }
    Refresh();
    EXPECT_EQ(LinkBox(), "无连接");
    EXPECT_EQ(Output(), WithNotice("error: no devices/emulators found\r\n"));
    EXPECT_TRUE(phone.Commands().empty()) << "get-state is answered by adb's server, not by the phone";
}

// The first line that is not a server notice; notices alone show the first, nothing shows nothing.
TEST(OneLineAnswer, ShowsTheFirstLineThatIsNotAServerNotice)
{
    const std::pair<const char*, const char*> rows[] = {
        {"device\r\n", "device"},
        {"\r\n* daemon started successfully\nerror: no devices/emulators found\r\nmore", "error: no devices/emulators found"},
        {"'adb' 不是内部或外部命令，也不是可运行的程序\r\n或批处理文件。\r\n", "'adb' 不是内部或外部命令，也不是可运行的程序"},
        {"  two  blanks \r\n", "  two  blanks "},
        {"* daemon not running; starting now at tcp:5037\r\n* daemon started successfully\r\n",
         "* daemon not running; starting now at tcp:5037"},
        {"", ""},
        {"\r\n\r\n", ""}};
    for (const auto& [answer, shown] : rows) {
        EXPECT_EQ(OneLineAnswer(answer), shown) << answer;
    }
}

}  // namespace
