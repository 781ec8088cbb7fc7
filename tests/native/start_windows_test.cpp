// The start window and the information windows at work: modal openings, Esc, inert controls, read-only boxes.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "core/window_names.h"
#include "platform/headless/driver.h"
#include "platform/window_system.h"
#include "ui/windows.h"

namespace {

constexpr int kEsc = 27;

// The windows these tests reach; the desktop window and its dialogs are tested with their own.
const std::array<const WindowDeclaration*, 8> kWindows = {
    &StartWindowDeclaration(),    &UpdateHistoryWindowDeclaration(), &FaqWindowDeclaration(),
    &CommunityWindowDeclaration(), &TutorialWindowDeclaration(),      &DonationWindowDeclaration(),
    &RunStatusWindowDeclaration(), &OperationLogWindowDeclaration(),
};

class StartWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::Reset();
        InitialiseWindowSystem(kWindows);
        // As at program start: the start window, opened without waiting.
        ASSERT_TRUE(OpenWindow(StartWindow, false));
    }
    void TearDown() override { headless::Reset(); }
};

// Each information window opens modally over a disabled start window (from a button, or from the
// donation label pressed); Esc or the close box closes only it.
TEST_F(StartWindows, InformationWindowsOpenModallyAndEscOrTheCloseBoxClosesOnlyThem)
{
    const std::tuple<std::string_view, bool, WindowId> openings[] = {  // control, pressed not clicked, window
        {"按钮教程", false, TutorialWindow}, {"按钮群号", false, CommunityWindow}, {"按钮解答", false, FaqWindow},
        {"按钮更新", false, UpdateHistoryWindow}, {"透明标签7", true, DonationWindow}};
    for (const auto& [control, pressed, opens] : openings) {
        SCOPED_TRACE(std::string(control));
        for (bool byEsc : {true, false}) {
            pressed ? headless::PressMouse(StartWindow, control) : headless::Click(StartWindow, control);
            EXPECT_EQ(headless::OpenWindows(), (std::vector<WindowId>{StartWindow, opens}));
            EXPECT_TRUE(headless::IsEnabled(opens));
            EXPECT_FALSE(headless::IsEnabled(StartWindow));
            byEsc ? headless::PressKey(opens, kEsc) : headless::CloseBox(opens);
            EXPECT_EQ(headless::OpenWindows(), std::vector<WindowId>{StartWindow});
            EXPECT_TRUE(headless::IsEnabled(StartWindow));
        }
    }
    EXPECT_FALSE(IsProgramEnding());
}

// The link buttons each open a different web page and no window; the help button opens the
// community window over the tutorial window, and the two close in turn.
TEST_F(StartWindows, TutorialWindowOpensLinksAndChainsTheCommunityWindow)
{
    headless::Click(StartWindow, "按钮教程");
    for (std::string_view button : {"按钮3", "按钮2", "按钮1"}) {
        headless::Click(TutorialWindow, button);
    }
    const std::vector<std::string> addresses = headless::OpenedAddresses();
    ASSERT_EQ(addresses.size(), 3u);
    EXPECT_EQ(std::set<std::string>(addresses.begin(), addresses.end()).size(), 3u);

    headless::Click(TutorialWindow, "按钮4");
    EXPECT_EQ(headless::OpenWindows(), (std::vector<WindowId>{StartWindow, TutorialWindow, CommunityWindow}));
    EXPECT_FALSE(headless::IsEnabled(StartWindow));
    EXPECT_FALSE(headless::IsEnabled(TutorialWindow));
    headless::CloseBox(CommunityWindow);
    EXPECT_TRUE(headless::IsEnabled(TutorialWindow));
    EXPECT_FALSE(headless::IsEnabled(StartWindow));
    headless::CloseBox(TutorialWindow);
    EXPECT_TRUE(headless::IsEnabled(StartWindow));
}

// Nothing new on screen and nothing started, opened or said.
TEST_F(StartWindows, BandPicturesAndPlainCaptionsIgnoreTheMouse)
{
    for (std::string_view control : {"分隔条1", "图片框1", "图片框3", "透明标签6", "透明标签1", "标签4"}) {
        headless::PressMouse(StartWindow, control);
    }
    EXPECT_EQ(headless::OpenWindows(), std::vector<WindowId>{StartWindow});
    EXPECT_TRUE(headless::Messages().empty());
    EXPECT_TRUE(headless::StartedPrograms().empty());
    EXPECT_TRUE(headless::OpenedAddresses().empty());
}

// The run-status window's box no longer holds its declared sentence once the window is created.
TEST_F(StartWindows, ReadOnlyBoxesTakeTheFocusButRefuseTyping)
{
    const std::pair<WindowId, std::string_view> boxes[] = {
        {UpdateHistoryWindow, "编辑框1"}, {FaqWindow, "编辑框1"}, {RunStatusWindow, "编辑框运行"}, {OperationLogWindow, "记录编辑框"}};
    for (const auto& [window, box] : boxes) {
        SCOPED_TRACE(std::string(box));
        ASSERT_TRUE(OpenWindow(window, true));
        const std::string before = GetText(window, box);
        EXPECT_EQ(before.find("请检查设备连接"), std::string::npos);
        headless::Focus(window, box);
        EXPECT_EQ(headless::FocusedControl(window), box);
        headless::Type(window, "typed");
        EXPECT_EQ(GetText(window, box), before);
        headless::CloseBox(window);
    }
}

}  // namespace
