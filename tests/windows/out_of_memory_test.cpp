// Running out of memory on Windows: the report appears and the program ends with exit code -1 even
// when no allocation succeeds any more, as a helper program whose allocations fail shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/helper_program.h"

namespace {

using Lines = std::vector<std::string>;

TEST(OutOfMemory, FailedAllocationIsReportedAndEndsTheProgramWithExitCodeMinusOne)
{
    HelperEnding ending = RunHelperProgram("starved_program.exe", "allocate");
    EXPECT_EQ(ending.messages, Lines{"运行时出错!\r\n分配 100 字节内存失败!"});
    EXPECT_EQ(ending.exitCode, static_cast<DWORD>(-1));
}

TEST(OutOfMemory, LongDetailIsCutAtACharacterBoundary)
{
    HelperEnding ending = RunHelperProgram("starved_program.exe", "long-detail");
    ASSERT_EQ(ending.messages.size(), 1u);
    std::string shown = ending.messages[0];
    std::string heading = "运行时出错!\r\n";
    ASSERT_GT(shown.size(), heading.size());
    EXPECT_EQ(shown.substr(0, heading.size()), heading);
    std::string detail = shown.substr(heading.size());
    EXPECT_EQ(detail.size() % 3, 0u) << "a character was split";
    EXPECT_EQ(detail.find_first_not_of("错"), std::string::npos) << detail;
    EXPECT_EQ(ending.exitCode, static_cast<DWORD>(-1));
}

// The report's own message loop paints the program's windows; a second failure there must not
// nest a second report, nor a third, until the stack overflows.
TEST(OutOfMemory, FailureWhileTheReportIsShownEndsTheProgramAtOnce)
{
    HelperEnding ending = RunHelperProgram("starved_program.exe", "paint-fails");
    for (const std::string& message : ending.messages) {
        EXPECT_EQ(message, "运行时出错!\r\nfirst");
    }
    EXPECT_EQ(ending.exitCode, static_cast<DWORD>(-1));
}

}  // namespace
