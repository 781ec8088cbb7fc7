// The desktop window's "功能" page: screen-off time, release query, wireless debugging, refresh
// rates, status-bar icons, apk installation and the introduction of the typed-command system.
#include <array>

#include "core/window_names.h"
#include "tweaks/device_queries.h"
#include "tweaks/display_settings.h"
#include "tweaks/icon_blacklist.h"
#include "tweaks/links.h"
#include "tweaks/scripts.h"
#include "ui/windows/desktop_window.h"

namespace {

constexpr std::string_view kAdbSystemIntroduction =
    "\r\n"
    "这是为极客小伙伴开发的【中文ADB】\r\n"
    "\r\n"
    "通过模拟，使您能够用中式的逻辑去操纵手机内部\r\n"
    "\r\n"
    "使需求更深的小伙伴能够完成更多定制化功能";

// Front-most first: each group's controls come before the group itself.
constexpr std::array kControls = {
    TransLabel("透明标签109", "定义亮屏时间（秒）", {11, 22, 120, 32}).In("分组框30").Colours(0x000000).Font({"新宋体", 14}),
    EditBox(kScreenOffBox, "15", {137, 22, 80, 32}).In("分组框30").Framed(Border::Sunken).Centred().Colours(0x000000, 0xACACFF),
    Button("亮屏", "设置", {224, 23, 56, 32}).In("分组框30").Font({"", 14}).On(Event::Clicked, SetScreenOffTimeout),
    GroupBox("分组框30", "", {17, 48, 288, 72}).OnPage(kDesktopTabs, FunctionPage).Colours(kNoColour, 0x8080C0),

    TransLabel("透明标签110", "AOSP版本号", {34, 22, 89, 32}).In("分组框31").Colours(0x000000).Font({"新宋体", 14}),
    EditBox(kReleaseBox, "", {137, 22, 80, 32}).In("分组框31").Framed(Border::Sunken).Centred().Colours(0x000000, 0xCCCCFF),
    Button("查版本", "查询", {224, 23, 56, 32}).In("分组框31").Font({"", 14}).On(Event::Clicked, QueryAndroidRelease),
    GroupBox("分组框31", "", {16, 128, 288, 72}).OnPage(kDesktopTabs, FunctionPage).Colours(kNoColour, 0x8080C0),

    TransLabel("透明标签111", "1.请将手机电脑接入同一局域网", {28, 22, 196, 40}).In("分组框32").Colours(0x000000),
    TransLabel("透明标签112", "2.输入手机当前IP地址：", {28, 49, 179, 40}).In("分组框32").Colours(0x000000),
    EditBox(kAddressBox, "如：192.168.13.12", {43, 88, 168, 32}).In("分组框32").Framed(Border::Sunken).Centred().Colours(0x000000, 0xFFFFFF).Font({"", 14}),
    TransLabel("透明标签113", "3.设置端口号（可默认 5555）", {29, 118, 196, 40}).In("分组框32").Colours(0x000000),
    EditBox(kPortBox, "5555", {44, 155, 80, 32}).In("分组框32").Framed(Border::Sunken).Centred().ReadOnly().Colours(0x000000, 0xFFFFFF).Font({"", 16}),
    Button("无线调试", "开始切换", {159, 156, 104, 32}).In("分组框32").On(Event::Clicked, SwitchToWirelessDebugging),
    TransLabel("透明标签114", "4.点击切换无线ADB调试,然后拔出设备即可", {29, 187, 231, 40}).In("分组框32").Colours(0x000000),
    GroupBox("分组框32", "无线调试", {16, 208, 288, 232}).OnPage(kDesktopTabs, FunctionPage).Centred().Colours(kNoColour, 0x55AAAA).Font({"新宋体", 16}),

    TransLabel("透明标签115", "最小（HZ）", {63, 28, 56, 16}).In("分组框33").Colours(0x000000),
    TransLabel("透明标签116", "最大（HZ）", {186, 28, 56, 16}).In("分组框33").Colours(0x000000),
    EditBox(kMinRateBox, "", {51, 51, 72, 40}).In("分组框33").Framed(Border::Sunken).Centred().Colours(0x000000, 0xFFD7D7).Font({"", 20}),
    EditBox(kPeakRateBox, "", {177, 51, 72, 40}).In("分组框33").Framed(Border::Sunken).Centred().Colours(0x000000, 0xFFC4C4).Font({"", 20}),
    TransLabel("透明标签117", "一一", {133, 63, 40, 16}).In("分组框33").Colours(0x000000).Font({"", 16, 700}),
    Button("按我定高刷", "按我输入的设置", {48, 104, 102, 32}).In("分组框33").On(Event::Clicked, ApplyTypedRefreshRate),
    Button("默认高刷", "默认方案(96Hz)", {150, 104, 104, 32}).In("分组框33").On(Event::Clicked, ApplyDefaultRefreshRate),
    GroupBox("分组框33", "定义屏幕刷新率范围", {314, 48, 304, 152}).OnPage(kDesktopTabs, FunctionPage).Centred().Colours(kNoColour, 0xB56A6A).Font({"", 16}),

    // Guidance only: the user opens the phone's status-bar settings by hand.
    Button("按钮182", "点击后看手机", {27, 41, 104, 79}).In("分组框35").Font({"", 14}),
    TransLabel("透明标签118", "选择【状态栏】", {40, 136, 96, 24}).In("分组框35").Colours(0x000000),
    GroupBox("分组框35", "第一步     ", {18, 39, 160, 184}).In("分组框34").Colours(kNoColour, 0x55AAAA).Font({"新宋体", 12}),
    CheckBox(kNfcIconBox, "NFC", {22, 41, 64, 24}).In("分组框36").Colours(0x000000, 0x55AAAA),
    CheckBox(kLocationIconBox, "定位", {106, 41, 64, 24}).In("分组框36").Colours(0x000000, 0x55AAAA),
    CheckBox(kPowerSavingIconBox, "省电模式", {173, 44, 80, 16}).In("分组框36").Colours(0x000000, 0x55AAAA),
    CheckBox(kHdIconBox, "HD", {22, 82, 72, 24}).In("分组框36").Colours(0x000000, 0x55AAAA),
    CheckBox(kBatteryIconBox, "电池", {106, 83, 56, 24}).In("分组框36").Colours(0x000000, 0x55AAAA),
    CheckBox(kEyeComfortIconBox, "护眼模式", {173, 84, 80, 24}).In("分组框36").Colours(0x000000, 0x55AAAA),
    CheckBox(kSignalIconBox, "信号", {23, 123, 64, 24}).In("分组框36").Colours(0x000000, 0x55AAAA),
    Button("按钮183", "执行", {100, 129, 72, 32}).In("分组框36").On(Event::Clicked, HideStatusBarIcons),
    Button("状态栏恢复", "还原", {172, 129, 72, 32}).In("分组框36").On(Event::Clicked, RestoreStatusBarIcons),
    GroupBox("分组框36", "第二步（须一次选完）", {196, 39, 280, 184}).In("分组框34").Colours(kNoColour, 0x55AAAA).Font({"新宋体", 12}),
    GroupBox("分组框34", "状态栏图标精简", {315, 208, 498, 232}).OnPage(kDesktopTabs, FunctionPage).Centred().Colours(kNoColour, 0x55AAAA).Font({"新宋体", 16}),

    Button("安装应用", "开始", {27, 32, 128, 64}).In("分组框37").Font({"", 32}).On(Event::Clicked, InstallApkFolder),
    TransLabel("透明标签119", "自动安装文件夹内apk", {38, 101, 136, 32}).In("分组框37").Colours(0x000000),
    TransLabel("透明标签138", "也可管理安卓子系统", {39, 123, 136, 32}).In("分组框37").Colours(0x000000),
    GroupBox("分组框37", "自动安装apk", {629, 49, 184, 152}).OnPage(kDesktopTabs, FunctionPage).Centred().Colours(kNoColour, 0x8080C0).Font({"", 16}),

    EditBox("编辑框7", kAdbSystemIntroduction, {0, 40, 264, 136}).In("分组框38").Framed(Border::Single).MultiLine().Centred().Colours(0x000000, 0xFFBF80).Font({"", 14}),
    TransLabel("透明标签121", "1.卸载/禁用", {24, 234, 104, 24}).In("分组框38").Colours(0xFF0000).Font({"", 14}),
    TransLabel("透明标签124", "2.装回/解禁", {23, 257, 97, 24}).In("分组框38").Colours(0xFF0000).Font({"", 14}),
    TransLabel("透明标签126", "3.加白名单/去白名单", {23, 283, 161, 24}).In("分组框38").Colours(0xFF0000).Font({"", 14}),
    TransLabel("透明标签128", "4.浏览/删除", {24, 308, 161, 24}).In("分组框38").Colours(0xFF0000).Font({"", 14}),
    Button("按钮186", "更多命令及详情", {80, 344, 128, 32}).In("分组框38").On(Event::Clicked, ShowMoreCommandsNotice),
    GroupBox("分组框38", "中文【ADB】系统", {824, 49, 264, 392}).OnPage(kDesktopTabs, FunctionPage).Centred().Colours(kNoColour, 0xFFC58A).Font({"", 16}),
};

}  // namespace

std::span<const ControlDeclaration> FunctionPageControls() { return kControls; }
