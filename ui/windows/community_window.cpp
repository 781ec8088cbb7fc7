// The community window: the public-account banner and where to find the user groups.
#include "core/window_names.h"
#include "pictures/community_banner.h"
#include "ui/windows.h"

namespace {

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr FontSpec kGroupFont = {"微软雅黑", 21, 700};

// The groups are announced through the public account rather than by number.
constexpr ControlDeclaration kControls[] = {
    PicBox("图片框1", kCommunityBannerPng, {120, 249, 320, 120}),
    Label("标签5", "维持大群每年花好多钱充腾讯\r\n若您只想获取更新，建议只关注公众号", {8, 42, 536, 80}).Colours(kBlack, kWhite).Font({"微软雅黑", 19}).Centred().WordWrap(),
    Label("标签1", "一群：见公众号", {88, 128, 184, 32}).Colours(kBlack, kWhite).Font(kGroupFont),
    Label("标签2", "二群：见公众号", {328, 128, 184, 32}).Colours(kBlack, kWhite).Font(kGroupFont),
    Label("标签3", "三群：见公众号", {88, 181, 184, 32}).Colours(kBlack, kWhite).Font(kGroupFont),
    Label("标签4", "四群：见公众号", {328, 181, 184, 32}).Colours(kBlack, kWhite).Font(kGroupFont),
};

}  // namespace

const WindowDeclaration& CommunityWindowDeclaration()
{
    static constexpr WindowDeclaration window = {CommunityWindow, "Pellucor玩机交流群", 556, 434, kWhite, kControls};
    return window;
}
