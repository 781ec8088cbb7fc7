// The peak-performance actions: two steps each, "华为" then "荣耀", gated by the brand boxes.
#include "catalogue/peak_performance.h"

#include <array>
#include <string_view>

#include "catalogue/package_actions.h"
#include "core/window_names.h"
#include "platform/window_system.h"

namespace {

using enum PackageActionKind;

constexpr Gate kHuaweiBox = {PeakPerformanceWindow, kHuaweiBrandBox};
constexpr Gate kHonorBox = {PeakPerformanceWindow, kHonorBrandBox};

// The boxes are read as each step comes up, so a box changed while the "华为" command runs
// decides whether the "荣耀" step runs.
constexpr std::array<PackageStep, 2> BothBrands(std::string_view key)
{
    return {{{"华为", key, kHuaweiBox}, {"荣耀", key, kHonorBox}}};
}

constexpr auto kBackground = BothBrands("巅峰后台");
constexpr auto kPower = BothBrands("巅峰功耗");
constexpr auto kDisplay = BothBrands("巅峰显示");

constexpr std::string_view kAtOnce = "立即生效";
constexpr std::string_view kAfterRestart = "重启（后使用一段时间）生效";

}  // namespace

void DisableBackgroundManagement(const EventArgs&) { RunPackageAction({Disable, kBackground, kAtOnce}); }
void EnableBackgroundManagement(const EventArgs&) { RunPackageAction({Enable, kBackground, kAfterRestart}); }
void DisablePowerManagement(const EventArgs&) { RunPackageAction({Disable, kPower, kAtOnce}); }
void EnablePowerManagement(const EventArgs&) { RunPackageAction({Enable, kPower, kAfterRestart}); }
void DisableDisplayManagement(const EventArgs&) { RunPackageAction({Disable, kDisplay, kAtOnce}); }
void EnableDisplayManagement(const EventArgs&) { RunPackageAction({Enable, kDisplay, kAfterRestart}); }

void ClearHonorBrandBox(const EventArgs&) { SetChecked(PeakPerformanceWindow, kHonorBox.checkBox, false); }
void ClearHuaweiBrandBox(const EventArgs&) { SetChecked(PeakPerformanceWindow, kHuaweiBox.checkBox, false); }
