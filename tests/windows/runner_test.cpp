// The command runner on Windows: cmd.exe output in the real output box, nested runs, quitting mid-run.
#include "platform/win32/windows_api.h"

#include <array>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/command_state.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/system.h"
#include "platform/win32/live_window.h"
#include "platform/window_system.h"
#include "support/fake_phone.h"

namespace {


std::string innerOutput;

// A click during a run starts a run of its own.
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
const std::array<const WindowDeclaration*, 1> kWindows{&kDesktop};

class RunnerEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        InitialisePlatform();
        CreateCommandState();
        InitialiseWindowSystem(kWindows);
        ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    }
};
[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new RunnerEnvironment);

std::string RunShown(std::string_view command)
{
    State().currentCommand = command;
    RunCurrentCommand();
    return GetText(DesktopWindow, kOutputBox);
}

TEST(Runner, InterpreterOutputReplacesTheNotice) { EXPECT_EQ(RunShown("echo hello"), "hello\r\n"); }

TEST(Runner, EmptyCommandLeavesTheBoxEmpty)
{
    SetText(DesktopWindow, kOutputBox, "earlier output");
    EXPECT_EQ(RunShown(""), "");
}

TEST(Runner, StandardErrorIsShownInWriteOrder)
{
    EXPECT_EQ(RunShown("echo one& echo two>&2& echo three"), "one\r\ntwo\r\nthree\r\n");
}

TEST(Runner, OutputOfManyReadsIsShownWholeAndInOrder)
{
    std::string expected;
    for (int i = 1; i <= 3000; ++i) {
        expected += std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(RunShown("for /L %i in (1,1,3000) do @echo %i"), expected);
}

TEST(Runner, UnknownCommandShowsTheInterpretersComplaint) { EXPECT_NE(RunShown("pellucor_no_such_command"), ""); }

TEST(Runner, AdbBesideTheProgramAnswers)
{
    FakePhone phone;
    EXPECT_EQ(RunShown("adb devices"), "List of devices attached\r\nFAKE0001\tdevice\r\n\r\n");
}

TEST(Runner, RunStartedByAClickDuringARunCompletesAndTheOuterRunGoesOn)
{
    FakePhone phone("device");
    phone.Set("FAKE_ADB_DELAY_MS", "300");
    PostMessageW(FindControl(DesktopWindow, "内部按钮")->handle, BM_CLICK, 0, 0);
    std::string shown = RunShown("adb get-state");
    EXPECT_EQ(innerOutput, "inner\r\n");
    EXPECT_EQ(shown, "inner\r\ndevice\r\n");
}

// Last: closing the only window ends the program for good.
TEST(RunnerWhenTheProgramEnds, QuittingDuringANeverEndingCommandEndsTheRunAndLaterOnes)
{
    // The hanging adb gives up soon after the test, so that nothing waits on it for long.
    FakePhone phone("hang");
    phone.Set("FAKE_ADB_HANG_MAX_S", "5");
    PostMessageW(FindOpenWindow(DesktopWindow)->handle, WM_CLOSE, 0, 0);
    RunShown("adb get-state");
    EXPECT_TRUE(IsProgramEnding());

    RunShown("echo ran> runner_test_later.tmp");
    EXPECT_FALSE(std::filesystem::exists("runner_test_later.tmp"));
    ShowMessage("完成");  // returns at once instead of waiting for a click
}

}  // namespace
