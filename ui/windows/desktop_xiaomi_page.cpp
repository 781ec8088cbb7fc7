// The desktop window's "小米" page: the cloud-control switches and a notice to Xiaomi owners.
#include <array>

#include "tweaks/links.h"
#include "ui/windows/desktop_window.h"

namespace {

constexpr std::string_view kNotice =
    "目前还没有小米手机可以了解，因此还需要一定时间完善\r\n"
    "\r\n"
    "如果您能提供小米系统应用的包名，欢迎联系Pellucor开发组，帮助我们完善小米页面\r\n"
    "\r\n"
    "联系方式：Pellucor 项目主页的“问题反馈”栏目\r\n"
    "\r\n"
    "已经ROOT的用户，请前往【ROOT】页面\r\n"
    "\r\n"
    "感谢您对Pellucor的耐心与支持";

// Front-most first: each group's controls come before the group itself.
constexpr std::array kControls = {
    TransLabel("透明标签108", "解除小米云控", {61, 27, 85, 32}).In("分组框29").Colours(0x000000).Font({"", 14}),
    Button("云控禁", "解除云控", {34, 100, 62, 32}).In("分组框29").Font({"", 12}).On(Event::Clicked, DisableXiaomiCloudControl),
    Button("云控解", "恢复云控", {127, 100, 59, 32}).In("分组框29").Font({"", 12}).On(Event::Clicked, EnableXiaomiCloudControl),
    GroupBox("分组框29", "", {9, 50, 224, 399}).OnPage(kDesktopTabs, XiaomiPage).Colours(kNoColour, 0xFFA74F),
    EditBox("编辑框2", kNotice, {67, 120, 744, 160}).In("分组框43").MultiLine().Centred().ReadOnly().Colours(0xFFFFFF, 0x606060).Font({"新宋体", 16}),
    GroupBox("分组框43", "提醒", {240, 48, 864, 401}).OnPage(kDesktopTabs, XiaomiPage).Centred().Colours(0xFFFFFF, 0x606060).Font({"", 21}),
};

}  // namespace

std::span<const ControlDeclaration> XiaomiPageControls() { return kControls; }
