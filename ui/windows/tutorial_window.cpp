// The tutorial window: what a USB-debugging connection needs, and links to drivers, a video and help.
#include "core/window_names.h"
#include "tweaks/links.h"
#include "ui/navigation.h"
#include "ui/windows.h"

namespace {

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr FontSpec kSongti16 = {"宋体", 16};
constexpr FontSpec kButtonFont = {"新宋体", 16, 700};

// Every control is a direct child of the window; the two white frames only stand behind them.
constexpr ControlDeclaration kControls[] = {
    TransLabel("透明标签1", "连接USB（ADB）调试必备条件：", {48, 48, 216, 24}).Colours(kBlack).Font(kSongti16),
    TransLabel("透明标签2", "1.能传输数据的充电线", {72, 88, 216, 24}).Colours(kBlack).Font(kSongti16),
    TransLabel("透明标签3", "2.能传输数据的电脑接口（网吧不支持）", {72, 120, 304, 24}).Colours(kBlack).Font(kSongti16),
    TransLabel("透明标签4", "3.打开USB调试开关（有第一次确认弹窗）", {72, 152, 296, 24}).Colours(kBlack).Font(kSongti16),
    TransLabel("透明标签5", "4.授权电脑连接ADB（有第二次确认弹窗，重点！！！）", {72, 184, 416, 24}).Colours(kRed).Font(kSongti16),
    TransLabel("透明标签6", "4.1 如按教程却没有弹出授权（缺少官方手机驱动），解决如下：", {136, 216, 448, 24}).Colours(kBlack).Font(kSongti16),
    TransLabel("透明标签7", "（1）华为（含老荣耀）：安装华为手机助手并连接助手", {152, 248, 416, 24}).Colours(kBlack).Font(kSongti16),
    TransLabel("透明标签8", "（2）新荣耀：安装荣耀手机助理并连接助理", {152, 280, 416, 24}).Colours(kBlack).Font(kSongti16),
    TransLabel("透明标签9", "（3）其它品牌同理", {152, 312, 416, 24}).Colours(kBlack).Font(kSongti16),
    TransLabel("透明标签10", "（4）按教程再次连接即可弹出授权", {152, 344, 416, 24}).Colours(kBlack).Font(kSongti16),
    Button("按钮3", "连接（视频教程）", {656, 84, 184, 75}).Font(kButtonFont).On(Event::Clicked, OpenVideoTutorial),
    Button("按钮2", "荣耀手机助手官网", {670, 228, 160, 33}).Font(kButtonFont).On(Event::Clicked, OpenHonorSuitePage),
    Button("按钮1", "华为手机助手官网", {671, 281, 160, 30}).Font(kButtonFont).On(Event::Clicked, OpenHuaweiSuitePage),
    Button("按钮4", "求助群友", {672, 328, 160, 32}).Font(kButtonFont).On(Event::Clicked, OpenCommunityWindow),
    GroupBox("分组框2", "", {32, 32, 568, 368}).Colours(kNoColour, kWhite),
    GroupBox("分组框1", "", {624, 32, 248, 368}).Colours(kNoColour, kWhite),
};

}  // namespace

const WindowDeclaration& TutorialWindowDeclaration()
{
    static constexpr WindowDeclaration window = {TutorialWindow, "连接教程", 916, 474, kWhite, kControls};
    return window;
}
