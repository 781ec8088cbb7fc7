// The desktop window's "动画" page: the three animation scales with their advice.
#include <array>

#include "core/window_names.h"
#include "tweaks/display_settings.h"
#include "ui/windows/desktop_window.h"

namespace {

// Front-most first: the page's own labels, boxes and buttons stand in front of the two groups
// whose area they share, and each group's controls come before the group itself.
constexpr std::array kControls = {
    TransLabel("透明标签6", "窗口动画缩放倍数:", {80, 104, 192, 40}).OnPage(kDesktopTabs, AnimationPage).Colours(0x000000).Font({"", 20}),
    TransLabel("透明标签8", "过渡动画缩放倍数:", {80, 200, 200, 64}).OnPage(kDesktopTabs, AnimationPage).Colours(0x000000).Font({"", 20}),
    TransLabel("透明标签9", "动画程序缩放倍数:", {80, 304, 176, 56}).OnPage(kDesktopTabs, AnimationPage).Colours(0x000000).Font({"", 20}),
    TransLabel("透明标签10", "是界面小弹窗出现的过渡动画（建议 1.5）", {136, 141, 232, 40}).OnPage(kDesktopTabs, AnimationPage).Colours(0x000000),
    TransLabel("透明标签11", "是（软件内）页面切换的过渡动画（建议 1.34）", {137, 246, 288, 43}).OnPage(kDesktopTabs, AnimationPage).Colours(0x000000),
    TransLabel("透明标签12", "从桌面打开软件的过渡动画（建议 1.17或1.223）", {137, 350, 296, 40}).OnPage(kDesktopTabs, AnimationPage).Colours(0x000000),
    EditBox(kWindowScaleBox, "1.5", {256, 111, 88, 32}).OnPage(kDesktopTabs, AnimationPage).Framed(Border::Single).Centred().Colours(0x000000, 0x80FFFF).Font({"新宋体", 16}),
    EditBox(kTransitionScaleBox, "1.34", {256, 215, 88, 32}).OnPage(kDesktopTabs, AnimationPage).Framed(Border::Single).Centred().Colours(0x000000, 0x80FFFF).Font({"新宋体", 16}),
    EditBox(kAnimatorScaleBox, "1.17", {256, 317, 88, 32}).OnPage(kDesktopTabs, AnimationPage).Framed(Border::Single).Centred().Colours(0x000000, 0x80FFFF).Font({"新宋体", 16}),
    Button("设置1", "设置", {376, 111, 56, 32}).OnPage(kDesktopTabs, AnimationPage).Font({"", 14}).On(Event::Clicked, SetWindowAnimationScale),
    Button("设置2", "设置", {376, 216, 56, 32}).OnPage(kDesktopTabs, AnimationPage).Font({"", 14}).On(Event::Clicked, SetTransitionAnimationScale),
    Button("设置3", "设置", {377, 318, 56, 32}).OnPage(kDesktopTabs, AnimationPage).Font({"", 14}).On(Event::Clicked, SetAnimatorDurationScale),
    TransLabel("透明标签13", "建议值是以60hz刷新率为参考计算的，您可根据个人的喜好自行调节", {595, 211, 443, 64}).OnPage(kDesktopTabs, AnimationPage).Colours(0x000000).Font({"", 14}),
    TransLabel("透明标签14", "建议值是用高速相机统计动画过程帧数，以此推算增加帧数后的阈值", {594, 277, 475, 48}).OnPage(kDesktopTabs, AnimationPage).Colours(0x000000).Font({"", 14}),
    TransLabel("透明标签15", "90-120hz足够丝滑，调节倍数应以个人感受为主，不必遵循阈值边界", {595, 334, 435, 48}).OnPage(kDesktopTabs, AnimationPage).Colours(0x000000).Font({"", 14}),
    GroupBox("分组框2", "动画调节", {19, 48, 485, 392}).OnPage(kDesktopTabs, AnimationPage).Centred().Colours(kNoColour, 0x52A3A3),
    TransLabel("透明标签17", "安卓、鸿蒙通用，可设为100自测", {74, 68, 208, 32}).In("分组框3").Colours(0x000000).Font({"", 14}),
    TransLabel("透明标签16", "手机里只能显示0.5、1.5、2、5等固定值，实际倍速以输入为准", {72, 118, 425, 40}).In("分组框3").Colours(0x000000).Font({"", 14}),
    GroupBox("分组框3", "额外说明", {523, 48, 568, 392}).OnPage(kDesktopTabs, AnimationPage).Centred().Colours(kNoColour, 0x8080C0),
};

}  // namespace

std::span<const ControlDeclaration> AnimationPageControls() { return kControls; }
