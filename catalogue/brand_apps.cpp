// The brand pages' package buttons as tables: the standard rows, the buttons that differ from
// them, and the one procedure that turns a row into a package action.
#include "catalogue/brand_apps.h"

#include <cassert>
#include <vector>

#include "core/window_names.h"
#include "platform/window_system.h"

namespace {

using enum App;
using enum Brand;
using enum PackageActionKind;
using Keys = std::array<std::string_view, 4>;

struct StandardRow {
    App app;
    Keys huaweiKeys;
    Keys honorKeys;
};

// Rows whose "卸载" uninstalls and "装回" restores the same keys, with the message "完成".
constexpr StandardRow kStandardRows[] = {
    // row                 on the 华为 page                                        on the 新荣耀 page
    {ServiceCenter,     {"服务中心"},                                            {"服务中心"}},
    {Health,            {"运动健康1", "运动健康2"},                              {"运动健康1", "运动健康2"}},
    {QuickApps,         {"快应用中心"},                                          {"快应用中心"}},
    {PrivateSpace,      {"隐私空间"},                                            {"隐私空间"}},
    {GameSpace,         {"游戏空间"},                                            {"游戏空间"}},
    {Hms,               {"HMS"},                                                 {"HMS"}},
    {Assistant,         {"智慧助手"},                                            {"智慧助手"}},
    {Suggestion,        {"智慧建议"},                                            {"智慧建议"}},
    {Search,            {"智慧搜索"},                                            {"智慧搜索"}},
    {Vision,            {"智慧视觉"},                                            {"智慧视觉"}},
    {ScreenRecognition, {"智慧识屏1", "智慧识屏2", "智慧识屏3"},                 {"智慧识屏1", "智慧识屏2", "智慧识屏3"}},
    {Voice,             {"智慧语音"},                                            {"智慧语音"}},
    {Themes,            {"主题"},                                                {"主题"}},
    {Cloud,             {"云空间1", "云空间2"},                                  {"云空间1", "云空间2"}},
    {Backup,            {"备份"},                                                {"备份"}},
    {MultiScreen,       {"多屏协同"},                                            {"多屏协同"}},
    {Weather,           {"天气"},                                                {"天气"}},
    {Skytone,           {"天际通"},                                              {"天际通"}},
    {ProjectMenu,       {"工程菜单"},                                            {"工程菜单"}},
    {Mms,               {"彩信服务"},                                            {"彩信服务"}},
    {TravelAssistant,   {"旅行助手"},                                            {"旅行助手"}},
    {Magazine,          {"杂志锁屏"},                                            {"杂志锁屏"}},
    {FindPhone,         {"查找手机"},                                            {"查找手机"}},
    {MeeTime,           {"畅连1", "畅连2"},                                      {"畅连1", "畅连2"}},
    {Emergency,         {"紧急信息"},                                            {"紧急信息"}},
    {Iflytek,           {"讯飞引擎1", "讯飞引擎2"},                              {"讯飞引擎1", "讯飞引擎2"}},
    {VideoEditor,       {"花瓣剪辑"},                                            {"视频剪辑"}},
    {AiEngine,          {"华为智慧引擎"},                                        {"荣耀智慧引擎"}},
    {Video,             {"华为视频1", "华为视频2", "华为视频3", "华为视频4"},    {"视频1", "视频2", "视频3", "视频4"}},
    {Music,             {"华为音乐1", "华为音乐2"},                              {"音乐1", "音乐2"}},
    {Browser,           {"华为浏览器1", "华为浏览器2"},                          {"浏览器1", "浏览器2"}},
    {HiCar,             {"华为车机"},                                            {"荣耀 HiCar"}},
    {AppMarket,         {"华为应用市场"},                                        {"荣耀应用市场"}},
    {MyService,         {"我的华为"},                                            {"我的荣耀"}},
    {Wallet,            {"华为钱包"},                                            {"钱包"}},
};

struct OtherButton {
    Brand page;
    App app;
    PackageActionKind kind;
    Keys keys;
    std::string_view message;
};

// Buttons of other kinds, or with keys of their own per button.
constexpr OtherButton kOtherButtons[] = {
    {Huawei, InputMethod,  Uninstall, {"定制百度输入法", "定制小艺输入法"}, "【百度输入法华为定制版】完成"},
    {Huawei, InputMethod,  Restore,   {"定制百度输入法", "定制小艺输入法"}, "【百度输入法华为定制版】完成"},
    {Honor,  InputMethod,  Uninstall, {"系统输入法1"},                      kDone},
    {Honor,  InputMethod,  Restore,   {"系统输入法2"},                      kDone},
    {Huawei, SystemUpdate, Disable,   {"系统更新"},                         "已经好了，采用禁用的方式，您可以随时解禁"},
    {Honor,  SystemUpdate, Disable,   {"系统更新"},                         "已经好了，采用禁用的方式，您可以随时解禁"},
    {Huawei, SystemUpdate, Enable,    {"系统更新"},                         "如未成功，请您重启后查看"},
    {Honor,  SystemUpdate, Enable,    {"系统更新"},                         "已经好了，建议重启一次"},
    {Huawei, Call5G,       Disable,   {"通话5G"},                           "重启后可能出现5G开关，请调出"},
    {Honor,  Call5G,       Disable,   {"通话5G"},                           "重启后可能出现5G开关，请调出"},
    {Huawei, Call5G,       Enable,    {"通话5G"},                           "如未成功，请您重启后查看"},
    // The 新荣耀 page's "隐藏/恢复" does what its twin on the 华为 page does, in its own section.
    {Honor,  Call5G,       Enable,    {"通话5G"},                           "如未成功，请您重启后查看"},
};

struct MessageOverride {
    Brand page;
    App app;
    PackageActionKind kind;
    std::string_view message;
};

// Standard rows whose message is not "完成".
constexpr MessageOverride kMessageOverrides[] = {
    {Huawei, Health,  Restore,   "运动健康可能不是系统应用，无法装回（华为应用市场可下载安装）"},
    {Honor,  Browser, Uninstall, "完成，如不生效，尝试前往华为板块卸载"},
    {Honor,  Browser, Restore,   "完成，如不生效，尝试前往华为板块卸载"},
};

// The keys, in order, that one button works through, and its message; no keys: no such button.
struct AppAction {
    Keys keys{};
    std::string_view message;
};

std::string_view StandardMessage(Brand brand, App app, PackageActionKind kind)
{
    for (const auto& o : kMessageOverrides) {
        if (o.page == brand && o.app == app && o.kind == kind) {
            return o.message;
        }
    }
    return kDone;
}

void ShowNotice(std::string_view notice)
{
    std::string text = "\r\n\r\n\r\n\r\n";
    text += notice;
    SetText(DesktopWindow, kOutputBox, text);
}

AppAction FindAppAction(Brand brand, App app, PackageActionKind kind)
{
    for (const auto& b : kOtherButtons) {
        if (b.page == brand && b.app == app && b.kind == kind) {
            return {b.keys, b.message};
        }
    }
    if (kind != Uninstall && kind != Restore) {
        return {};
    }
    for (const auto& row : kStandardRows) {
        if (row.app == app) {
            return {brand == Huawei ? row.huaweiKeys : row.honorKeys, StandardMessage(brand, app, kind)};
        }
    }
    return {};
}

}  // namespace

std::string_view SectionOf(Brand brand) { return brand == Huawei ? "华为" : "荣耀"; }

void RunAppAction(Brand brand, App app, PackageActionKind kind)
{
    AppAction found = FindAppAction(brand, app, kind);
    assert(!found.keys[0].empty() && "a button is bound to a row the tables do not have");
    std::vector<PackageStep> steps;
    for (std::string_view key : found.keys) {
        if (!key.empty()) {
            steps.push_back({SectionOf(brand), key, {}});
        }
    }
    RunPackageAction({kind, steps, found.message});
}

void ShowHuaweiSafeRemovalNotice(const EventArgs&) { ShowNotice("您可以卸载华为全家桶、智慧增值服务，这是安全的"); }
void ShowHonorSafeRemovalNotice(const EventArgs&) { ShowNotice("您可以卸载全家桶、智慧增值服务，这是安全的"); }
