// Captured runs through /bin/sh: one pipe for both streams, no input, PATH, inheritance, lifetime.
#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "platform/process.h"
#include "platform/system.h"
#include "support/captured_output.h"

namespace {

std::string Lines(int first, int last)
{
    std::string lines;
    for (int i = first; i <= last; ++i) {
        lines += std::to_string(i) + "\n";
    }
    return lines;
}

TEST(CapturedRunOutput, SmallReadsHandOutEveryByteInOrder)
{
    EXPECT_EQ(RunToEnd("seq 1 3000", 7), Lines(1, 3000));
    EXPECT_EQ(RunToEnd("printf 'a\\0b\\0'"), std::string("a\0b\0", 4));
}

// Standard input is empty, the program's directory comes first on the search path, and a child of
// the shell holds the pipe only on standard output and standard error: no third descriptor of that
// same pipe (the parent's read end) in `ls -l /proc/self/fd`.
TEST(CapturedRunEnvironment, ChildHasNoInputTheProgramsFolderFirstAndOnlyTheWriteEndOfThePipe)
{
    EXPECT_EQ(RunToEnd("cat; echo after cat; readlink /proc/self/fd/0"), "after cat\n/dev/null\n");

    std::string path = RunToEnd("printf '%s' \"$PATH\"");
    EXPECT_TRUE(path.starts_with(ProgramDirectory() + ":")) << path;
    EXPECT_GT(path.size(), ProgramDirectory().size() + 1) << "the inherited search path is kept behind it";

    std::istringstream listing(RunToEnd("ls -l /proc/self/fd"));
    std::map<std::string, int> descriptorsPerPipe;
    std::string standardOutputPipe;
    for (std::string line; std::getline(listing, line);) {
        std::size_t arrow = line.find(" -> ");
        if (arrow == std::string::npos) {
            continue;
        }
        std::string target = line.substr(arrow + 4);
        ++descriptorsPerPipe[target];
        if (line.substr(0, arrow).ends_with(" 1")) {
            standardOutputPipe = target;
        }
    }
    ASSERT_TRUE(standardOutputPipe.starts_with("pipe:")) << standardOutputPipe;
    EXPECT_EQ(descriptorsPerPipe[standardOutputPipe], 2);
}

// Nothing to read yet reads as empty without blocking; the end is seen without reading the output,
// which is still there to read afterwards.
TEST(CapturedRunLifetime, EmptyReadsDoNotBlockAndTheEndIsSeenWithoutReading)
{
    auto run = CapturedRun::Start("sleep 0.5; echo unread");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->ReadAvailable(kRunnerChunkBytes), "");
    EXPECT_EQ(run->ReadAvailable(0), "");
    EXPECT_FALSE(run->HasExited());
    while (!run->HasExited()) {
        run->WaitForActivity(10);
    }
    EXPECT_EQ(run->ReadAvailable(kRunnerChunkBytes), "unread\n");
}

// A shell given up on while it ran is reaped once it has ended, at the latest when the program
// exits: the process that adopts the program's orphans (here a subreaper standing in for init)
// must be handed no zombie.
using CapturedRunLifetimeDeathTest = ::testing::Test;

TEST_F(CapturedRunLifetimeDeathTest, AbandonedShellThatHasEndedIsReapedAtExit)
{
    EXPECT_EXIT(
        {
            prctl(PR_SET_CHILD_SUBREAPER, 1);
            pid_t program = fork();
            if (program == 0) {
                CapturedRun::Start("sleep 0.1").reset();
                usleep(500 * 1000);
                std::exit(0);
            }
            waitpid(program, nullptr, 0);
            siginfo_t zombie{};
            waitid(P_ALL, 0, &zombie, WEXITED | WNOHANG);
            std::_Exit(zombie.si_pid == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
