// Tests of the headless window system: opening and closing, keys and focus, controls, queue, boxes.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/window_names.h"
#include "platform/headless/driver.h"
#include "platform/process.h"
#include "platform/window_system.h"

namespace {

// What the handlers below saw, in order.
std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

void LogKey(const EventArgs& args) { Log().push_back("key " + std::to_string(args.key)); }
void LogClicked(const EventArgs&) { Log().push_back("clicked"); }
void LogBoxGotFocus(const EventArgs&) { Log().push_back("got 输入框"); }
void LogBoxLostFocus(const EventArgs&) { Log().push_back("lost 输入框"); }
void LogButtonGotFocus(const EventArgs&) { Log().push_back("got 按钮1"); }
void LogCheckState(const EventArgs&) { Log().push_back(IsChecked(StartWindow, "勾选框") ? "checked" : "unchecked"); }
void OpenTutorialModally(const EventArgs&)
{
    OpenWindow(TutorialWindow, true);
    Log().push_back("tutorial returned");
}
void CloseStartLaterAndLook(const EventArgs&)
{
    CloseWindowLater(StartWindow);
    Log().push_back(headless::IsOpen(StartWindow) ? "still open" : "gone");
}
void CloseStartLaterAndReopen(const EventArgs&)
{
    CloseWindowLater(StartWindow);
    OpenWindow(StartWindow, false);
}
void WelcomeInDesktop(const EventArgs&)
{
    CloseWindowLater(StartWindow);
    SetText(DesktopWindow, "回显编辑框", "welcome");
}
void LetEventsThroughThenWrite(const EventArgs&)
{
    ProcessPendingEvents();
    SetText(StartWindow, "输入框", "after");
    Log().push_back("handler survived");
}
void SayDone(const EventArgs&) { ShowMessage("完成"); }
void WriteWrongName(const EventArgs&) { SetText(StartWindow, "没有这个控件", "x"); }

constexpr std::array<std::string_view, 2> kPages = {"主菜单", "华为"};

constexpr std::array kStartControls = {
    Button("按钮1", "打开教程", {0, 0, 80, 30}).On(Event::Clicked, OpenTutorialModally).On(Event::GotFocus, LogButtonGotFocus),
    EditBox("命令框", "", {0, 40, 80, 30}).SkipsTab(),
    EditBox("输入框", "初始", {0, 80, 80, 30})
        .Colours(0xC0C0C0)
        .On(Event::KeyDown, LogKey)
        .On(Event::GotFocus, LogBoxGotFocus)
        .On(Event::LostFocus, LogBoxLostFocus),
    CheckBox("勾选框", "华为", {0, 120, 80, 30}).On(Event::Clicked, LogCheckState),
    Label("标签", "说明", {0, 160, 80, 30}),
    PageControl("选项卡", kPages, {100, 0, 400, 300}),
    Button("页一按钮", "一", {10, 40, 80, 30}).OnPage("选项卡", 0),
    Button("页二按钮", "二", {10, 40, 80, 30}).OnPage("选项卡", 1),
    GroupBox("分组框1", "", {10, 80, 200, 100}).OnPage("选项卡", 1),
    EditBox("组内框", "", {5, 5, 80, 30}).In("分组框1"),
    EditBox("只读框", "只读", {0, 200, 80, 30}).ReadOnly(),
    Button("稍后关闭", "关", {0, 240, 80, 30}).On(Event::Clicked, CloseStartLaterAndLook),
    Button("关而又开", "开", {0, 280, 80, 30}).On(Event::Clicked, CloseStartLaterAndReopen),
    Button("运行", "跑", {0, 320, 80, 30}).On(Event::Clicked, LetEventsThroughThenWrite),
    Button("完成", "完", {0, 360, 80, 30}).On(Event::Clicked, SayDone),
    Button("错名", "错", {0, 400, 80, 30}).On(Event::Clicked, WriteWrongName),
    Button("计数", "数", {0, 440, 80, 30}).On(Event::Clicked, LogClicked),
};
constexpr WindowDeclaration kStart{StartWindow, "开始", 600, 500, 0xFFFFFF, kStartControls};

constexpr std::array kDesktopControls = {
    EditBox("回显编辑框", "", {0, 0, 300, 200}).MultiLine().ReadOnly(),
};
constexpr WindowDeclaration kDesktop{DesktopWindow, "桌面", 600, 500, 0xFFFFFF, kDesktopControls, WelcomeInDesktop};

constexpr std::array kTutorialControls = {
    Label("说明", "连接教程", {0, 0, 80, 30}),
};
constexpr WindowDeclaration kTutorial{TutorialWindow, "连接教程", 600, 500, 0xFFFFFF, kTutorialControls};

constexpr std::array<const WindowDeclaration*, 3> kWindows = {&kStart, &kDesktop, &kTutorial};

class HeadlessWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::Reset();
        InitialiseWindowSystem(kWindows);
        Log().clear();
    }
    void TearDown() override { headless::Reset(); }
};

// The start window beside the desktop window, so that closing the start window ends nothing.
void OpenStartBesideDesktop()
{
    OpenWindow(StartWindow, false);
    OpenWindow(DesktopWindow, false);
    ProcessPendingEvents();
    OpenWindow(StartWindow, false);
}

using Opening = HeadlessWindows;

TEST_F(Opening, OpenWindowBuildsAWindowOnceRunsItsCreatedHandlerAndRefusesAnUndeclaredOne)
{
    EXPECT_FALSE(OpenWindow(FaqWindow, false));
    EXPECT_TRUE(headless::OpenWindows().empty());
    EXPECT_FALSE(IsProgramEnding());

    ASSERT_TRUE(OpenWindow(StartWindow, false));
    SetText(StartWindow, "输入框", "typed");
    EXPECT_TRUE(OpenWindow(StartWindow, false));
    EXPECT_EQ(GetText(StartWindow, "输入框"), "typed") << "built again";
    EXPECT_EQ(headless::OpenWindows(), std::vector<WindowId>{StartWindow});
    EXPECT_EQ(headless::WindowTitle(StartWindow), "开始");

    // The desktop's Created handler runs before OpenWindow returns; the close it asks for waits.
    OpenWindow(DesktopWindow, false);
    EXPECT_EQ(GetText(DesktopWindow, "回显编辑框"), "welcome");
    EXPECT_TRUE(headless::IsOpen(StartWindow)) << "closed before the handler returned";
    ProcessPendingEvents();
    EXPECT_EQ(headless::OpenWindows(), std::vector<WindowId>{DesktopWindow});
    EXPECT_FALSE(IsProgramEnding());
}

// Input queued behind the modal window's close reaches the opener only after its handler has
// returned from the modal open.
TEST_F(Opening, ModalOpenDisablesTheOthersAndReturnsOnlyOnceTheWindowHasClosed)
{
    OpenWindow(StartWindow, false);
    headless::Post([] {
        const bool modal = !headless::IsEnabled(StartWindow) && headless::IsEnabled(TutorialWindow);
        Log().push_back(modal ? "closing" : "not modal");
        headless::CloseBox(TutorialWindow);
    });
    headless::Post([] { headless::Click(StartWindow, "计数"); });
    headless::Click(StartWindow, "按钮1");
    EXPECT_EQ(Log(), (std::vector<std::string>{"got 按钮1", "closing", "tutorial returned", "clicked"}));
    EXPECT_TRUE(headless::IsEnabled(StartWindow));
}

using Closing = HeadlessWindows;

// The close goes before input posted earlier: a click must not reach a window being closed. A
// handler whose window the user closes while it lets events through goes on to its end.
TEST_F(Closing, CloseWindowLaterWaitsForTheHandlerAndGoesBeforeEarlierInputAndTheHandlerOutlivesItsWindow)
{
    OpenStartBesideDesktop();
    headless::Post([] { headless::Click(StartWindow, "计数"); });
    headless::Click(StartWindow, "稍后关闭");
    EXPECT_EQ(Log(), std::vector<std::string>{"still open"});
    EXPECT_FALSE(headless::IsOpen(StartWindow));

    OpenWindow(StartWindow, false);
    headless::Post([] { headless::CloseBox(StartWindow); });
    headless::Click(StartWindow, "运行");
    EXPECT_EQ(Log(), (std::vector<std::string>{"still open", "handler survived"}));
    EXPECT_FALSE(headless::IsOpen(StartWindow));
    EXPECT_TRUE(headless::IsOpen(DesktopWindow));
}

TEST_F(Closing, WindowReopenedWhileBeingClosedSurvivesTheOldClose)
{
    OpenWindow(StartWindow, false);
    SetText(StartWindow, "输入框", "old");
    headless::Click(StartWindow, "关而又开");
    EXPECT_EQ(headless::OpenWindows(), std::vector<WindowId>{StartWindow});
    EXPECT_EQ(GetText(StartWindow, "输入框"), "初始");
    EXPECT_FALSE(IsProgramEnding());
}

// Posted input waits for the loop; once the last window has closed, nothing posted runs any more.
TEST_F(Closing, LastWindowClosingEndsTheProgramAndStopsFurtherEvents)
{
    OpenWindow(StartWindow, false);
    headless::Post([] { Log().push_back("first"); });
    headless::Post([] { headless::CloseBox(StartWindow); });
    headless::Post([] { Log().push_back("ran after the end"); });
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_TRUE(IsProgramEnding());
    EXPECT_EQ(Log(), std::vector<std::string>{"first"});
    ShowMessage("完成");
    EXPECT_TRUE(headless::Messages().empty());
    EXPECT_FALSE(OpenWindow(DesktopWindow, false));
}

TEST_F(Closing, ClosedWindowOfTwoEndsNothingReadsNothingAndReopensAfresh)
{
    OpenStartBesideDesktop();
    SetText(StartWindow, "输入框", "typed");
    SetTextColour(StartWindow, "输入框", 0);
    headless::Click(StartWindow, "勾选框");
    headless::Focus(StartWindow, "输入框");
    headless::CloseBox(StartWindow);
    EXPECT_FALSE(IsProgramEnding());
    EXPECT_EQ(headless::OpenWindows(), std::vector<WindowId>{DesktopWindow});
    SetText(StartWindow, "输入框", "ignored");
    SetChecked(StartWindow, "勾选框", true);
    EXPECT_EQ(GetText(StartWindow, "输入框"), "");
    EXPECT_FALSE(IsChecked(StartWindow, "勾选框"));

    OpenWindow(StartWindow, false);
    EXPECT_EQ(GetText(StartWindow, "输入框"), "初始");
    EXPECT_EQ(headless::TextColour(StartWindow, "输入框"), 0xC0C0C0u);
    EXPECT_FALSE(IsChecked(StartWindow, "勾选框"));
    EXPECT_EQ(headless::FocusedControl(StartWindow), "");
    EXPECT_EQ(headless::VisiblePage(StartWindow, "选项卡"), 0);
}

using Keys = HeadlessWindows;

// Typing goes only into a writable focused box; AppendText adds at the end of a one-line box too.
// Enter and a modified Esc do nothing at the window's level; a plain Esc closes the window after
// the focused box has seen the key.
TEST_F(Keys, TypingGoesOnlyIntoAWritableFocusedBoxAndOnlyAPlainEscClosesTheWindow)
{
    OpenWindow(StartWindow, false);
    headless::Type(StartWindow, "nowhere");
    headless::Focus(StartWindow, "只读框");
    headless::Type(StartWindow, "refused");
    headless::Focus(StartWindow, "输入框");
    headless::Type(StartWindow, "文字");
    EXPECT_EQ(GetText(StartWindow, "输入框"), "初始文字");
    EXPECT_EQ(GetText(StartWindow, "只读框"), "只读");
    AppendText(StartWindow, "输入框", "\r\nb");
    EXPECT_EQ(GetText(StartWindow, "输入框"), "初始文字\r\nb");

    headless::PressKey(StartWindow, 13);
    EXPECT_EQ(Log().back(), "key 13");
    EXPECT_EQ(headless::FocusedControl(StartWindow), "输入框");
    for (int modifier : {ModifierControl, ModifierShift, ModifierAlt}) {
        headless::PressKey(StartWindow, 27, modifier);
        EXPECT_TRUE(headless::IsOpen(StartWindow)) << "modifier " << modifier;
    }
    headless::PressKey(StartWindow, 27);
    EXPECT_EQ(Log().back(), "key 27");
    EXPECT_FALSE(headless::IsOpen(StartWindow));
    EXPECT_TRUE(IsProgramEnding());
}

std::vector<std::string> TabWalk(int modifiers, int presses)
{
    std::vector<std::string> visited;
    for (int i = 0; i < presses; ++i) {
        headless::PressKey(StartWindow, 9, modifiers);
        visited.push_back(headless::FocusedControl(StartWindow));
    }
    return visited;
}

// Tab skips what is no stop and what lies on a hidden page, and wraps; the control left raises
// LostFocus before the next one gets the focus.
TEST_F(Keys, TabWalksTheVisibleStopsBothWays)
{
    OpenWindow(StartWindow, false);
    const std::vector<std::string> cycle = {"按钮1", "输入框", "勾选框", "页一按钮", "只读框", "稍后关闭",
                                            "关而又开", "运行", "完成", "错名", "计数", "按钮1"};
    EXPECT_EQ(TabWalk(0, static_cast<int>(cycle.size())), cycle);

    headless::Focus(StartWindow, "输入框");
    Log().clear();
    headless::PressKey(StartWindow, 9);
    EXPECT_EQ(Log(), (std::vector<std::string>{"key 9", "lost 输入框"}));
    EXPECT_EQ(TabWalk(ModifierShift, 3), (std::vector<std::string>{"输入框", "按钮1", "计数"}));
}

using Controls = HeadlessWindows;

// A check box has toggled before its Clicked handler runs, and SetChecked raises no event; a click
// takes the focus from the edit box first.
TEST_F(Controls, CheckBoxTogglesBeforeItsHandlerAndAClickTakesTheFocusFirst)
{
    OpenWindow(StartWindow, false);
    SetChecked(StartWindow, "勾选框", true);
    EXPECT_TRUE(Log().empty());
    headless::Focus(StartWindow, "输入框");
    headless::Click(StartWindow, "勾选框");
    headless::Click(StartWindow, "勾选框");
    EXPECT_EQ(Log(), (std::vector<std::string>{"got 输入框", "lost 输入框", "unchecked", "checked"}));
}

TEST_F(Controls, DisabledWindowIgnoresUserInput)
{
    OpenWindow(StartWindow, false);
    headless::Click(StartWindow, "按钮1");
    Log().clear();
    headless::Click(StartWindow, "计数");
    headless::Focus(StartWindow, "输入框");
    headless::PressKey(StartWindow, 27);
    headless::CloseBox(StartWindow);
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(headless::IsOpen(StartWindow));
}

using ControlsDeathTest = HeadlessWindows;

TEST_F(ControlsDeathTest, HandlerUsingAnUndeclaredNameFailsLoudly)
{
    OpenWindow(StartWindow, false);
    EXPECT_DEATH(headless::Click(StartWindow, "错名"), "没有这个控件");
    EXPECT_DEATH(GetText(StartWindow, "回显编辑框"), "回显编辑框");
}

using MessageBoxes = HeadlessWindows;

TEST_F(MessageBoxes, ResponderAnswersWhileEveryWindowIsDisabled)
{
    OpenWindow(StartWindow, false);
    std::vector<bool> enabledDuringBox;
    headless::SetMessageResponder([&](std::string_view text) {
        enabledDuringBox.push_back(headless::IsEnabled(StartWindow));
        headless::Click(StartWindow, "计数");
        Log().push_back(std::string(text));
    });
    headless::Click(StartWindow, "完成");
    EXPECT_EQ(enabledDuringBox, std::vector<bool>{false});
    EXPECT_EQ(Log(), std::vector<std::string>{"完成"}) << "a click got through the box";
    EXPECT_TRUE(headless::IsEnabled(StartWindow));
    EXPECT_EQ(headless::Messages(), std::vector<std::string>{"完成"});
}

}  // namespace
