// Animation scales, screen-off time and refresh rates: the commands sent and what the user is told.
#include <string>
#include <vector>

#include "support/recorded_undo.h"
#include "support/tweaks_fixture.h"

namespace {

using tweaks_test::TweaksTest;
using Strings = std::vector<std::string>;

class ScreenOffTimeoutTest : public TweaksTest {
protected:
    void Set(const std::string& seconds)
    {
        Enter("亮屏时间框", seconds);
        Click("亮屏");
    }
    void ExpectSent(const std::string& commandLine)
    {
        EXPECT_EQ(State().currentCommand, commandLine);
        EXPECT_EQ(Commands().size(), 1u);
        EXPECT_EQ(Messages(), Strings{"已设置，可用于省电模式修改亮屏时间"});
    }
    void ExpectRefused()
    {
        EXPECT_EQ(Messages(), Strings{"时间太短，危险！"});
        EXPECT_TRUE(Commands().empty());
        EXPECT_EQ(State().currentCommand, "earlier command");
    }
};

TEST_F(ScreenOffTimeoutTest, InitialFifteenSecondsBecomeFifteenThousandMilliseconds)
{
    Click("亮屏");
    ExpectSent("adb shell settings put system screen_off_timeout 15000");
    EXPECT_EQ(Commands(), Strings{"adb shell settings put system screen_off_timeout 15000"});
}

TEST_F(ScreenOffTimeoutTest, ThreeSecondsIsTheShortestAccepted)
{
    Set("3");
    ExpectSent("adb shell settings put system screen_off_timeout 3000");
}

TEST_F(ScreenOffTimeoutTest, WithoutAPhoneTheMessageSaysSoInsteadOfSet)
{
    phone_.SetState("none");
    Click("亮屏");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages().front().starts_with("没有找到手机")) << Messages().front();
}

TEST_F(ScreenOffTimeoutTest, TwoSecondsIsRefused) { Set("2"); ExpectRefused(); }
TEST_F(ScreenOffTimeoutTest, ZeroIsRefused) { Set("0"); ExpectRefused(); }
TEST_F(ScreenOffTimeoutTest, NegativeValueIsRefused) { Set("-5"); ExpectRefused(); }
TEST_F(ScreenOffTimeoutTest, EmptyBoxIsRefused) { Set(""); ExpectRefused(); }
TEST_F(ScreenOffTimeoutTest, LettersAreRefused) { Set("abc"); ExpectRefused(); }
TEST_F(ScreenOffTimeoutTest, FractionBelowThreeIsRefusedByItsWholePart) { Set("2.9"); ExpectRefused(); }

TEST_F(ScreenOffTimeoutTest, FractionIsSentAsTypedWithThreeZeros)
{
    Set("3.5");
    ExpectSent("adb shell settings put system screen_off_timeout 3.5000");
}

TEST_F(ScreenOffTimeoutTest, TrailingLettersAreSentAsTyped)
{
    Set("30s");
    ExpectSent("adb shell settings put system screen_off_timeout 30s000");
}

TEST_F(ScreenOffTimeoutTest, LeadingBlankIsKeptInTheCommand)
{
    Set(" 20");
    ExpectSent("adb shell settings put system screen_off_timeout  20000");
}

TEST_F(ScreenOffTimeoutTest, FullWidthDigitsCountAsTheirValueAndAreSentAsTyped)
{
    Set("１５");
    ExpectSent("adb shell settings put system screen_off_timeout １５000");
}

TEST_F(ScreenOffTimeoutTest, FullWidthTwoIsRefused) { Set("２"); ExpectRefused(); }

class AnimationScaleTest : public TweaksTest {};

// One adb call reads the phone and the setting, one sets it.
TEST_F(AnimationScaleTest, WindowScaleSendsItsBoxAndConfirmsInTheOutputBox)
{
    phone_.SeedSetting("global", "window_animation_scale", "1.0");
    Click("设置1");
    EXPECT_EQ(Commands(), Strings{"adb shell settings put global window_animation_scale 1.5"});
    EXPECT_EQ(phone_.Commands().size(), 2u);
    EXPECT_EQ(RecordedUndo("adb shell settings put global window_animation_scale 1.5"),
              "撤销：adb shell settings put global window_animation_scale 1.0");
    EXPECT_EQ(Output(), "窗口动画缩放倍数 设置为 1.5");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AnimationScaleTest, TransitionScaleConfirmsWithTheWindowScaleWording)
{
    Click("设置2");
    EXPECT_EQ(Commands(), Strings{"adb shell settings put global transition_animation_scale 1.34"});
    EXPECT_EQ(Output(), "窗口动画缩放倍数 设置为 1.34");
}

TEST_F(AnimationScaleTest, AnimatorScaleConfirmsWithTheWindowScaleWording)
{
    Click("设置3");
    EXPECT_EQ(Commands(), Strings{"adb shell settings put global animator_duration_scale 1.17"});
    EXPECT_EQ(Output(), "窗口动画缩放倍数 设置为 1.17");
}

// Android's refusal stays in view and the message says why; the confirmation replaces only an
// answer that confirms.
TEST_F(AnimationScaleTest, EmptyBoxSendsTheBareTemplateAndTheRefusalStaysInView)
{
    Enter("数字1", "");
    Click("设置1");
    EXPECT_EQ(State().currentCommand, "adb shell settings put global window_animation_scale ");
    EXPECT_EQ(Output(), "Bad arguments\r\n");
    EXPECT_EQ(Messages(), Strings{"没有得到手机确认，改动可能没有完成。\r\n\r\nadb 的回答：Bad arguments"});
}

TEST_F(AnimationScaleTest, PhoneErrorStaysInViewAndTheMessageSaysWhy)
{
    phone_.SetState("none");
    Enter("数字3", "100");
    Click("设置3");
    EXPECT_EQ(Output(), "error: no devices/emulators found\r\n");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages().front().starts_with("没有找到手机")) << Messages().front();
}

class RefreshRateTest : public TweaksTest {};

// One read finds both rates before the first is set: one adb call a rate and one more, and each
// record says how to set its rate back.
TEST_F(RefreshRateTest, DefaultSchemeSetsPeakThenMinimumToNinetySix)
{
    phone_.SeedSetting("system", "peak_refresh_rate", "60.0");
    Click("默认高刷");
    EXPECT_EQ(Commands(), (Strings{"adb shell settings put system peak_refresh_rate 96.0",
                                   "adb shell settings put system min_refresh_rate 96.0"}));
    EXPECT_EQ(phone_.Commands().size(), 3u);
    EXPECT_EQ(RecordedUndo("adb shell settings put system peak_refresh_rate 96.0"),
              "撤销：adb shell settings put system peak_refresh_rate 60.0");
    EXPECT_EQ(RecordedUndo("adb shell settings put system min_refresh_rate 96.0"),
              "撤销：adb shell settings delete system min_refresh_rate");
    EXPECT_EQ(State().currentCommand, "adb shell settings put system min_refresh_rate 96.0");
    EXPECT_EQ(Messages(), Strings{"默认96hz高刷，部分型号、批次不生效"});
}

TEST_F(RefreshRateTest, PeakTakesTheMaximumBoxAndMinimumTheMinimumBox)
{
    Enter("最小编辑框", "60");
    Enter("最大编辑框", "120");
    Click("按我定高刷");
    EXPECT_EQ(Commands(), (Strings{"adb shell settings put system peak_refresh_rate 120",
                                   "adb shell settings put system min_refresh_rate 60"}));
    EXPECT_EQ(Messages(), Strings{"已按您的设定执行，部分型号、批次不生效"});
}

TEST_F(RefreshRateTest, EmptyBoxesStillSendBothTemplatesAndTheMessageSaysNeitherWasTaken)
{
    Click("按我定高刷");
    EXPECT_EQ(State().currentCommand, "adb shell settings put system min_refresh_rate ");
    EXPECT_EQ(Commands(), (Strings{"adb shell settings put system peak_refresh_rate",
                                   "adb shell settings put system min_refresh_rate"}));
    EXPECT_EQ(Messages(), Strings{"没有得到手机确认，改动可能没有完成。\r\n\r\nadb 的回答：Bad arguments"});
}

TEST_F(RefreshRateTest, OneRateTakenOfTwoIsCountedWithTheOthersCause)
{
    Enter("最大编辑框", "120");
    Click("按我定高刷");
    EXPECT_EQ(Messages(), Strings{"完成 1 项，未完成 1 项。\r\n没有得到手机确认，改动可能没有完成。\r\n\r\nadb 的回答：Bad arguments"});
}

}  // namespace
