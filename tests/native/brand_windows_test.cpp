// The peak-performance window's brand gates and boxes, the opening of both brand-page windows,
// and every package button of the two brand pages as declared.
#include <functional>
#include <span>
#include <tuple>
#include <utility>
#include <set>
#include <string>
#include <vector>

#include "support/catalogue_fixture.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kDisable = "adb shell pm disable-user ";
const std::string kEnable = "adb shell pm enable ";

bool Checked(std::string_view box) { return IsChecked(PeakPerformanceWindow, box); }

class PeakWindow : public CatalogueTest {
protected:
    void SetUp() override
    {
        CatalogueTest::SetUp();
        ASSERT_TRUE(OpenWindow(PeakPerformanceWindow, false));
    }
    static void Click(std::string_view control) { headless::Click(PeakPerformanceWindow, control); }
};

// Each button with Huawei ticked as the window opens, then Honor alone, then neither, then Huawei
// alone, then neither: the brand boxes never end both ticked.
TEST_F(PeakWindow, ButtonsRunTheTickedBrandsStepOnlyAndAlwaysShowTheMessage)
{
    const std::tuple<const char*, std::string, const char*, const char*> buttons[] = {  // button, verb, service, message
        {"后台禁", kDisable, "background", "立即生效"}, {"后台解", kEnable, "background", "重启（后使用一段时间）生效"},
        {"功耗禁", kDisable, "power", "立即生效"},      {"功耗解", kEnable, "power", "重启（后使用一段时间）生效"},
        {"显示禁", kDisable, "display", "立即生效"},    {"显示解", kEnable, "display", "重启（后使用一段时间）生效"}};
    for (const auto& [button, verb, service, message] : buttons) {
        SCOPED_TRACE(button);
        headless::Reset();
        phone_.ClearCommands();
        ASSERT_TRUE(OpenWindow(PeakPerformanceWindow, false));
        Click(button);
        for (const char* box : {"选择框荣耀", "选择框荣耀", "选择框华为", "选择框华为"}) {
            Click(box);
            Click(button);
        }
        const std::string huawei = verb + "huawei.peak." + service;
        EXPECT_EQ(Commands(), (Lines{huawei, verb + "honor.peak." + service, huawei}));
        EXPECT_EQ(Messages(), Lines(5, message));
    }
}

// The Honor box is read after the Huawei step has run: ticking it meanwhile adds the Honor step,
// and clearing Huawei meanwhile (Honor unticked) leaves it out.
TEST_F(PeakWindow, HonorBoxIsReadOnlyOnceTheHuaweiStepHasRun)
{
    headless::Post([] { Click("选择框荣耀"); });
    Click("后台禁");
    EXPECT_EQ(Commands(), (Lines{kDisable + "huawei.peak.background", kDisable + "honor.peak.background"}));
    Click("选择框荣耀");
    Click("选择框华为");
    phone_.ClearCommands();
    headless::Post([] { Click("选择框华为"); });
    Click("显示解");
    EXPECT_EQ(Commands(), Lines{kEnable + "huawei.peak.display"});
}

using WindowOpening = CatalogueTest;

// Clicks the desktop window's button, whose window opens modally; `inside` runs in that window.
void OpenModallyAndRun(std::string_view button, WindowId window, std::function<void()> inside)
{
    headless::Post([window, inside] {
        inside();
        headless::CloseBox(window);
    });
    headless::Click(DesktopWindow, button);
}

// Each window opens afresh from either page, the peak window with Huawei ticked and the selection
// window with nothing ticked, and its actions run from inside it.
TEST_F(WindowOpening, ModalWindowsOpenAfreshFromEitherPageAndRunTheirActions)
{
    std::vector<std::pair<bool, bool>> peak;
    auto lookAndChange = [&] {
        peak.emplace_back(Checked("选择框华为"), Checked("选择框荣耀"));
        headless::Click(PeakPerformanceWindow, "选择框荣耀");
    };
    OpenModallyAndRun("按钮77", PeakPerformanceWindow, lookAndChange);
    OpenModallyAndRun("按钮6", PeakPerformanceWindow, lookAndChange);
    EXPECT_EQ(peak, (std::vector<std::pair<bool, bool>>{{true, false}, {true, false}}));
    EXPECT_FALSE(headless::IsOpen(PeakPerformanceWindow));

    std::vector<int> tickedWhenOpened;
    auto countAndTick = [&] {
        int ticked = 0;
        for (int i = 1; i <= 18; ++i) {
            std::string box = "选择框" + std::to_string(i);
            ticked += IsChecked(RedundantSelectionWindow, box) ? 1 : 0;
            headless::Click(RedundantSelectionWindow, box);
        }
        tickedWhenOpened.push_back(ticked);
    };
    OpenModallyAndRun("荣耀冗余自选", RedundantSelectionWindow, countAndTick);
    OpenModallyAndRun("冗余选", RedundantSelectionWindow, countAndTick);
    EXPECT_EQ(tickedWhenOpened, (std::vector<int>{0, 0}));

    OpenModallyAndRun("按钮77", PeakPerformanceWindow, [] { headless::Click(PeakPerformanceWindow, "功耗禁"); });
    EXPECT_EQ(Commands(), Lines{kDisable + "huawei.peak.power"});
    EXPECT_EQ(Messages(), Lines{"立即生效"});
}

// Buttons of the pages that run something other than package actions: windows, companion
// scripts and notices.
const std::set<std::string_view> kOtherButtons = {
    "按钮6", "冗余选", "谷歌禁", "谷歌解", "阅读卸", "阅读装", "华为引导", "华为还原",
    "按钮77", "荣耀冗余自选", "荣耀谷歌卸", "荣耀谷歌解", "按钮111", "按钮110", "按钮169", "按钮168"};

// Walks each page as declared, so a button bound to the other page's handler, to a row the tables
// lack or to nothing at all shows up here.
TEST_F(WindowOpening, EveryPackageButtonRunsPackageCommandsOfItsOwnSectionOnlyAndShowsAMessage)
{
    const std::pair<std::span<const ControlDeclaration> (*)(), std::string> pages[] = {  // controls, own prefix
        {HuaweiPageControls, "huawei."}, {HonorPageControls, "honor."}};
    for (const auto& [controls, ownPrefix] : pages) {
        int packageButtons = 0;
        for (const ControlDeclaration& control : controls()) {
            if (control.kind != ControlKind::Button || kOtherButtons.contains(control.name)) {
                continue;
            }
            ++packageButtons;
            phone_.ClearCommands();
            headless::Reset();
            ASSERT_TRUE(OpenWindow(DesktopWindow, false));
            headless::Click(DesktopWindow, control.name);
            Lines commands = Commands();
            EXPECT_FALSE(commands.empty()) << control.name;
            for (const auto& command : commands) {
                EXPECT_TRUE(command.starts_with("adb shell pm ")) << control.name << ": " << command;
                EXPECT_NE(command.find(" " + ownPrefix), std::string::npos) << control.name << ": " << command;
            }
            EXPECT_EQ(Messages().size(), 1u) << control.name;
        }
        EXPECT_EQ(packageButtons, 2 * 36 + 2 + 2 + 1) << ownPrefix;  // app rows, system update, 5G, one-click removal
    }
}

}  // namespace
