// The Win32 message loop, one program run in order: a click during a captured run of cmd.exe starts
// a second run while the first one's pipe is still open, and Esc in the last window ends the program
// and the loop.
#include "platform/win32/windows_api.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

#include "core/command_state.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/win32/live_window.h"
#include "platform/window_system.h"
#include "support/fake_phone.h"
#include "support/program_start.h"

namespace {

std::string innerOutput;

void RunInner(const EventArgs&)
{
    State().currentCommand = "echo inner";
    RunCurrentCommand();
    innerOutput = GetText(DesktopWindow, kOutputBox);
}

const ControlDeclaration kDesktopControls[] = {
    EditBox(kOutputBox, "", {8, 8, 560, 300}).MultiLine().Scrolled(),
    Button("内部按钮", "内部", {8, 320, 80, 30}).On(Event::Clicked, RunInner),
};
const WindowDeclaration kDesktop{DesktopWindow, "唯一窗口", 600, 400, kNoColour, kDesktopControls, nullptr};

bool QuitIsQueued()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

TEST(MessageLoop, RunStartedByAClickDuringARunCompletesAndTheOuterRunGoesOn)
{
    StartWithWindows(std::array<const WindowDeclaration*, 1>{&kDesktop});
    ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    FakePhone phone("device");
    phone.Set("FAKE_ADB_DELAY_MS", "300");
    PostMessageW(FindControl(DesktopWindow, "内部按钮")->handle, BM_CLICK, 0, 0);
    State().currentCommand = "adb get-state";
    RunCurrentCommand();
    EXPECT_EQ(innerOutput, "inner\r\n");
    EXPECT_EQ(GetText(DesktopWindow, kOutputBox), "inner\r\ndevice\r\n");
}

// Last: the program can end only once per process.
TEST(MessageLoop, EscInTheLastWindowEndsTheProgramAndTheLoop)
{
    HWND window = FindWindowW(L"PellucorWindow", L"唯一窗口");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsProgramEnding());
    PostMessageW(FindControl(DesktopWindow, kOutputBox)->handle, WM_KEYDOWN, VK_ESCAPE, 1);
    ProcessPendingEvents();

    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsProgramEnding());
    EXPECT_TRUE(QuitIsQueued());
    // Nothing new opens once the program is ending, and the quit stays for the outer loop.
    EXPECT_FALSE(OpenWindow(DesktopWindow, false));
    ShowMessage("不会显示");
    ProcessPendingEvents();
    EXPECT_TRUE(QuitIsQueued());
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(QuitIsQueued());
}

}  // namespace
