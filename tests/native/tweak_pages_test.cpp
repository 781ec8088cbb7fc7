// The 小米, 功能, 动画, 瘦身 and ROOT pages: what their boxes start with and what typing does to them.
#include <string>
#include <vector>

#include "support/tweaks_fixture.h"

namespace {

using tweaks_test::TweaksTest;

class TweakPageTest : public TweaksTest {};

TEST_F(TweakPageTest, BoxesStartWithTheirDeclaredValues)
{
    const struct {
        const char* box;
        const char* text;
    } boxes[] = {{"亮屏时间框", "15"}, {"数字1", "1.5"},        {"数字2", "1.34"},      {"数字3", "1.17"},
                 {"版本编辑框", ""},   {"最小编辑框", ""},      {"最大编辑框", ""},     {"端口编辑框", "5555"},
                 {"IP地址编辑框", "如：192.168.13.12"},        {"标签1", "开始建设，敬请期待"}};
    for (const auto& row : boxes) {
        EXPECT_EQ(GetText(DesktopWindow, row.box), row.text) << row.box;
    }
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

}  // namespace
