// Reboots, wireless debugging, the server stop, the release query, the status-bar icons, the
// Xiaomi switches, the notices, the web links, animation scales, screen-off time and refresh rates:
// what each starts, sends and says.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/tweaks_fixture.h"
#include "tweaks/device_control.h"
#include "tweaks/links.h"

namespace {

using tweaks_test::TweaksTest;
using Strings = std::vector<std::string>;

class DeviceControl : public TweaksTest {
protected:
    // A fresh desktop window and phone log for the next row of a table.
    void NextRow()
    {
        TearDown();
        SetUp();
        phone_.SetState("device");
        phone_.ClearCommands();
    }
};

using DisplaySettings = DeviceControl;

// Each reboot and each Xiaomi switch is one hidden start that nobody waits for: no output, the
// runner's command untouched. Recovery and fastboot are two words, the bootloader one hyphenated
// word. Buttons of things not offered yet show their notice, or nothing, and start nothing.
TEST_F(DeviceControl, HiddenStartsAreFiredAndForgottenAndNoticesStartNothing)
{
    struct Row {
        const char* button;       // on the desktop window; a reboot runs its handler instead
        const char* commandLine;  // none: nothing is started
        Strings messages;
        Handler reboot = nullptr;
    };
    const Row rows[] = {
        {"一键重启", "adb reboot", {}, RebootPhone},
        {"重启至recovery", "adb reboot recovery", {}, RebootToRecovery},
        {"重启至bootloader", "adb reboot-bootloader", {}, RebootToBootloader},
        {"重启至fastboot", "adb reboot fastboot", {}, RebootToFastboot},
        {"云控禁", "adb shell pm disable-user com.xiaomi.joyose", {"完成"}},
        {"云控解", "adb shell pm enable com.xiaomi.joyose", {"完成"}},
        {"按钮186", nullptr, {"此功能仍在加班加点开发，请您稍等，后续开放"}},
        {"按钮168", nullptr, {"正在抓紧建设，目前还未支持一键还原，请手动"}},
        {"按钮182", nullptr, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.button);
        NextRow();
        SetText(DesktopWindow, kOutputBox, "before");
        row.reboot != nullptr ? row.reboot({}) : Click(row.button);
        auto started = Started();
        ASSERT_EQ(started.size(), row.commandLine ? 1u : 0u);
        EXPECT_EQ(Messages(), row.messages);
        EXPECT_EQ(Output(), "before");
        EXPECT_EQ(State().currentCommand, "earlier command");
        if (row.commandLine) {
            EXPECT_EQ(started[0].commandLine, row.commandLine);
            EXPECT_FALSE(started[0].waitForExit);
            EXPECT_EQ(started[0].showState, 1);
            EXPECT_EQ(CommandsOnceThereAre(1), Strings{row.commandLine});
        } else {
            EXPECT_TRUE(Commands().empty());
        }
    }
    std::string notice = GetText(DesktopWindow, "编辑框2");
    EXPECT_TRUE(notice.starts_with("目前还没有小米手机可以了解，因此还需要一定时间完善\r\n\r\n"));
    EXPECT_NE(notice.find("Pellucor"), std::string::npos);
    EXPECT_NE(notice.find("ROOT"), std::string::npos);
}

// The whole answer goes into the version box: the release, or adb's error without a phone. The
// server stop needs no phone.
TEST_F(DeviceControl, ReleaseQueryCopiesTheWholeAnswerIntoTheVersionBoxAndServerStopNeedsNoPhone)
{
    EXPECT_EQ(GetText(DesktopWindow, "版本编辑框"), "");
    Click("查版本");
    EXPECT_EQ(Commands(), Strings{"adb shell getprop ro.build.version.release"});
    EXPECT_EQ(GetText(DesktopWindow, "版本编辑框"), "12\r\n");
    EXPECT_TRUE(Messages().empty());
    phone_.SetState("none");
    Click("查版本");
    EXPECT_EQ(GetText(DesktopWindow, "版本编辑框"), "error: no devices/emulators found\r\n");
    StopAdbServer({});
    EXPECT_EQ(Commands().back(), "adb kill-server");
    EXPECT_EQ(State().currentCommand, "adb kill-server");
    EXPECT_EQ(Messages(), Strings{"断开完成"});
}

// The video searches are fully percent-encoded: printable ASCII only.
TEST_F(DeviceControl, EachLinkButtonOpensItsOwnPublicPageAndNothingElse)
{
    OpenHuaweiSuitePage({});
    OpenHonorSuitePage({});
    OpenVideoTutorial({});
    OpenHonor9Demonstration({});
    auto opened = headless::OpenedAddresses();
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0], "https://consumer.huawei.com/cn/support/hisuite/");
    EXPECT_EQ(opened[1], "https://www.honor.com/cn/tech/honor-suite/");
    EXPECT_NE(opened[2], opened[3]);
    for (const std::string& search : {opened[2], opened[3]}) {
        EXPECT_TRUE(search.starts_with("https://search.bilibili.com/all?keyword=")) << search;
        for (unsigned char c : search) {
            EXPECT_TRUE(c > 0x20 && c < 0x7F) << search;
        }
    }
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(State().currentCommand, "earlier command");
}

// The phone counts milliseconds: the seconds go out as typed with three zeros appended; fewer than
// three, by the whole part and full-width digits counted, are refused without a command.
TEST_F(DisplaySettings, ScreenOffSecondsAreSentAsTypedWithThreeZerosOrRefused)
{
    const std::pair<const char*, const char*> rows[] = {  // typed (none: the box's initial text), sent (none: refused)
        {nullptr, "15000"}, {"3", "3000"}, {"3.5", "3.5000"}, {"30s", "30s000"}, {" 20", " 20000"}, {"１５", "１５000"},
        {"2", nullptr}, {"0", nullptr}, {"-5", nullptr}, {"", nullptr}, {"abc", nullptr}, {"2.9", nullptr}, {"２", nullptr}};
    for (const auto& [typed, sent] : rows) {
        SCOPED_TRACE(typed != nullptr ? typed : "initial text");
        NextRow();
        if (typed != nullptr) {
            Enter("亮屏时间框", typed);
        }
        Click("亮屏");
        const std::string command = "adb shell settings put system screen_off_timeout " + std::string(sent ? sent : "");
        EXPECT_EQ(Commands().size(), sent ? 1u : 0u);
        EXPECT_EQ(State().currentCommand, sent ? command : "earlier command");
        EXPECT_EQ(Messages(), Strings{sent ? "已设置，可用于省电模式修改亮屏时间" : "时间太短，危险！"});
    }
}

// A box goes out as it stands, even empty. A confirmed scale replaces the answer in the output box
// (all three with the window scale's wording); a refusal stays in view and the message says why.
// Both rates go out, peak first; the message says done only when Android took both. The wireless
// switch sends tcpip, then connect with the address box (no port: the port box cannot be typed
// into); an address adb cannot reach is not claimed done. The status-bar icons are the ticked boxes
// in the table's order, whatever the click order, joined without a leading comma; a box cleared
// drops out of the next list; 状态栏恢复 sends "null".
TEST_F(DeviceControl, EachSwitchSendsWhatItsBoxesHoldAndSaysWhatAndroidTook)
{
    const std::string scale = "adb shell settings put global ";
    const std::string rate = "adb shell settings put system ";
    const std::string icons = "adb shell settings put secure icon_blacklist";
    const std::string unconfirmed = "没有得到手机确认，改动可能没有完成。\r\n\r\nadb 的回答：";
    const std::string halfDone = "完成 1 项，未完成 1 项。\r\n" + unconfirmed;
    const std::string noPhone = "没有找到手机：请用数据线连接手机，在开发者选项中打开“USB 调试”，然后点“刷新”。\r\n\r\n"
                                "adb 的回答：error: no devices/emulators found";
    auto address = [](const char* typed) {
        return [typed] {
            if (typed != nullptr) {
                Enter("IP地址编辑框", typed);
            }
            headless::Focus(DesktopWindow, "端口编辑框");
            headless::Type(DesktopWindow, "1");
        };
    };
    struct Row {
        const char* name;
        std::function<void()> prepare;
        std::vector<const char*> clicks;
        Strings commands;
        const char* output;   // none: not checked
        std::string message;  // the last message; empty: no message
        std::string lastCommandLine;  // checked when given: the template is followed directly by the box
    };
    const Row rows[] = {
        {"window scale", [] {}, {"设置1"}, {scale + "window_animation_scale 1.5"}, "窗口动画缩放倍数 设置为 1.5", ""},
        {"transition scale", [] {}, {"设置2"}, {scale + "transition_animation_scale 1.34"}, "窗口动画缩放倍数 设置为 1.34", ""},
        {"animator scale", [] {}, {"设置3"}, {scale + "animator_duration_scale 1.17"}, "窗口动画缩放倍数 设置为 1.17", ""},
        {"empty scale box", [] { Enter("数字1", ""); }, {"设置1"}, {scale + "window_animation_scale"}, "Bad arguments\r\n",
         unconfirmed + "Bad arguments", scale + "window_animation_scale "},
        {"scale without a phone", [this] { phone_.SetState("none"), Enter("数字3", "100"); }, {"设置3"},
         {scale + "animator_duration_scale 100"}, "error: no devices/emulators found\r\n", noPhone},
        {"screen-off without a phone", [this] { phone_.SetState("none"); }, {"亮屏"},
         {rate + "screen_off_timeout 15000"}, nullptr, noPhone},
        {"default rates", [] {}, {"默认高刷"}, {rate + "peak_refresh_rate 96.0", rate + "min_refresh_rate 96.0"}, nullptr,
         "默认96hz高刷，部分型号、批次不生效"},
        {"typed rates", [] { Enter("最小编辑框", "60"), Enter("最大编辑框", "120"); }, {"按我定高刷"},
         {rate + "peak_refresh_rate 120", rate + "min_refresh_rate 60"}, nullptr, "已按您的设定执行，部分型号、批次不生效"},
        {"empty rate boxes", [] {}, {"按我定高刷"}, {rate + "peak_refresh_rate", rate + "min_refresh_rate"}, nullptr,
         unconfirmed + "Bad arguments", rate + "min_refresh_rate "},
        {"one rate of two", [] { Enter("最大编辑框", "120"); }, {"按我定高刷"},
         {rate + "peak_refresh_rate 120", rate + "min_refresh_rate"}, nullptr, halfDone + "Bad arguments",
         rate + "min_refresh_rate "},
        {"wireless, the address box's initial text", address(nullptr), {"无线调试"},
         {"adb tcpip 5555", "adb connect 如：192.168.13.12"}, nullptr, halfDone + "failed to connect to 如：192.168.13.12"},
        {"wireless, an address", address("192.168.1.20"), {"无线调试"}, {"adb tcpip 5555", "adb connect 192.168.1.20"},
         "connected to 192.168.1.20:5555\r\n", "现在您可以查询连接设备中是否有该IP设备"},
        {"wireless, no address", address(""), {"无线调试"}, {"adb tcpip 5555", "adb connect"}, nullptr,
         halfDone + "adb: usage: adb connect HOST[:PORT]", "adb connect "},
        {"no icon", [] {}, {"按钮183"}, {icons}, nullptr, unconfirmed + "Bad arguments", icons + " "},
        {"nfc", [] {}, {"选择框1", "按钮183"}, {icons + " nfc"}, nullptr, "执行完成，部分不生效"},
        {"volte", [] {}, {"选择框2", "按钮183"}, {icons + " volte_call"}, nullptr, "执行完成，部分不生效"},
        {"two in table order", [] {}, {"选择框4", "选择框2", "按钮183"}, {icons + " volte_call,location"}, nullptr,
         "执行完成，部分不生效"},
        {"two more", [] {}, {"选择框5", "选择框1", "按钮183"}, {icons + " nfc,battery"}, nullptr, "执行完成，部分不生效"},
        {"all seven", [] {}, {"选择框7", "选择框3", "选择框5", "选择框1", "选择框6", "选择框2", "选择框4", "按钮183"},
         {icons + " nfc,volte_call,phone_signal,location,battery,powersavingmode,eyes_protect"}, nullptr,
         "执行完成，部分不生效"},
        {"one cleared", [] {}, {"选择框1", "选择框3", "按钮183", "选择框1", "按钮183"},
         {icons + " nfc,phone_signal", icons + " phone_signal"}, nullptr, "执行完成，部分不生效"},
        {"restore", [] {}, {"状态栏恢复"}, {icons + " null"}, nullptr, "完成"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NextRow();
        row.prepare();
        for (std::string_view control : row.clicks) {
            Click(control);
        }
        EXPECT_EQ(Commands(), row.commands);
        if (row.output != nullptr) {
            EXPECT_EQ(Output(), row.output);
        }
        EXPECT_EQ(State().currentCommand, row.lastCommandLine.empty() ? row.commands.back() : row.lastCommandLine);
        auto isButton = [](std::string_view control) { return !control.starts_with("选择框"); };
        const auto actions = std::ranges::count_if(row.clicks, isButton);
        ASSERT_EQ(Messages().size(), row.message.empty() ? 0u : static_cast<std::size_t>(actions));
        if (!row.message.empty()) {
            EXPECT_EQ(Messages().back(), row.message);
        }
    }
}

}  // namespace
