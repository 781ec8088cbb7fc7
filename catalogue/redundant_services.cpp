// The redundant-service list, in the order the bulk actions use it, and the step lists built from it.
#include "catalogue/redundant_services.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "catalogue/package_actions.h"
#include "core/window_names.h"

namespace {

using enum PackageActionKind;

struct RedundantService {
    std::string_view key;
    std::string_view checkBox;  // of the selection window; four boxes cover several keys
};

constexpr RedundantService kRedundantServices[] = {
    {"冗余工作资料",       kWorkProfileBox},
    {"冗余html查看器",     kHtmlViewerBox},
    {"冗余智能检测",       kSmartDetectionBox},
    {"冗余打印服务1",      kPrintServiceBox},
    {"冗余打印服务2",      kPrintServiceBox},
    {"冗余sim卡应用",      kSimAppBox},
    {"冗余精品推荐",       kRecommendationsBox},
    {"冗余用户体验计划1",  kExperienceProgramBox},
    {"冗余用户体验计划2",  kExperienceProgramBox},
    {"冗余用户体验计划3",  kExperienceProgramBox},
    {"冗余用户体验计划4",  kExperienceProgramBox},
    {"冗余小区广播",       kCellBroadcastBox},
    {"冗余地理围栏",       kGeofenceBox},
    {"冗余提示",           kAndroidTipsBox},
    {"冗余谷歌备份传输",   kGoogleBackupBox},
    {"冗余智能建议服务",   kSmartSuggestionsBox},
    {"冗余无障碍服务",     kAccessibilityBox},
    {"冗余AR引擎1",        kArEngineBox},
    {"冗余AR引擎2",        kArEngineBox},
    {"冗余骨声纹插件",     kBoneVoiceprintBox},
    {"冗余RCS服务",        kRcsServiceBox},
    {"冗余取词服务",       kWordCaptureBox},
    {"冗余动态壁纸程序1",  kLiveWallpaperBox},
    {"冗余动态壁纸程序2",  kLiveWallpaperBox},
    {"冗余动态壁纸程序3",  kLiveWallpaperBox},
    {"冗余动态壁纸程序4",  kLiveWallpaperBox},
};
constexpr std::size_t kServiceCount = std::size(kRedundantServices);

constexpr std::array<PackageStep, kServiceCount> AllInSection(std::string_view section)
{
    std::array<PackageStep, kServiceCount> steps{};
    for (std::size_t i = 0; i < kServiceCount; ++i) {
        steps[i] = {section, kRedundantServices[i].key, {}};
    }
    return steps;
}

// Both sections for each key behind the key's box: the box is read once per key, just before
// the key's two commands, so a change during the run counts for the keys still to come.
constexpr std::array<PackageStep, 2 * kServiceCount> SelectedInBothSections()
{
    std::array<PackageStep, 2 * kServiceCount> steps{};
    for (std::size_t i = 0; i < kServiceCount; ++i) {
        Gate box = {RedundantSelectionWindow, kRedundantServices[i].checkBox};
        steps[2 * i] = {"华为", kRedundantServices[i].key, box};
        steps[2 * i + 1] = {"荣耀", kRedundantServices[i].key, box};
    }
    return steps;
}

constexpr auto kHuaweiSteps = AllInSection("华为");
constexpr auto kHonorSteps = AllInSection("荣耀");
constexpr auto kSelectedSteps = SelectedInBothSections();

}  // namespace

void UninstallHuaweiRedundantServices(const EventArgs&) { RunPackageAction({Uninstall, kHuaweiSteps, kDone}); }
void UninstallHonorRedundantServices(const EventArgs&) { RunPackageAction({Uninstall, kHonorSteps, kDone}); }
void UninstallSelectedRedundantServices(const EventArgs&) { RunPackageAction({Uninstall, kSelectedSteps, kDone}); }
void RestoreSelectedRedundantServices(const EventArgs&) { RunPackageAction({Restore, kSelectedSteps, kDone}); }
