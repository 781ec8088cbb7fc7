// The command runner through the headless window system with real /bin/sh commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "core/command_state.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/headless/driver.h"
#include "platform/window_system.h"

namespace {

namespace fs = std::filesystem;

constexpr ControlDeclaration kDesktopControls[] = {
    EditBox(kOutputBox, "", {0, 0, 600, 400}).MultiLine().Scrolled(),
};
constexpr WindowDeclaration kDesktop{DesktopWindow, "Pellucor", 640, 480, kNoColour, kDesktopControls};
const WindowDeclaration* const kWindows[] = {&kDesktop};

class Runner : public testing::Test {
protected:
    static void SetUpTestSuite() { InitialiseWindowSystem(kWindows); }

    void SetUp() override
    {
        headless::Reset();
        CreateCommandState();
        ASSERT_TRUE(OpenWindow(DesktopWindow, false));
        directory_ = fs::path(testing::TempDir()) /
                     (std::string("pellucor_runner_") + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory_);
        fs::create_directories(directory_);
    }

    void TearDown() override
    {
        headless::Reset();
        ReleaseCommandState();
        fs::remove_all(directory_);
    }

    // What the output box shows after running the command.
    static std::string Run(std::string_view command)
    {
        State().currentCommand = command;
        RunCurrentCommand();
        return GetText(DesktopWindow, kOutputBox);
    }

    // A file whose bytes `cat` writes in one piece, so that the pipe hands them over in reads of
    // exactly 1023 bytes and the chunk borders fall where the test puts them.
    std::string CatFileCommand(std::string_view name, std::string_view bytes) const
    {
        fs::path path = directory_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return "cat '" + path.string() + "'";
    }

    std::string PathOf(std::string_view name) const { return (directory_ / name).string(); }

    fs::path directory_;
};

// Output of that many bytes in short lines, which the box shows as they are, without breaking them.
std::string ShortLines(std::size_t bytes)
{
    std::string lines;
    while (lines.size() < bytes) {
        lines += "aaaaaaaa\r\n";
    }
    lines.resize(bytes);
    return lines;
}

// The exit code is the command's own, through the interpreter: the judge of a phone's answer
// trusts no text that came with a failing code.
TEST_F(Runner, WaitNoticeIsPaintedThenReplacedByTheOutputIfAnyAndTheRunCarriesTheExitCode)
{
    SetText(DesktopWindow, kOutputBox, "earlier output");
    EXPECT_EQ(Run(""), "");
    SetText(DesktopWindow, kOutputBox, "earlier output");
    EXPECT_EQ(Run("true"), "");
    EXPECT_EQ(Run("printf done"), "done");
    std::vector<headless::Painting> paintings = headless::Paintings();
    ASSERT_FALSE(paintings.empty());
    EXPECT_EQ(paintings.front().control, kOutputBox);
    EXPECT_EQ(paintings.front().text, "请等待运行");
    EXPECT_EQ(RunCommandLine("true").exitCode, 0u);
    EXPECT_EQ(RunCommandLine("echo Success; exit 3").exitCode, 3u);
}

// The reads of 1023 bytes fall where the test puts them: a zero byte ends what is shown of its own
// chunk only, and a character split between two reads is shown whole.
TEST_F(Runner, ChunkBordersNeitherSplitCharactersNorSpreadAZeroBytesCut)
{
    std::string firstChunk = ShortLines(1000) + '\0' + std::string(22, 'b');
    EXPECT_EQ(Run(CatFileCommand("zero", firstChunk + "cccccccccc")), ShortLines(1000) + "cccccccccc");
    EXPECT_EQ(Run(CatFileCommand("split", ShortLines(1022) + "中文")), ShortLines(1022) + "中文");
}

// The last write lands just before the process ends; it is lost only when it falls between an
// empty read and the exit check, so the run is repeated to give that moment its chances.
TEST_F(Runner, OutputWrittenJustBeforeTheEndIsShown)
{
    for (int i = 0; i < 40; ++i) {
        ASSERT_EQ(Run("sleep 0.001; echo last"), "last\r\n") << "run " << i;
    }
}

TEST_F(Runner, RunStartedDuringARunCompletesAndTheOuterRunGoesOn)
{
    std::string innerOutput;
    headless::Post([&] {
        State().currentCommand = "echo inner";
        RunCurrentCommand();
        innerOutput = GetText(DesktopWindow, kOutputBox);
    });
    std::string shown = Run("sleep 0.2; echo outer");
    EXPECT_EQ(innerOutput, "inner\r\n");
    EXPECT_EQ(shown, "inner\r\nouter\r\n");
}

TEST_F(Runner, BackgroundChildHoldingThePipeDoesNotHoldUpTheRun)
{
    std::string pid = Run("sleep 30 & echo $!");
    ASSERT_TRUE(pid.ends_with("\r\n")) << pid;
    pid.resize(pid.size() - 2);
    EXPECT_EQ(Run("kill " + pid + " && echo stopped"), "stopped\r\n");
}

TEST_F(Runner, QuittingDuringANeverEndingCommandEndsTheRunAndLaterOnes)
{
    std::string pidFile = PathOf("pid");
    headless::Post([&] {
        while (!fs::exists(pidFile)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        headless::CloseBox(DesktopWindow);
    });
    // The command outlives the run: the check at the end finds it still running.
    Run("echo $$ > '" + pidFile + ".tmp'; mv '" + pidFile + ".tmp' '" + pidFile + "'; exec sleep 30");
    EXPECT_TRUE(IsProgramEnding());

    Run("echo ran > '" + PathOf("later") + "'");
    ShowMessage("完成");
    EXPECT_FALSE(fs::exists(PathOf("later")));
    EXPECT_TRUE(headless::Messages().empty());

    std::ifstream pidStream(pidFile);
    std::string pid;
    pidStream >> pid;
    headless::Reset();
    ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    // Running or asleep: a command killed and left unreaped would still answer kill, as a zombie.
    EXPECT_EQ(Run("grep -q '^State:.[RS]' /proc/" + pid + "/status && kill " + pid + " && echo stopped"), "stopped\r\n");
}

}  // namespace
