// The declaration check that every window system runs on the windows it is given: each kind of
// misdeclared window ends the program and names the mistake.
#include <gtest/gtest.h>

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/declared_windows.h"
#include "platform/window_model.h"

namespace {

constexpr Rect kPlace{0, 0, 10, 10};
constexpr std::array<std::string_view, 2> kPages = {"一", "二"};

constexpr std::array kNameless = {Label("", "", kPlace)};
constexpr std::array kTwins = {Label("同名", "", kPlace), Button("同名", "", kPlace)};
constexpr std::array kLost = {Button("孤儿", "", kPlace).In("不存在的分组框")};
constexpr std::array kInLabel = {Label("标签", "", kPlace), Button("按钮", "", kPlace).In("标签")};
constexpr std::array kLoop = {GroupBox("甲组", "", kPlace).In("乙组"), GroupBox("乙组", "", kPlace).In("甲组")};
constexpr std::array kNoPage = {PageControl("选择夹", kPages, kPlace), Button("无页", "", kPlace).In("选择夹")};
constexpr std::array kPastPages = {PageControl("选择夹", kPages, kPlace), Button("第三页", "", kPlace).OnPage("选择夹", 2)};
constexpr std::array kPageInGroup = {GroupBox("分组框", "", kPlace), Button("组内页", "", kPlace).OnPage("分组框", 0)};

// Each kind of misdeclared window ends the program, and the report names the mistake.
TEST(MisdeclaredWindow, EndsTheProgramNamingTheMistake)
{
    const std::pair<std::span<const ControlDeclaration>, const char*> mistakes[] = {  // controls, what is named
        {kNameless, "没有名字"},  // NamelessControl
        {kTwins, "同名"},  // TwoControlsOfOneName
        {kLost, "不存在的分组框"},  // UndeclaredContainer
        {kInLabel, "标签"},  // ContainerThatIsNoGroupOrPageControl
        {kLoop, "甲组"},  // ContainersHoldingEachOther
        {kNoPage, "无页"},  // PageControlChildWithoutPage
        {kPastPages, "第三页"},  // PagePastThePageControlsPages
        {kPageInGroup, "组内页"},  // PageOutsideAPageControl
    };
    for (const auto& [controls, named] : mistakes) {
        const WindowDeclaration window{7, "", 100, 100, kNoColour, controls};
        const std::array<const WindowDeclaration*, 1> windows = {&window};
        DeclaredWindows declared;
        EXPECT_DEATH(declared.Replace(windows), std::string("窗口 7 .*") + named);
    }
}

constexpr std::array kControls = {
    PageControl("选择夹", kPages, kPlace),
    GroupBox("分组框", "", kPlace).OnPage("选择夹", 1),
    Button("按钮", "", kPlace).In("分组框"),
};
constexpr WindowDeclaration kWindow{7, "", 100, 100, kNoColour, kControls};

TEST(DeclaredWindows, ControlsAreFoundByNameWithTheirContainersAndDepths)
{
    const ControlIndex index(kWindow);
    EXPECT_EQ(index.Find("按钮"), 2);
    EXPECT_EQ(index.ContainerOf(2), 1);
    EXPECT_EQ(index.ContainerOf(0), -1);
    EXPECT_EQ(index.Depth(2), 2);
    EXPECT_DEATH(index.Find("没有这个控件"), "窗口 7 没有名为 没有这个控件 的控件");
}

TEST(DeclaredWindows, TwoDeclarationsOfOneWindowEndTheProgram)
{
    const std::array<const WindowDeclaration*, 2> twice = {&kWindow, &kWindow};
    DeclaredWindows declared;
    EXPECT_DEATH(declared.Replace(twice), "窗口 7 声明了两次");
    const std::array<const WindowDeclaration*, 1> missing = {nullptr};
    EXPECT_DEATH(declared.Replace(missing), "缺少");
}

}  // namespace
