// Running out of memory on Windows: the report appears and the program ends with exit code -1 even
// when no allocation succeeds any more. Linked with --wrap=malloc, so that this program's
// allocations can be made to fail as they would with the heap exhausted.
#include <gtest/gtest.h>
#include "platform/win32/windows_api.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/system.h"
#include "platform/win32/wide.h"
#include "support/message_box_answerer.h"

// The thread whose every allocation fails; 0 while none does.
std::atomic<DWORD> starvedThread{0};

extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __wrap_malloc(std::size_t size)
{
    return GetCurrentThreadId() == starvedThread ? nullptr : __real_malloc(size);
}

namespace {

using Lines = std::vector<std::string>;

// Run in a copy of this program started by the tests below, and only there.
TEST(StarvedProgram, DISABLED_AllocatesAHundredBytes)
{
    starvedThread = GetCurrentThreadId();
    void* volatile memory = ::operator new(100);
    ::operator delete(memory);
}

TEST(StarvedProgram, DISABLED_FailsWithALongDetail)
{
    std::string detail;
    for (int i = 0; i < 2000; ++i) {
        detail += "错";
    }
    starvedThread = GetCurrentThreadId();
    FatalError(detail);
}

struct Ending {
    DWORD exitCode = 0;
    Lines messages;
};

// Starts this program with one starved test, answers its message boxes and waits for its end.
Ending RunStarved(const std::string& test)
{
    std::wstring commandLine = L"\"" + Utf8ToWide(JoinPath(ProgramDirectory(), "out_of_memory_test.exe")) +
                               L"\" --gtest_also_run_disabled_tests --gtest_filter=StarvedProgram.DISABLED_" +
                               Utf8ToWide(test);
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startInfo,
                        &started)) {
        ADD_FAILURE() << "could not start the starved program";
        return {};
    }
    Ending ending;
    {
        MessageBoxAnswerer answerer({}, started.dwProcessId);
        if (WaitForSingleObject(started.hProcess, 60000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the starved program did not end";
            TerminateProcess(started.hProcess, 1);
            WaitForSingleObject(started.hProcess, INFINITE);
        }
        GetExitCodeProcess(started.hProcess, &ending.exitCode);
        ending.messages = answerer.Texts();
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return ending;
}

TEST(OutOfMemory, FailedAllocationIsReportedAndEndsTheProgramWithExitCodeMinusOne)
{
    Ending ending = RunStarved("AllocatesAHundredBytes");
    EXPECT_EQ(ending.messages, Lines{"运行时出错!\r\n分配 100 字节内存失败!"});
    EXPECT_EQ(ending.exitCode, static_cast<DWORD>(-1));
}

TEST(OutOfMemory, LongDetailIsCutAtACharacterBoundary)
{
    Ending ending = RunStarved("FailsWithALongDetail");
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

}  // namespace
