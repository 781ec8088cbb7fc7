// Reboots, wireless debugging, the server stop, the release query, the status-bar icons, the
// Xiaomi switches, the notices and the web links: what each starts, sends and says.
#include <string>
#include <vector>

#include "support/tweaks_fixture.h"
#include "tweaks/device_control.h"
#include "tweaks/links.h"

namespace {

using tweaks_test::TweaksTest;
using Strings = std::vector<std::string>;

class RebootTest : public TweaksTest {
protected:
    // One hidden start that nobody waits for, no message, no output, the runner's command untouched.
    void ExpectFiredAndForgotten(Handler reboot, const std::string& commandLine)
    {
        SetText(DesktopWindow, kOutputBox, "before");
        reboot({});
        auto started = Started();
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0].commandLine, commandLine);
        EXPECT_FALSE(started[0].waitForExit);
        EXPECT_EQ(started[0].showState, 1);
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(Output(), "before");
        EXPECT_EQ(State().currentCommand, "earlier command");
        EXPECT_EQ(CommandsOnceThereAre(1), Strings{commandLine});
    }
};

TEST_F(RebootTest, NormalReboot) { ExpectFiredAndForgotten(RebootPhone, "adb reboot"); }
TEST_F(RebootTest, RecoveryIsTwoWords) { ExpectFiredAndForgotten(RebootToRecovery, "adb reboot recovery"); }
TEST_F(RebootTest, BootloaderIsOneHyphenatedWord) { ExpectFiredAndForgotten(RebootToBootloader, "adb reboot-bootloader"); }
TEST_F(RebootTest, FastbootIsTwoWords) { ExpectFiredAndForgotten(RebootToFastboot, "adb reboot fastboot"); }

class ConnectionTest : public TweaksTest {};

TEST_F(ConnectionTest, WirelessSwitchSendsTcpipThenConnectWithTheInitialTexts)
{
    Click("无线调试");
    EXPECT_EQ(Commands(), (Strings{"adb tcpip 5555", "adb connect 如：192.168.13.12"}));
    EXPECT_EQ(State().currentCommand, "adb connect 如：192.168.13.12");
    EXPECT_EQ(Messages(), Strings{"完成 1 项，未完成 1 项。\r\n没有得到手机确认，改动可能没有完成。\r\n\r\n"
                                  "adb 的回答：failed to connect to 如：192.168.13.12"});
}

TEST_F(ConnectionTest, WirelessSwitchSendsTheTypedAddressAndNoPortInTheConnect)
{
    Enter("IP地址编辑框", "192.168.1.20");
    Click("无线调试");
    EXPECT_EQ(Commands(), (Strings{"adb tcpip 5555", "adb connect 192.168.1.20"}));
    EXPECT_EQ(Output(), "connected to 192.168.1.20:5555\r\n");
    EXPECT_EQ(Messages(), Strings{"现在您可以查询连接设备中是否有该IP设备"});
}

TEST_F(ConnectionTest, EmptyAddressLeavesTheBareConnectTemplate)
{
    Enter("IP地址编辑框", "");
    Click("无线调试");
    EXPECT_EQ(State().currentCommand, "adb connect ");
    EXPECT_EQ(Messages(), Strings{"完成 1 项，未完成 1 项。\r\n没有得到手机确认，改动可能没有完成。\r\n\r\n"
                                  "adb 的回答：adb: usage: adb connect HOST[:PORT]"});
}

TEST_F(ConnectionTest, PortBoxCannotBeTypedInto)
{
    headless::Focus(DesktopWindow, "端口编辑框");
    headless::Type(DesktopWindow, "1");
    Click("无线调试");
    EXPECT_EQ(Commands().front(), "adb tcpip 5555");
}

TEST_F(ConnectionTest, ServerStopConfirmsEvenWithoutAPhone)
{
    phone_.SetState("none");
    StopAdbServer({});
    EXPECT_EQ(Commands(), Strings{"adb kill-server"});
    EXPECT_EQ(State().currentCommand, "adb kill-server");
    EXPECT_EQ(Messages(), Strings{"断开完成"});
}

TEST_F(ConnectionTest, ReleaseQueryCopiesTheWholeAnswerIntoTheVersionBox)
{
    EXPECT_EQ(GetText(DesktopWindow, "版本编辑框"), "");
    Click("查版本");
    EXPECT_EQ(Commands(), Strings{"adb shell getprop ro.build.version.release"});
    EXPECT_EQ(GetText(DesktopWindow, "版本编辑框"), "12\r\n");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ConnectionTest, ReleaseQueryWithoutAPhoneShowsTheErrorInTheVersionBox)
{
    phone_.SetState("none");
    Click("查版本");
    EXPECT_EQ(GetText(DesktopWindow, "版本编辑框"), "error: no devices/emulators found\r\n");
}

class StatusBarIconTest : public TweaksTest {
protected:
    void Tick(std::initializer_list<const char*> boxes)
    {
        for (const char* box : boxes) {
            Click(box);
        }
    }
    void ExpectBlacklist(const std::string& value, const std::string& message = "执行完成，部分不生效")
    {
        Click("按钮183");
        EXPECT_EQ(State().currentCommand, "adb shell settings put secure icon_blacklist " + value);
        EXPECT_EQ(Messages(), Strings{message});
    }
};

// Android takes no "settings put" without a value: the message says so rather than claim it done.
TEST_F(StatusBarIconTest, NoneTickedStillRunsTheBareCommandAndSaysAndroidRefusedIt)
{
    ExpectBlacklist("", "没有得到手机确认，改动可能没有完成。\r\n\r\nadb 的回答：Bad arguments");
    EXPECT_EQ(Commands(), Strings{"adb shell settings put secure icon_blacklist"});
}

TEST_F(StatusBarIconTest, OnlyNfc) { Tick({"选择框1"}); ExpectBlacklist("nfc"); }
TEST_F(StatusBarIconTest, OnlyHdHasNoLeadingComma) { Tick({"选择框2"}); ExpectBlacklist("volte_call"); }
TEST_F(StatusBarIconTest, HdAndLocationSkipTheSignalBetween) { Tick({"选择框4", "选择框2"}); ExpectBlacklist("volte_call,location"); }
TEST_F(StatusBarIconTest, NfcAndBattery) { Tick({"选择框5", "选择框1"}); ExpectBlacklist("nfc,battery"); }

TEST_F(StatusBarIconTest, AllSevenInTableOrderWhateverTheClickOrder)
{
    Tick({"选择框7", "选择框3", "选择框5", "选择框1", "选择框6", "选择框2", "选择框4"});
    ExpectBlacklist("nfc,volte_call,phone_signal,location,battery,powersavingmode,eyes_protect");
}

TEST_F(StatusBarIconTest, UntickedBoxDropsOutOfTheNextList)
{
    Tick({"选择框1", "选择框3"});
    Click("按钮183");
    Tick({"选择框1"});
    Click("按钮183");
    EXPECT_EQ(Commands().back(), "adb shell settings put secure icon_blacklist phone_signal");
}

TEST_F(StatusBarIconTest, RestoreRunsTheNullCommandAndSaysDone)
{
    Click("状态栏恢复");
    EXPECT_EQ(Commands(), Strings{"adb shell settings put secure icon_blacklist null"});
    EXPECT_EQ(Messages(), Strings{"完成"});
}

TEST_F(StatusBarIconTest, GuidanceButtonDoesNothing)
{
    Click("按钮182");
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Started().empty());
    EXPECT_TRUE(Commands().empty());
}

class XiaomiAndNoticeTest : public TweaksTest {};

TEST_F(XiaomiAndNoticeTest, CloudControlSwitchesStartOneHiddenCommandAndSayDone)
{
    Click("云控禁");
    Click("云控解");
    auto started = Started();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].commandLine, "adb shell pm disable-user com.xiaomi.joyose");
    EXPECT_EQ(started[1].commandLine, "adb shell pm enable com.xiaomi.joyose");
    for (const auto& program : started) {
        EXPECT_FALSE(program.waitForExit);
        EXPECT_EQ(program.showState, 1);
    }
    EXPECT_EQ(Messages(), (Strings{"完成", "完成"}));
    EXPECT_EQ(State().currentCommand, "earlier command");
    CommandsOnceThereAre(2);
}

TEST_F(XiaomiAndNoticeTest, MoreCommandsShowsOnlyItsNotice)
{
    Click("按钮186");
    EXPECT_EQ(Messages(), Strings{"此功能仍在加班加点开发，请您稍等，后续开放"});
    EXPECT_TRUE(Started().empty());
}

TEST_F(XiaomiAndNoticeTest, HonorRestoreShowsOnlyItsNotice)
{
    ShowHonorRestoreNotice({});
    EXPECT_EQ(Messages(), Strings{"正在抓紧建设，目前还未支持一键还原，请手动"});
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(State().currentCommand, "earlier command");
}

TEST_F(XiaomiAndNoticeTest, XiaomiNoticeNamesPellucorAndSendsRootUsersOn)
{
    std::string notice = GetText(DesktopWindow, "编辑框2");
    EXPECT_TRUE(notice.starts_with("目前还没有小米手机可以了解，因此还需要一定时间完善\r\n\r\n"));
    EXPECT_NE(notice.find("Pellucor"), std::string::npos);
    EXPECT_NE(notice.find("ROOT"), std::string::npos);
}

class WebLinkTest : public TweaksTest {};

TEST_F(WebLinkTest, EachButtonOpensItsOwnPublicPageAndNothingElse)
{
    OpenHuaweiSuitePage({});
    OpenHonorSuitePage({});
    OpenVideoTutorial({});
    OpenHonor9Demonstration({});
    auto opened = headless::OpenedAddresses();
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0], "https://consumer.huawei.com/cn/support/hisuite/");
    EXPECT_EQ(opened[1], "https://www.honor.com/cn/tech/honor-suite/");
    EXPECT_TRUE(opened[2].starts_with("https://search.bilibili.com/all?keyword="));
    EXPECT_TRUE(opened[3].starts_with("https://search.bilibili.com/all?keyword="));
    EXPECT_NE(opened[2], opened[3]);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(State().currentCommand, "earlier command");
}

TEST_F(WebLinkTest, VideoSearchesAreFullyEncoded)
{
    OpenVideoTutorial({});
    OpenHonor9Demonstration({});
    for (const std::string& address : headless::OpenedAddresses()) {
        for (unsigned char c : address) {
            EXPECT_TRUE(c > 0x20 && c < 0x7F) << address;
        }
    }
}

}  // namespace
