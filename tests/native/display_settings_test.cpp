// Animation scales, screen-off time and refresh rates: the commands sent and what the user is told.
#include <functional>
#include <string>
#include <vector>

#include "support/recorded_undo.h"
#include "support/tweaks_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class DisplaySettings : public tweaks_test::TweaksTest {
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
// Both rates go out, peak first; the message says done only when Android took both.
TEST_F(DisplaySettings, EachButtonSendsItsBoxesAndSaysWhatAndroidTook)
{
    const std::string scale = "adb shell settings put global ";
    const std::string rate = "adb shell settings put system ";
    const std::string unconfirmed = "没有得到手机确认，改动可能没有完成。\r\n\r\nadb 的回答：Bad arguments";
    struct Row {
        const char* name;
        std::function<void()> prepare;
        const char* button;
        Strings commands;
        const char* output;   // none: not checked
        std::string message;  // the start of the one message; empty: no message
        std::string lastCommandLine;  // checked when given: the template is followed directly by the box
    };
    const Row rows[] = {
        {"window scale", [] {}, "设置1", {scale + "window_animation_scale 1.5"}, "窗口动画缩放倍数 设置为 1.5", ""},
        {"transition scale", [] {}, "设置2", {scale + "transition_animation_scale 1.34"}, "窗口动画缩放倍数 设置为 1.34", ""},
        {"animator scale", [] {}, "设置3", {scale + "animator_duration_scale 1.17"}, "窗口动画缩放倍数 设置为 1.17", ""},
        {"empty scale box", [] { Enter("数字1", ""); }, "设置1", {scale + "window_animation_scale"}, "Bad arguments\r\n",
         unconfirmed, scale + "window_animation_scale "},
        {"scale without a phone", [this] { phone_.SetState("none"), Enter("数字3", "100"); }, "设置3",
         {scale + "animator_duration_scale 100"}, "error: no devices/emulators found\r\n", "没有找到手机"},
        {"screen-off without a phone", [this] { phone_.SetState("none"); }, "亮屏",
         {rate + "screen_off_timeout 15000"}, nullptr, "没有找到手机"},
        {"default rates", [] {}, "默认高刷", {rate + "peak_refresh_rate 96.0", rate + "min_refresh_rate 96.0"}, nullptr,
         "默认96hz高刷，部分型号、批次不生效"},
        {"typed rates", [] { Enter("最小编辑框", "60"), Enter("最大编辑框", "120"); }, "按我定高刷",
         {rate + "peak_refresh_rate 120", rate + "min_refresh_rate 60"}, nullptr, "已按您的设定执行，部分型号、批次不生效"},
        {"empty rate boxes", [] {}, "按我定高刷", {rate + "peak_refresh_rate", rate + "min_refresh_rate"}, nullptr,
         unconfirmed, rate + "min_refresh_rate "},
        {"one rate of two", [] { Enter("最大编辑框", "120"); }, "按我定高刷",
         {rate + "peak_refresh_rate 120", rate + "min_refresh_rate"}, nullptr, "完成 1 项，未完成 1 项。\r\n" + unconfirmed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NextRow();
        row.prepare();
        Click(row.button);
        EXPECT_EQ(Commands(), row.commands);
        if (row.output != nullptr) {
            EXPECT_EQ(Output(), row.output);
        }
        if (!row.lastCommandLine.empty()) {
            EXPECT_EQ(State().currentCommand, row.lastCommandLine);
        }
        ASSERT_EQ(Messages().size(), row.message.empty() ? 0u : 1u);
        if (!row.message.empty()) {
            EXPECT_TRUE(Messages().front().starts_with(row.message)) << Messages().front();
        }
    }
}

// One read before the first change finds what each setting was, so that each record says how to
// set it back: one adb call a setting, and one more.
TEST_F(DisplaySettings, OneReadLetsEachRecordSayHowToSetItsSettingBack)
{
    phone_.SeedSetting("global", "window_animation_scale", "1.0");
    phone_.SeedSetting("system", "peak_refresh_rate", "60.0");
    Click("设置1");
    EXPECT_EQ(phone_.Commands().size(), 2u);
    Click("默认高刷");
    EXPECT_EQ(phone_.Commands().size(), 5u);
    EXPECT_EQ(RecordedUndo("adb shell settings put global window_animation_scale 1.5"),
              "撤销：adb shell settings put global window_animation_scale 1.0");
    EXPECT_EQ(RecordedUndo("adb shell settings put system peak_refresh_rate 96.0"),
              "撤销：adb shell settings put system peak_refresh_rate 60.0");
    EXPECT_EQ(RecordedUndo("adb shell settings put system min_refresh_rate 96.0"),
              "撤销：adb shell settings delete system min_refresh_rate");
}

}  // namespace
