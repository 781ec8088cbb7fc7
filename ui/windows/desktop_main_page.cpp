// The desktop window's "主菜单" page: link state, connection aids, reboots and the donation group.
#include <array>

#include "catalogue/main_menu.h"
#include "core/link_check.h"
#include "core/window_names.h"
#include "pictures/pay_qr_alipay.h"
#include "pictures/pay_qr_wechat.h"
#include "tweaks/device_control.h"
#include "tweaks/scripts.h"
#include "ui/navigation.h"
#include "ui/windows/desktop_window.h"

namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;
constexpr FontSpec kSong14{"新宋体", 14};
constexpr FontSpec kSong16{"新宋体", 16};
constexpr FontSpec kSong32{"新宋体", 32};
constexpr FontSpec kFace14{"", 14};
constexpr FontSpec kFace16{"", 16};

constexpr ControlDeclaration OnMainMenu(ControlDeclaration control) { return control.OnPage(kDesktopTabs, MainMenuPage); }

// Front-most first. The page-level buttons and the translation line lie over the groups, in front
// of them; each group's children stand in front of their group.
constexpr std::array kControls = {
    OnMainMenu(Button("主设备", "查看连接设备", {69, 285, 108, 40}).Font(kFace16).On(Event::Clicked, ListConnectedDevices)),
    OnMainMenu(TransLabel("透明标签7", "翻译：连接设备列表", {81, 357, 168, 32}).Colours(kWhite).Font(kSong14)),
    OnMainMenu(Button("主情况", "运行情况", {320, 102, 153, 40}).Font(kFace16).On(Event::Clicked, ShowRunStatus)),
    OnMainMenu(Button("操作记录", "操作记录", {322, 183, 153, 40}).Font(kFace14).On(Event::Clicked, OpenOperationLogWindow)),
    OnMainMenu(Button("按钮2", "一键重启", {553, 101, 152, 40}).Font(kFace14).On(Event::Clicked, RebootPhone)),
    OnMainMenu(Button("按钮1", "重启至recovery", {553, 184, 152, 40}).Font(kFace14).On(Event::Clicked, RebootToRecovery)),
    OnMainMenu(Button("按钮3", "重启至bootloader", {553, 264, 152, 40}).Font(kFace14).On(Event::Clicked, RebootToBootloader)),
    OnMainMenu(Button("按钮4", "重启至fastboot", {553, 344, 152, 40}).Font(kFace14).On(Event::Clicked, RebootToFastboot)),

    TransLabel("透明标签18", "ADB连接状态：", {24, 32, 112, 16}).In("分组框1").Colours(kBlack),
    EditBox(kLinkBox, "", {24, 56, 120, 40}).In("分组框1").Framed(Border::Sunken).Centred().ReadOnly().Colours(kBlack, 0xB4B4DA).Font(kFace14),
    Button("按钮5", "刷新", {160, 57, 80, 40}).In("分组框1").On(Event::Clicked, CheckDeviceLink),
    Button("重置连接", "异常连接点此重置", {53, 136, 155, 40}).In("分组框1").Font(kFace14).On(Event::Clicked, ResetConnection),
    Button("连接教程", "连接教程", {53, 188, 155, 40}).In("分组框1").Font(kFace16).On(Event::Clicked, OpenTutorialWindow),
    Button("按钮7", "断连", {160, 237, 48, 40}).In("分组框1").Font(kFace14).On(Event::Clicked, StopAdbServer),
    TransLabel("透明标签2", "List of devices attached ", {40, 290, 184, 24}).In("分组框1").Colours(kBlack).Font(kSong14),
    TransLabel("透明标签3", "每行代表一个设备", {70, 339, 154, 24}).In("分组框1").Colours(kBlack).Font(kSong14),
    OnMainMenu(GroupBox("分组框1", "连接", {17, 48, 256, 376}).Colours(kNoColour, 0x8080C0).Font(kSong16).Centred()),

    Button("按钮189", "打开命令版Pellucor", {40, 213, 153, 40}).In("分组框27").Font(kFace14).On(Event::Clicked, OpenCommandEdition),
    OnMainMenu(GroupBox("分组框27", "", {282, 48, 224, 376}).Colours(kNoColour, 0xFFBF80)),

    OnMainMenu(GroupBox("分组框4", "控制", {513, 48, 224, 376}).Colours(kNoColour, 0x52A3A3).Font(kSong16).Centred()),

    TransLabel("透明标签106", "当然，Pellucor永久免费", {48, 64, 248, 40}).In("分组框28").Colours(kWhite).Font(kSong14).Centred(),
    TransLabel("透明标签107", "失业流浪中，一分两分也是爱", {48, 104, 248, 40}).In("分组框28").Colours(kWhite).Font(kSong14).Centred(),
    PicBox("图片框2", kPayQrAlipayJpg, {16, 190, 146, 149}).In("分组框28"),
    PicBox("图片框3", kPayQrWechatJpg, {180, 190, 150, 149}).In("分组框28"),
    TransLabel("透明标签4", "支付宝", {68, 345, 64, 24}).In("分组框28").Colours(kWhite).Font(kFace14),
    TransLabel("透明标签105", "微信", {242, 344, 64, 24}).In("分组框28").Colours(kWhite).Font(kFace14),
    OnMainMenu(GroupBox("分组框28", "激励我", {745, 48, 344, 376}).Colours(kNoColour, 0xFF8A8A).Font(kSong32).Centred()),
};

}  // namespace

std::span<const ControlDeclaration> MainMenuPageControls() { return kControls; }
