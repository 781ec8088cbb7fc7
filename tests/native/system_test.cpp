// Tests of the POSIX system services: the program's directory, paths, files, fatal errors.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <new>

#include "platform/system.h"

namespace {

#ifdef PELLUCOR_SANITIZED
constexpr bool kSanitizerAllocates = true;
#else
constexpr bool kSanitizerAllocates = false;
#endif
constexpr const char* kSanitizerAllocatesReason =
    "AddressSanitizer's allocator reports a request it cannot meet and ends the program itself: "
    "the program's own handling of a failed allocation is never reached in this build";

std::filesystem::path TemporaryFile(const std::string& name)
{
    return std::filesystem::temp_directory_path() / ("system_test_" + std::to_string(getpid()) + "_" + name);
}

TEST(ProgramDirectory, HoldsTheTestProgramJoinsAtTheRootAndBecomesTheCurrentDirectoryAtStartUp)
{
    std::string directory = ProgramDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_NE(directory.back(), '/');
    EXPECT_TRUE(std::filesystem::is_regular_file(JoinPath(directory, "system_test")));
    EXPECT_EQ(JoinPath("", "databank.ini"), "/databank.ini") << "a program in the root directory";
    EXPECT_EQ(OsClass(), 3) << "the NT family";

    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    InitialisePlatform();
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(directory));
    std::filesystem::current_path(before);
}

TEST(ReadWholeFile, ReadsEveryByteAndNothingFromWhatIsNoReadableFile)
{
    std::filesystem::path path = TemporaryFile("whole");
    std::string contents("line\r\n\0\xFF tail", 13);
    std::ofstream(path, std::ios::binary) << contents;
    Bytes bytes = ReadWholeFile(path.string(), FileSharing::DenyWriters);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), contents);
    std::ofstream(path, std::ios::binary).close();
    EXPECT_TRUE(ReadWholeFile(path.string(), FileSharing::DenyWriters).empty()) << "an empty file";
    std::filesystem::remove(path);
    EXPECT_TRUE(ReadWholeFile(path.string(), FileSharing::DenyWriters).empty()) << "no file";
    EXPECT_TRUE(ReadWholeFile("", FileSharing::DenyWriters).empty());
    EXPECT_TRUE(ReadWholeFile(std::filesystem::temp_directory_path().string(), FileSharing::DenyWriters).empty());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_TRUE(ReadWholeFile(path.string(), FileSharing::DenyWriters).empty()) << "a pipe without a writer";
    std::filesystem::remove(path);
}

TEST(ExitRoutine, RunsAtMostOnceAndNoneRunsNothing)
{
    SetExitRoutine(nullptr);
    RunExitRoutine();
    static int runs = 0;
    SetExitRoutine([] { ++runs; });
    RunExitRoutine();
    RunExitRoutine();
    EXPECT_EQ(runs, 1);
}

using FatalErrorDeathTest = ::testing::Test;

TEST_F(FatalErrorDeathTest, ReportsAndEndsWithExitCodeMinusOne)
{
    EXPECT_EXIT(FatalError("载入启动窗口失败"), ::testing::ExitedWithCode(255), "运行时出错!\r\n载入启动窗口失败");
}

// A failed allocation is fatal and names its size; only the nothrow form gives null instead.
TEST_F(FatalErrorDeathTest, FailedAllocationIsFatalAndNamesTheSizeUnlessAskedNotToThrow)
{
    if (kSanitizerAllocates) {
        GTEST_SKIP() << kSanitizerAllocatesReason;
    }
    volatile std::size_t size = static_cast<std::size_t>(-1) / 2;
    EXPECT_EQ(::operator new(size, std::nothrow), nullptr);
    EXPECT_EXIT(
        {
            void* volatile memory = ::operator new(size);
            ::operator delete(memory);
        },
        ::testing::ExitedWithCode(255), "运行时出错!\r\n分配 9223372036854775807 字节内存失败!");
}

TEST(Allocation, OverAlignedObjectsAreAligned)
{
    struct alignas(256) Page {
        char bytes[256];
    };
    auto* page = new Page;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(page) % 256, 0u);
    delete page;
    auto* pages = new Page[3];
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(pages) % 256, 0u);
    delete[] pages;
}

}  // namespace
