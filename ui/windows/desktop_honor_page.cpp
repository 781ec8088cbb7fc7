// The desktop window's "新荣耀" page: Honor apps and services, every package button reading section "荣耀".
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
    return PackageRow<Brand::Honor, app>(label, labelName, uninstallName, restoreName);
}

template <App app, PackageActionKind kind>
constexpr Handler Action = AppActionHandler<Brand::Honor, app, kind>;

constexpr BrandPage kHonorPage = {
    .page = HonorPage,
    .groups = {.peak = "分组框16", .update = "分组框17", .call5G = "分组框18", .redundant = "分组框19",
               .services = "分组框20", .suite = "分组框21", .smart = "分组框22", .quick = "分组框26",
               .systemLeft = "分组框23", .systemRight = "分组框24", .guide = "分组框25"},
    .peakColour = 0xFFA74F,
    .suiteCaption = "全家桶",
    .quickTop = 314,

    .peakLabelName = "荣耀巅峰性能标签",
    .peakOptions = {"按钮77", OpenPeakPerformanceWindow},
    .systemUpdate = {"系统更新", "荣耀系统更新标签", "荣耀系统更新禁用", "荣耀系统更新解禁", Action<SystemUpdate, Disable>, Action<SystemUpdate, Enable>},
    .call5G = {"5G开关", "荣耀5G开关标签", "荣耀5G开关启用", "按钮95", Action<Call5G, Disable>, Action<Call5G, Enable>},
    .call5GAdvertLabelName = "荣耀通话广告标签",
    .redundant = {"冗余服务", "荣耀冗余服务标签", "荣耀冗余服务卸载", "荣耀冗余自选", UninstallHonorRedundantServices, OpenRedundantSelectionWindow},
    .google = {"谷歌服务", "荣耀谷歌服务标签", "荣耀谷歌卸", "荣耀谷歌解", DisableGoogleServices, EnableGoogleServices},
    .services = {{
        Row<Hms>("HMS 服务", "荣耀HMS标签", "荣耀HMS卸", "荣耀HMS装"),
        Row<GameSpace>("游戏空间", "荣耀游戏空间标签", "荣耀游戏空间卸", "荣耀游戏空间装"),
        Row<PrivateSpace>("隐私空间", "荣耀隐私空间标签", "荣耀隐私空间卸", "荣耀隐私空间装"),
    }},
    .safeRemovalGuide = {"按钮169", ShowHonorSafeRemovalNotice},
    .restoreAll = {"按钮168", ShowHonorRestoreNotice},

    .suite = {{
        Row<Wallet>("钱包", "荣耀钱包标签", "按钮123", "按钮122"),
        Row<Video>("视频", "荣耀视频标签", "按钮121", "按钮120"),
        Row<Music>("音乐", "荣耀音乐标签", "按钮119", "按钮118"),
        {"荣耀阅读", "荣耀阅读标签", "按钮111", "按钮110", UninstallReadingApp, RestoreReadingApp},
        Row<Browser>("荣耀浏览器", "荣耀浏览器标签", "按钮115", "按钮114"),
        Row<HiCar>("荣耀 HiCar", "荣耀车机标签", "按钮113", "按钮112"),
        Row<AppMarket>("荣耀应用市场", "荣耀应用市场标签", "按钮117", "按钮116"),
        Row<AiEngine>("荣耀智慧引擎", "荣耀智慧引擎标签", "按钮109", "按钮108"),
        Row<MyService>("服务/我的荣耀", "我的荣耀标签", "按钮107", "按钮106"),
    }},
    .smart = {{
        Row<Search>("智慧搜索", "荣耀智慧搜索标签", "按钮135", "按钮134"),
        Row<Suggestion>("智慧建议", "荣耀智慧建议标签", "按钮133", "按钮132"),
        Row<ScreenRecognition>("智慧识屏", "荣耀智慧识屏标签", "按钮131", "按钮130"),
        Row<Voice>("智慧语音(YoYo)", "荣耀智慧语音标签", "按钮129", "按钮128"),
        Row<Vision>("智慧视觉(扫一扫)", "荣耀智慧视觉标签", "按钮127", "按钮126"),
        Row<Assistant>("智慧助手（负一屏）", "荣耀智慧助手标签", "按钮125", "按钮124"),
    }},
    .quick = {{
        Row<QuickApps>("快应用中心", "荣耀快应用中心标签", "按钮175", "按钮174"),
        Row<ServiceCenter>("服务中心", "荣耀服务中心标签", "按钮173", "按钮172"),
        Row<Health>("运动健康", "荣耀运动健康标签", "按钮171", "按钮170"),
    }},
    .systemLeft = {{
        Row<Themes>("主题", "荣耀主题标签", "按钮153", "按钮152"),
        Row<Weather>("天气", "荣耀天气标签", "按钮151", "按钮150"),
        Row<MeeTime>("畅联", "荣耀畅联标签", "按钮149", "按钮148"),
        Row<Backup>("备份", "荣耀备份标签", "按钮141", "按钮140"),
        Row<Mms>("彩信服务", "荣耀彩信服务标签", "按钮145", "按钮144"),
        Row<TravelAssistant>("旅行助手", "荣耀旅行助手标签", "按钮143", "按钮142"),
        Row<VideoEditor>("视频剪辑", "荣耀剪辑标签", "按钮147", "按钮146"),
        Row<Magazine>("杂志锁屏", "荣耀杂志锁屏标签", "按钮139", "按钮138"),
        Row<InputMethod>("系统输入法", "荣耀系统输入法标签", "按钮137", "按钮136"),
    }},
    .systemRight = {{
        Row<Cloud>("云空间", "荣耀云空间标签", "按钮167", "按钮166"),
        Row<Skytone>("天际通", "荣耀天际通标签", "按钮165", "按钮164"),
        Row<Iflytek>("讯飞引擎", "荣耀讯飞引擎标签", "按钮163", "按钮162"),
        Row<ProjectMenu>("工程菜单", "荣耀工程菜单标签", "按钮155", "按钮154"),
        Row<FindPhone>("查找手机", "荣耀查找手机标签", "按钮159", "按钮158"),
        Row<MultiScreen>("多屏协同", "荣耀多屏协同标签", "按钮157", "按钮156"),
        Row<Emergency>("紧急信息", "荣耀紧急信息标签", "按钮161", "按钮160"),
    }},
};

}  // namespace

std::span<const ControlDeclaration> HonorPageControls()
{
    static const std::vector<ControlDeclaration> controls = BrandPageControls(kHonorPage);
    return controls;
}
