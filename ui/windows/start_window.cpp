// The start window: greeting, terms of use, the entry picture and the buttons to the information windows.
#include "core/window_names.h"
#include "pictures/avatar.h"
#include "pictures/entry_banner.h"
#include "pictures/follow_banner.h"
#include "ui/navigation.h"
#include "ui/windows.h"

namespace {

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr FontSpec kHeiti16 = {"黑体", 16};
constexpr FontSpec kButtonFont = {"新宋体", 14};

// Front-most first. The band 分隔条1 lies behind the four buttons and the lines of text; the white
// captions 透明标签6 and 透明标签7 stand on it.
constexpr ControlDeclaration kControls[] = {
    PicBox("图片框3", kFollowBannerJpg, {624, 32, 304, 120}),
    TransLabel("透明标签7", "请作者喝可乐", {712, 424, 136, 40}).Colours(kWhite).Font({"", 14, 400, true}).On(Event::LeftButtonDown, OpenDonationWindow),
    TransLabel("透明标签6", "以上按钮可点击", {16, 376, 96, 24}).Colours(kWhite),
    PicBox("图片框2", kEntryBannerPng, {376, 384, 192, 64}).On(Event::LeftButtonDown, OpenDesktopWindow),
    TransLabel("透明标签4", "一路走来，作者将玩机门槛逐步降低，十分不易，目前仅需要您自行连接USB调试", {104, 328, 856, 40}).Colours(kBlack).Font(kHeiti16),
    Button("按钮教程", "连接教程", {16, 336, 80, 24}).Font(kButtonFont).On(Event::Clicked, OpenTutorialWindow),
    Button("按钮群号", "交流群号", {16, 296, 80, 24}).Font(kButtonFont).On(Event::Clicked, OpenCommunityWindow),
    Button("按钮解答", "问题解答", {16, 256, 80, 24}).Font(kButtonFont).On(Event::Clicked, OpenFaqWindow),
    Button("按钮更新", "发展历程", {16, 216, 80, 24}).Font(kButtonFont).On(Event::Clicked, OpenUpdateHistoryWindow),
    TransLabel("透明标签3", "Pellucor提供基础能力，由于机型、版本、品牌差异，导致效果不完全一样，因此不同的玩法、经验需要大家交流共享", {104, 288, 856, 40}).Colours(kBlack).Font(kHeiti16),
    TransLabel("透明标签2", "本工具不会搞坏手机，但当您决定要搞机时，风险将由您自行承担（记得数据备份哦）", {104, 248, 856, 40}).Colours(kBlack).Font(kHeiti16),
    TransLabel("透明标签1", "Pellucor始于【2021.01.20】，是个人开发，因此更新会比较慢，目前仍坚持维护更新", {104, 208, 800, 40}).Colours(kBlack).Font(kHeiti16),
    Label("标签4", "公众号：Pellucor工具箱", {438, 117, 176, 32}).Colours(kBlack, kWhite).Font(kHeiti16).Centred(),
    Label("标签2", "酷安：Pellucor工具箱", {440, 72, 176, 32}).Colours(kBlack, kWhite).Font(kHeiti16).Centred(),
    Label("标签1", "B站：Pellucor工具箱", {441, 33, 176, 32}).Colours(kBlack, kWhite).Font(kHeiti16).Centred(),
    PicBox("图片框1", kAvatarJpg, {304, 33, 128, 128}),
    SplitterBar("分隔条1", {-16, 192, 992, 288}),
};

}  // namespace

const WindowDeclaration& StartWindowDeclaration()
{
    static constexpr WindowDeclaration window = {StartWindow, "Pellucor-宠粉界面版", 978, 500, kWhite, kControls};
    return window;
}
