// The desktop window's "瘦身" page: cleaning chat-app caches and downloads on the phone.
#include <array>

#include "tweaks/scripts.h"
#include "ui/windows/desktop_window.h"

namespace {

// Front-most first: each group's controls come before the group itself.
constexpr std::array kControls = {
    TransLabel("透明标签120", "内存千千万，腾讯占一半", {78, 42, 184, 40}).In("分组框41").Colours(0x000000).Font({"新宋体", 16}),
    TransLabel("透明标签122", "在命令版Pellucor上，是一键瘦身", {57, 91, 236, 40}).In("分组框41").Colours(0x000000).Font({"新宋体", 16}),
    TransLabel("透明标签123", "通过命令删除掉一些废物文件", {68, 143, 236, 40}).In("分组框41").Colours(0x000000).Font({"新宋体", 16}),
    TransLabel("透明标签127", "适合不方便双清的人群", {88, 193, 236, 40}).In("分组框41").Colours(0x000000).Font({"新宋体", 16}),
    TransLabel("透明标签129", "内存占用越多效果越明显", {80, 241, 196, 40}).In("分组框41").Colours(0x000000).Font({"新宋体", 16}),
    TransLabel("透明标签125", "还是希望您谨慎，重要文件注意备份", {40, 290, 284, 40}).In("分组框41").Colours(0x000000).Font({"新宋体", 16}),
    TransLabel("透明标签130", "后续会逐步增加方案", {95, 340, 181, 40}).In("分组框41").Colours(0x000000).Font({"新宋体", 16}),
    GroupBox("分组框41", "", {45, 33, 332, 408}).OnPage(kDesktopTabs, SlimmingPage).Colours(kNoColour, 0x80A080),

    // "QQ\tim" names the two Tencent apps QQ and TIM, the backslash written as it reads.
    TransLabel("透明标签131", "QQ\\tim   聊天中的视频、图片（不含文字语音聊天记录及手动保存的）", {47, 20, 392, 32}).In("分组框39").Colours(0x000000),
    TransLabel("透明标签132", "一些小程序、小游戏缓存、QQ空间数据缓存等等等", {102, 47, 336, 24}).In("分组框39").Colours(0x000000),
    TransLabel("透明标签133", "微信     热更新文件、部分聊天视频及日志缓存（不含文字语音聊天记录及手动保存的）", {47, 67, 472, 32}).In("分组框39").Colours(0x000000),
    TransLabel("透明标签134", "图库     清理了缩略图", {47, 93, 344, 24}).In("分组框39").Colours(0x000000),
    Button("清理", "清理", {543, 115, 104, 48}).In("分组框39").On(Event::Clicked, CleanCaches),
    TransLabel("透明标签136", "系统     清空bug报告目录", {47, 120, 288, 16}).In("分组框39").Colours(0x000000),
    TransLabel("透明标签135", "其它     清理了腾讯外部文件夹的大部分日志", {47, 139, 288, 24}).In("分组框39").Colours(0x000000),
    GroupBox("分组框39", "", {386, 33, 680, 192}).OnPage(kDesktopTabs, SlimmingPage).Colours(kNoColour, 0x8080C0),

    TransLabel("透明标签137", "QQ微信tim     下载过的文件（不含文字语音聊天记录及手动保存的）", {50, 88, 400, 32}).In("分组框40").Colours(0x000000),
    Button("清理下载", "清理", {544, 128, 104, 48}).In("分组框40").On(Event::Clicked, CleanDownloads),
    GroupBox("分组框40", "", {385, 233, 680, 208}).OnPage(kDesktopTabs, SlimmingPage).Colours(kNoColour, 0x55AAAA),
};

}  // namespace

std::span<const ControlDeclaration> SlimmingPageControls() { return kControls; }
