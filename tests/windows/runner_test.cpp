// The command runner on Windows: a click during a run starts a second captured run of cmd.exe
// while the first one's pipe is still open, through the real message loop.
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
const WindowDeclaration kDesktop{DesktopWindow, "Pellucor", 600, 400, kNoColour, kDesktopControls, nullptr};

TEST(Runner, RunStartedByAClickDuringARunCompletesAndTheOuterRunGoesOn)
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

}  // namespace
