// Uncaptured starts on Linux: hidden and detached, waiting, paths with blanks, the fallback without a display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <unistd.h>

#include "platform/posix/launch.h"
#include "platform/posix/spawn.h"
#include "platform/process.h"

namespace {

namespace fs = std::filesystem;

class Launch : public testing::Test {
protected:
    void SetUp() override
    {
        directory_ = fs::path(testing::TempDir()) /
                     (std::string("pellucor_launch_") + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory_);
        fs::create_directories(directory_);
    }
    void TearDown() override { fs::remove_all(directory_); }

    std::string PathOf(std::string_view name) const { return (directory_ / name).string(); }

    static std::string Contents(const std::string& path)
    {
        std::ifstream file(path);
        std::stringstream contents;
        contents << file.rdbuf();
        return contents.str();
    }

    // A start that is waited for to its end, as RunProgram waits.
    static bool RunToEnd(std::string_view commandLine, int showState)
    {
        pid_t child = StartProcess(commandLine, showState);
        if (child == -1) {
            return false;
        }
        WaitForChild(child);
        return true;
    }

    fs::path directory_;
};

// A waited hidden start returns after the end and gives the command no streams; a quoted path
// with blanks, shown normally where there is no display, runs hidden.
TEST_F(Launch, WaitedStartsGiveNoStreamsAndTakeQuotedPathsWithBlanksAlsoWithoutADisplay)
{
    ASSERT_TRUE(RunToEnd("sleep 0.2; readlink /proc/self/fd/0 /proc/self/fd/2 > '" + PathOf("out") + "'", ShowHidden));
    EXPECT_EQ(Contents(PathOf("out")), "/dev/null\n/dev/null\n");

    fs::create_directories(directory_ / "with blank");
    std::string script = PathOf("with blank/my script.sh");
    std::ofstream(script) << "#!/bin/sh\necho ran > \"$(dirname \"$0\")/out\"\n";
    fs::permissions(script, fs::perms::owner_all);
    const char* display = std::getenv("DISPLAY");
    std::string savedDisplay = display != nullptr ? display : "";
    unsetenv("DISPLAY");
    bool started = RunToEnd("\"" + script + "\"", ShowNormal);
    if (display != nullptr) {
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    }
    ASSERT_TRUE(started);
    EXPECT_EQ(Contents(PathOf("with blank/out")), "ran\n");
}

// Not waiting: the call returns while the command still runs, and the command lives on in
// another session, not as a child of this program (so it never becomes its zombie).
TEST_F(Launch, StartWithoutWaitingLeavesTheCommandDetached)
{
    std::string pidFile = PathOf("pid");
    ASSERT_TRUE(StartDetached("ps -o sid= -o ppid= -p $$ > '" + pidFile + ".tmp'; echo $$ >> '" + pidFile +
                                  ".tmp'; mv '" + pidFile + ".tmp' '" + pidFile + "'; exec sleep 30",
                              ShowHidden));
    while (!fs::exists(pidFile)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::istringstream facts(Contents(pidFile));
    long session = 0;
    long parent = 0;
    long pid = 0;
    facts >> session >> parent >> pid;
    EXPECT_NE(session, static_cast<long>(getsid(0))) << "runs in a session of its own";
    EXPECT_NE(parent, static_cast<long>(getpid()));
    ASSERT_TRUE(RunToEnd("kill " + std::to_string(pid), ShowHidden));
}

}  // namespace
