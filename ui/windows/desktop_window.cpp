// The desktop window: its frame (band, avatar, two white lines, output and command boxes) and the tab control.
#include "ui/windows/desktop_window.h"

#include <array>
#include <vector>

#include "core/console.h"
#include "core/window_names.h"
#include "pictures/avatar.h"
#include "ui/windows.h"

namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kPromptGrey = 0xC0C0C0;
constexpr FontSpec kSong14{"新宋体", 14};

constexpr std::array<std::string_view, 8> kPageCaptions = {"主菜单", "华为", "新荣耀", "小米", "功能", "动画", "瘦身", "ROOT"};

// Front-most first: the band lies behind everything in the top part of the window.
constexpr std::array kFrame = {
    TransLabel("透明标签139", "官方下载：公众号「Pellucor」", {19, 142, 213, 24}).Colours(kWhite).Font(kSong14),
    EditBox(kCommandBox, kCommandPrompt, {496, 159, 600, 32}).Framed(Border::Single).Colours(kPromptGrey, kWhite).Font(kSong14).SkipsTab()
        .On(Event::GotFocus, ClearCommandPrompt).On(Event::LostFocus, RestoreCommandPrompt).On(Event::KeyDown, RunTypedCommand),
    EditBox(kOutputBox, "    执行结果和反馈显示在这里", {496, 16, 600, 144}).Framed(Border::Single).MultiLine().Scrolled().ReadOnly().Colours(kBlack, kWhite).Font(kSong14),
    PageControl(kDesktopTabs, kPageCaptions, {-1, 215, 1112, 458}),
    TransLabel("透明标签5", "视频教程：Pellucor频道", {19, 117, 117, 24}).Colours(kWhite).Font(kSong14),
    PicBox("图片框1", kAvatarJpg, {18, 16, 96, 91}),
    SplitterBar("分隔条1", {-4, 0, 1116, 216}),
};

// The window is composed at run time from the page modules, in page order.
std::vector<ControlDeclaration> ComposeControls()
{
    std::vector<ControlDeclaration> controls(kFrame.begin(), kFrame.end());
    for (auto page : {MainMenuPageControls, HuaweiPageControls, HonorPageControls, XiaomiPageControls,
                      FunctionPageControls, AnimationPageControls, SlimmingPageControls, RootPageControls}) {
        auto pageControls = page();
        controls.insert(controls.end(), pageControls.begin(), pageControls.end());
    }
    return controls;
}

}  // namespace

const WindowDeclaration& DesktopWindowDeclaration()
{
    static const std::vector<ControlDeclaration> controls = ComposeControls();
    static const WindowDeclaration window = {
        .id = DesktopWindow,
        .title = "Pellucor-桌面版【2023.06.26】",
        .width = 1114,
        .height = 701,
        .background = kWhite,
        .controls = controls,
        .created = EnterDesktopWindow,
    };
    return window;
}
