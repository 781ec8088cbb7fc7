// The redundant-service list, in the order the bulk actions use it, and the step lists built from it.
#include "catalogue/redundant_services.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "catalogue/package_actions.h"
#include "ui/window_ids.h"

namespace {

using enum PackageActionKind;

struct RedundantService {
    std::string_view key;
    std::string_view checkBox;  // of the selection window; four boxes cover several keys
};

constexpr RedundantService kRedundantServices[] = {
    {"冗余工作资料",       "选择框1"},   // 工作资料设置
    {"冗余html查看器",     "选择框2"},   // HTML查看器
    {"冗余智能检测",       "选择框3"},   // 智能检测
    {"冗余打印服务1",      "选择框4"},   // 打印服务
    {"冗余打印服务2",      "选择框4"},
    {"冗余sim卡应用",      "选择框5"},   // sim卡应用
    {"冗余精品推荐",       "选择框6"},   // 精品推荐
    {"冗余用户体验计划1",  "选择框7"},   // 用户体验计划（系统）
    {"冗余用户体验计划2",  "选择框7"},
    {"冗余用户体验计划3",  "选择框7"},
    {"冗余用户体验计划4",  "选择框7"},
    {"冗余小区广播",       "选择框8"},   // 小区广播
    {"冗余地理围栏",       "选择框9"},   // 地理围栏
    {"冗余提示",           "选择框10"},  // 安卓tips
    {"冗余谷歌备份传输",   "选择框11"},  // 谷歌备份传输
    {"冗余智能建议服务",   "选择框12"},  // 智能建议
    {"冗余无障碍服务",     "选择框13"},  // 无障碍服务
    {"冗余AR引擎1",        "选择框14"},  // AR、VR引擎
    {"冗余AR引擎2",        "选择框14"},
    {"冗余骨声纹插件",     "选择框15"},  // 骨声纹插件
    {"冗余RCS服务",        "选择框16"},  // RCS服务
    {"冗余取词服务",       "选择框17"},  // 取词服务
    {"冗余动态壁纸程序1",  "选择框18"},  // 动态壁纸服务
    {"冗余动态壁纸程序2",  "选择框18"},
    {"冗余动态壁纸程序3",  "选择框18"},
    {"冗余动态壁纸程序4",  "选择框18"},
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
