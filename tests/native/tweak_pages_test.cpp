// The tweak pages' entry boxes take what the user types. (The read-only port box: the wireless rows
// of DeviceControl's table of switches type into it.)
#include <string>

#include "support/tweaks_fixture.h"

namespace {

using TweakPageTest = tweaks_test::TweaksTest;

TEST_F(TweakPageTest, TypedValuesStayInTheirBoxes)
{
    for (const char* box : {"亮屏时间框", "数字1", "最小编辑框", "IP地址编辑框", "编辑框7"}) {
        std::string before = GetText(DesktopWindow, box);
        headless::Focus(DesktopWindow, box);
        headless::Type(DesktopWindow, "9");
        EXPECT_EQ(GetText(DesktopWindow, box), before + "9") << box;
    }
}

}  // namespace
