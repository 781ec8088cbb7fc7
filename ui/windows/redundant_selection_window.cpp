// The redundant-service selection window: eighteen boxes and the two buttons that act on the ticked ones.
#include "catalogue/redundant_services.h"
#include "core/window_names.h"
#include "ui/windows.h"

namespace {

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kSlate = 0x8080C0;
constexpr FontSpec kBoxFont = {"新宋体", 16};

constexpr ControlDeclaration Box(std::string_view name, std::string_view caption, Rect place)
{
    return CheckBox(name, caption, place).In("分组框1").Colours(kBlack, kSlate).Font(kBoxFont);
}

constexpr ControlDeclaration kControls[] = {
    GroupBox("分组框1", "", {0, 0, 960, 472}).Colours(kNoColour, kSlate),
    Box(kWorkProfileBox, "工作资料设置", {72, 56, 120, 32}),
    Box(kHtmlViewerBox, "HTML查看器", {72, 104, 120, 40}),
    Box(kSmartDetectionBox, "智能检测", {73, 166, 96, 24}),
    Box(kPrintServiceBox, "打印服务", {72, 216, 96, 40}),
    Box(kSimAppBox, "sim卡应用", {73, 273, 112, 40}),
    Box(kRecommendationsBox, "精品推荐", {72, 328, 96, 40}),
    Box(kExperienceProgramBox, "用户体验计划（系统）", {296, 56, 208, 24}),
    Box(kCellBroadcastBox, "小区广播", {295, 104, 96, 40}),
    Box(kGeofenceBox, "地理围栏", {295, 165, 152, 24}),
    Box(kAndroidTipsBox, "安卓tips", {296, 224, 104, 16}),
    Box(kGoogleBackupBox, "谷歌备份传输", {296, 274, 128, 32}),
    Box(kSmartSuggestionsBox, "智能建议", {296, 333, 96, 24}),
    Box(kAccessibilityBox, "无障碍服务", {585, 46, 144, 40}),
    Box(kArEngineBox, "AR、VR引擎", {585, 109, 176, 24}),
    Box(kBoneVoiceprintBox, "骨声纹插件", {585, 158, 104, 32}),
    Box(kRcsServiceBox, "RCS服务", {586, 211, 112, 32}),
    Box(kWordCaptureBox, "取词服务", {584, 272, 136, 32}),
    Box(kLiveWallpaperBox, "动态壁纸服务", {583, 328, 152, 32}),
    Button("卸载选中", "卸载选中", {432, 408, 136, 40}).In("分组框1").On(Event::Clicked, UninstallSelectedRedundantServices),
    Button("全部安装", "全部装回", {600, 408, 136, 40}).In("分组框1").On(Event::Clicked, RestoreSelectedRedundantServices),
};

constexpr WindowDeclaration kWindow = {RedundantSelectionWindow, "自定义选择冗余服务", 815, 494, kNoColour, kControls, nullptr};

}  // namespace

const WindowDeclaration& RedundantSelectionWindowDeclaration() { return kWindow; }
