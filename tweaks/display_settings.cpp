// Display settings written with "adb shell settings put": animation scales, screen-off time, refresh rates.
#include "tweaks/display_settings.h"

#include <string>
#include <string_view>

#include "core/operation_log.h"
#include "core/phone_identity.h"
#include "core/run_verdict.h"
#include "core/window_names.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

// All three scales confirm with the window-scale wording; users know the three boxes by position.
constexpr std::string_view kScaleConfirmation = "窗口动画缩放倍数 设置为 ";

// Android's keys are single words: "settings put" takes the first word after the namespace as
// the key and the next as the value, so a blank inside a key would store a junk key instead.
constexpr std::string_view kPeakRate = "adb shell settings put system peak_refresh_rate ";
constexpr std::string_view kMinRate = "adb shell settings put system min_refresh_rate ";

// Seconds below this leave too little time to reach the screen and undo the setting.
constexpr int kShortestScreenOffSeconds = 3;

// The box's text goes out exactly as typed; once Android confirmed it, the output box shows the
// confirmation instead of the phone's answer (the box is read again: it may have been edited
// meanwhile). Otherwise the answer stays in view and a message says why.
void SetAnimationScale(std::string_view box, std::string_view commandTemplate)
{
    Verdict verdict = RunAndJudge(JoinText({commandTemplate, GetText(DesktopWindow, box)}));
    if (verdict.cause != Cause::Confirmed) {
        ShowMessage(VerdictMessage(verdict));
        return;
    }
    SetText(DesktopWindow, kOutputBox, JoinText({kScaleConfirmation, GetText(DesktopWindow, box)}));
    RepaintNow(DesktopWindow, kOutputBox);
}

// One read of the phone finds both rates before the first is set, so that each record says how to
// set it back.
ActionReads RefreshRateReads()
{
    return {.settings = {{"system", "peak_refresh_rate"}, {"system", "min_refresh_rate"}}};
}

}  // namespace

void SetWindowAnimationScale(const EventArgs&)
{
    SetAnimationScale(kWindowScaleBox, "adb shell settings put global window_animation_scale ");
}

void SetTransitionAnimationScale(const EventArgs&)
{
    SetAnimationScale(kTransitionScaleBox, "adb shell settings put global transition_animation_scale ");
}

void SetAnimatorDurationScale(const EventArgs&)
{
    SetAnimationScale(kAnimatorScaleBox, "adb shell settings put global animator_duration_scale ");
}

// The phone counts milliseconds: three zeros are appended to the seconds exactly as typed.
void SetScreenOffTimeout(const EventArgs&)
{
    std::string seconds = GetText(DesktopWindow, kScreenOffBox);
    if (TextToInteger(seconds) < kShortestScreenOffSeconds) {
        ShowMessage("时间太短，危险！");
        return;
    }
    StepTally tally;
    tally.Add(RunAndJudge(JoinText({"adb shell settings put system screen_off_timeout ", seconds, "000"})));
    ShowMessage(tally.Message("已设置，可用于省电模式修改亮屏时间"));
}

// Both rates, peak first, each to its end; the message says done only when Android took both.
void ApplyDefaultRefreshRate(const EventArgs&)
{
    ActionScope underway(RefreshRateReads());
    StepTally tally;
    tally.Add(RunAndJudge(JoinText({kPeakRate, "96.0"})));
    tally.Add(RunAndJudge(JoinText({kMinRate, "96.0"})));
    ShowMessage(tally.Message("默认96hz高刷，部分型号、批次不生效"));
}

// Each key takes the box under the label that names it: "最大（HZ）" the peak, "最小（HZ）" the
// minimum. The minimum box is read once the peak's command has ended.
void ApplyTypedRefreshRate(const EventArgs&)
{
    ActionScope underway(RefreshRateReads());
    StepTally tally;
    tally.Add(RunAndJudge(JoinText({kPeakRate, GetText(DesktopWindow, kPeakRateBox)})));
    tally.Add(RunAndJudge(JoinText({kMinRate, GetText(DesktopWindow, kMinRateBox)})));
    ShowMessage(tally.Message("已按您的设定执行，部分型号、批次不生效"));
}
