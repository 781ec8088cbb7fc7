// The 小米, 功能, 动画, 瘦身 and ROOT pages: where their controls stand, what the boxes start with, and
// that nothing stands behind a group it should be in front of.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/tweaks_fixture.h"

namespace {

using tweaks_test::TweaksTest;

struct PageModule {
    DesktopPage page;
    std::span<const ControlDeclaration> (*controls)();
};

const PageModule kModules[] = {{XiaomiPage, XiaomiPageControls},       {FunctionPage, FunctionPageControls},
                               {AnimationPage, AnimationPageControls}, {SlimmingPage, SlimmingPageControls},
                               {RootPage, RootPageControls}};

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

TEST(TweakPageDeclarationTest, EveryControlLiesOnItsOwnPageThroughGroupsOfTheSameModule)
{
    std::set<std::string_view> names;
    for (const PageModule& module : kModules) {
        std::map<std::string_view, const ControlDeclaration*> groups;
        for (const ControlDeclaration& control : module.controls()) {
            EXPECT_TRUE(names.insert(control.name).second) << "declared twice: " << control.name;
            if (control.kind == ControlKind::GroupBox) {
                groups[control.name] = &control;
            }
        }
        for (const ControlDeclaration& control : module.controls()) {
            if (control.container == kDesktopTabs) {
                EXPECT_EQ(control.page, module.page) << control.name;
            } else {
                EXPECT_TRUE(groups.contains(control.container)) << control.name << " in " << control.container;
                EXPECT_EQ(control.page, -1) << control.name;
            }
        }
    }
}

// The window system stacks controls in declaration order, front-most first.
TEST(TweakPageDeclarationTest, NoControlIsDeclaredBehindTheGroupThatHoldsOrCoversIt)
{
    for (const PageModule& module : kModules) {
        auto controls = module.controls();
        for (std::size_t group = 0; group < controls.size(); ++group) {
            if (controls[group].kind != ControlKind::GroupBox) {
                continue;
            }
            for (std::size_t later = group + 1; later < controls.size(); ++later) {
                bool inside = controls[later].container == controls[group].name;
                bool covered = controls[later].container == controls[group].container &&
                               controls[later].kind != ControlKind::GroupBox &&
                               Overlap(controls[later].rect, controls[group].rect);
                EXPECT_FALSE(inside || covered) << controls[later].name << " behind " << controls[group].name;
            }
        }
    }
}

class TweakPageTest : public TweaksTest {};

TEST_F(TweakPageTest, BoxesStartWithTheirDeclaredValues)
{
    EXPECT_EQ(GetText(DesktopWindow, "亮屏时间框"), "15");
    EXPECT_EQ(GetText(DesktopWindow, "数字1"), "1.5");
    EXPECT_EQ(GetText(DesktopWindow, "数字2"), "1.34");
    EXPECT_EQ(GetText(DesktopWindow, "数字3"), "1.17");
    EXPECT_EQ(GetText(DesktopWindow, "版本编辑框"), "");
    EXPECT_EQ(GetText(DesktopWindow, "最小编辑框"), "");
    EXPECT_EQ(GetText(DesktopWindow, "最大编辑框"), "");
    EXPECT_EQ(GetText(DesktopWindow, "IP地址编辑框"), "如：192.168.13.12");
    EXPECT_EQ(GetText(DesktopWindow, "端口编辑框"), "5555");
    for (const char* box : {"选择框1", "选择框2", "选择框3", "选择框4", "选择框5", "选择框6", "选择框7"}) {
        EXPECT_FALSE(IsChecked(DesktopWindow, box)) << box;
    }
}

TEST_F(TweakPageTest, TypedValuesStayInTheirBoxesButThePortDoesNot)
{
    for (const char* box : {"亮屏时间框", "数字1", "最小编辑框", "IP地址编辑框", "编辑框7", "端口编辑框"}) {
        std::string before = GetText(DesktopWindow, box);
        headless::Focus(DesktopWindow, box);
        headless::Type(DesktopWindow, "9");
        EXPECT_EQ(GetText(DesktopWindow, box), std::string(box) == "端口编辑框" ? before : before + "9") << box;
    }
}

TEST_F(TweakPageTest, RootPageOnlyAnnouncesItself)
{
    auto controls = RootPageControls();
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(GetText(DesktopWindow, "标签1"), "开始建设，敬请期待");
}

}  // namespace
