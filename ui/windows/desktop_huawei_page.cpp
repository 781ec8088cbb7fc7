// The desktop window's "华为" page: Huawei apps and services, every package button reading section "华为".
#include "catalogue/brand_apps.h"
#include "catalogue/redundant_services.h"
#include "tweaks/links.h"
#include "tweaks/scripts.h"
#include "ui/navigation.h"
#include "ui/windows/brand_page.h"

namespace {

using enum App;
using enum PackageActionKind;

template <App app>
constexpr ButtonRow Row(std::string_view label, std::string_view labelName, std::string_view uninstallName,
                        std::string_view restoreName)
{
    return PackageRow<Brand::Huawei, app>(label, labelName, uninstallName, restoreName);
}

template <App app, PackageActionKind kind>
constexpr Handler Action = AppActionHandler<Brand::Huawei, app, kind>;

constexpr BrandPage kHuaweiPage = {
    .page = HuaweiPage,
    .groups = {.peak = "分组框5", .update = "分组框7", .call5G = "分组框10", .redundant = "分组框6",
               .services = "分组框13", .suite = "分组框8", .smart = "分组框9", .quick = "分组框11",
               .systemLeft = "分组框12", .systemRight = "分组框15", .guide = "分组框14"},
    .peakColour = 0xFFB062,
    .suiteCaption = "华为全家桶",
    .quickTop = 313,

    .peakLabelName = "巅峰性能标签",
    .peakOptions = {"按钮6", OpenPeakPerformanceWindow},
    .systemUpdate = {"系统更新", "系统更新标签", "系统更新禁", "系统更新解", Action<SystemUpdate, Disable>, Action<SystemUpdate, Enable>},
    .call5G = {"5G开关", "5G开关标签", "广告禁", "广告解", Action<Call5G, Disable>, Action<Call5G, Enable>},
    .call5GAdvertLabelName = "通话广告标签",
    .redundant = {"冗余服务", "冗余服务标签", "冗余卸", "冗余选", UninstallHuaweiRedundantServices, OpenRedundantSelectionWindow},
    .google = {"谷歌服务", "谷歌服务标签", "谷歌禁", "谷歌解", DisableGoogleServices, EnableGoogleServices},
    .services = {{
        Row<Hms>("HMS 服务", "HMS标签", "HMS卸", "HMS装"),
        Row<GameSpace>("游戏空间", "游戏空间标签", "游戏卸", "按钮71"),
        Row<PrivateSpace>("隐私空间", "隐私空间标签", "隐私卸", "隐私装"),
    }},
    .safeRemovalGuide = {"华为引导", ShowHuaweiSafeRemovalNotice},
    .restoreAll = {"华为还原", RestoreAllHuaweiApps},

    .suite = {{
        Row<Wallet>("华为钱包", "钱包标签", "钱包卸", "钱包装"),
        Row<Video>("华为视频", "视频标签", "视频卸", "视频装"),
        Row<Music>("华为音乐", "音乐标签", "音乐卸", "音乐装"),
        {"华为阅读", "阅读标签", "阅读卸", "阅读装", UninstallReadingApp, RestoreReadingApp},
        Row<Browser>("华为浏览器", "浏览器标签", "浏览器卸", "浏览器装"),
        Row<HiCar>("华为 HiCar", "车机标签", "车机卸", "车机装"),
        Row<AppMarket>("华为应用市场", "应用市场标签", "应用卸", "应用装"),
        Row<AiEngine>("华为智慧引擎", "智慧引擎标签", "引擎卸", "引擎装"),
        Row<MyService>("服务/我的华为", "我的华为标签", "服务卸", "服务装"),
    }},
    .smart = {{
        Row<Search>("智慧搜索", "智慧搜索标签", "搜索卸", "搜索装"),
        Row<Suggestion>("智慧建议", "智慧建议标签", "建议卸", "建议装"),
        Row<ScreenRecognition>("智慧识屏", "智慧识屏标签", "识屏卸", "识屏装"),
        Row<Voice>("智慧语音(小艺)", "智慧语音标签", "小艺卸", "小艺装"),
        Row<Vision>("智慧视觉(扫一扫)", "智慧视觉标签", "扫扫卸", "扫扫装"),
        Row<Assistant>("智慧助手（负一屏）", "智慧助手标签", "负一屏卸", "负一屏装"),
    }},
    .quick = {{
        Row<QuickApps>("快应用中心", "快应用中心标签", "快应用卸", "快应用装"),
        Row<ServiceCenter>("服务中心", "服务中心标签", "卡片卸", "卡片装"),
        Row<Health>("运动健康", "运动健康标签", "运动卸", "运动装"),
    }},
    .systemLeft = {{
        Row<Themes>("主题", "主题标签", "主题卸", "主题装"),
        Row<Weather>("天气", "天气标签", "天气卸", "天气装"),
        Row<MeeTime>("畅连", "畅连标签", "畅连卸", "畅连装"),
        Row<Backup>("备份", "备份标签", "备份卸", "备份装"),
        Row<Mms>("彩信服务", "彩信服务标签", "彩信卸", "彩信装"),
        Row<TravelAssistant>("旅行助手", "旅行助手标签", "旅行卸", "旅行装"),
        Row<VideoEditor>("花瓣剪辑", "剪辑标签", "剪辑卸", "剪辑装"),
        Row<Magazine>("杂志锁屏", "杂志锁屏标签", "杂志卸", "杂志装"),
        Row<InputMethod>("系统输入法", "系统输入法标签", "输入卸", "输入装"),
    }},
    .systemRight = {{
        Row<Cloud>("云空间", "云空间标签", "云空间卸", "云空间装"),
        Row<Skytone>("天际通", "天际通标签", "天际通卸", "天际通装"),
        Row<Iflytek>("讯飞引擎", "讯飞引擎标签", "讯飞卸", "讯飞装"),
        Row<ProjectMenu>("工程菜单", "工程菜单标签", "工程卸", "工程装"),
        Row<FindPhone>("查找手机", "查找手机标签", "查找卸", "查找装"),
        Row<MultiScreen>("多屏协同", "多屏协同标签", "协同卸", "协同装"),
        Row<Emergency>("紧急信息", "紧急信息标签", "紧急卸", "紧急装"),
    }},
};

}  // namespace

std::span<const ControlDeclaration> HuaweiPageControls()
{
    static const std::vector<ControlDeclaration> controls = BrandPageControls(kHuaweiPage);
    return controls;
}
