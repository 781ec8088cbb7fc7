// Processes and system services on Windows: captured cmd.exe runs, RunProgram, the program's directory, files.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "platform/process.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/win32/command_line.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/wide.h"
#include "support/captured_output.h"

namespace {

namespace fs = std::filesystem;

// The value of a "name=[value]" line of the output; absent when there is none.
std::string Reported(const std::string& output, const std::string& name)
{
    std::size_t start = output.find(name + "=[");
    if (start == std::string::npos) {
        return "(absent)";
    }
    start += name.size() + 2;
    return output.substr(start, output.find("]", start) - start);
}

class Windows : public testing::Test {
protected:
    static void SetUpTestSuite() { InitialisePlatform(); }
};

// What cmd.exe writes, collected as the runner collects it: both streams in write order, nothing
// read from standard input, all of an output that takes many reads.
TEST_F(Windows, CmdOutputArrivesAsWritten)
{
    std::string numbers;
    for (int i = 1; i <= 3000; ++i) {
        numbers += std::to_string(i) + "\r\n";
    }
    const struct {
        const char* name;
        const char* command;
        std::string output;
    } cases[] = {
        {"echo", "echo hello", "hello\r\n"},
        {"empty command", "", ""},
        {"standard error", "echo one& echo two>&2& echo three", "one\r\ntwo\r\nthree\r\n"},
        {"no standard input", "set /p answer=& echo after", "after\r\n"},
        {"many reads", "for /L %i in (1,1,3000) do @echo %i", numbers},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunToEnd(c.command), c.output) << c.name;
    }
    EXPECT_NE(RunToEnd("pellucor_no_such_command"), "") << "cmd.exe's complaint is shown";
}

// The output is read only after the exit has been seen, so every read of it completes while
// nobody is waiting on the pipe; repeated to give a lost completion its chances.
TEST_F(Windows, OutputWrittenJustBeforeTheEndIsCollectedAfterTheEnd)
{
    for (int i = 0; i < 10; ++i) {
        auto run = CapturedRun::Start("echo last");
        ASSERT_NE(run, nullptr);
        while (!run->HasExited()) {
            run->WaitForActivity(10);
        }
        std::string output;
        for (std::string chunk = run->ReadAvailable(kRunnerChunkBytes); !chunk.empty(); chunk = run->ReadAvailable(kRunnerChunkBytes)) {
            output += chunk;
        }
        ASSERT_EQ(output, "last\r\n") << "run " << i;
    }
}

// The program probe (helpers/program_probe.cpp), started by the command, leaves a copy of itself
// behind that holds the pipe's write end (as an adb server would) until the test releases it.
TEST_F(Windows, RunEndsWhileABackgroundChildStillHoldsThePipe)
{
    std::wstring releaseName = L"pellucor-test-release-" + std::to_wstring(GetCurrentProcessId());
    SetEnvironmentVariableW(L"PELLUCOR_TEST_RELEASE_EVENT", releaseName.c_str());
    OwnedHandle release(CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str()));
    std::string output = RunToEnd("\"" + JoinPath(ProgramDirectory(), "program_probe.exe") + "\" leave-holder");
    OwnedHandle holder(OpenProcess(SYNCHRONIZE, FALSE, std::strtoul(Reported(output, "holder").c_str(), nullptr, 10)));
    ASSERT_TRUE(holder) << output;
    EXPECT_EQ(WaitForSingleObject(holder.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the run waited for the pipe to close";
    SetEvent(release.Get());
    WaitForSingleObject(holder.Get(), INFINITE);
}

// A "cmd.exe" downloaded beside the program (here the program probe, which prints nothing for "/c")
// would come first in CreateProcessW's search for a bare name. The system's interpreter runs
// instead. (Wine's cmd.exe lacks %CMDCMDLINE%, which would show the line it was handed.)
TEST_F(Windows, InterpreterPlantedBesideTheProgramIsNeverStarted)
{
    fs::path planted = fs::u8path(JoinPath(ProgramDirectory(), "cmd.exe"));
    fs::copy_file(fs::u8path(JoinPath(ProgramDirectory(), "program_probe.exe")), planted,
                  fs::copy_options::overwrite_existing);
    std::string output = RunToEnd("echo system");
    fs::remove(planted);
    EXPECT_EQ(output, "system\r\n");
}

// The program probe (helpers/program_probe.cpp), copied to C:\, reports what it sees there.
TEST_F(Windows, ProgramDirectoryIsTheCurrentDirectoryPathsJoinWithBackslashesAndADriveRootGivesTheDriveAlone)
{
    std::string directory = ProgramDirectory();
    ASSERT_GE(directory.size(), 2u);
    EXPECT_EQ(directory[1], ':');
    EXPECT_NE(directory.back(), '\\');
    EXPECT_TRUE(fs::exists(JoinPath(directory, "process_test.exe")));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), fs::path(directory)));
    EXPECT_EQ(JoinPath("C:\\程序", "trans.bat"), "C:\\程序\\trans.bat");

    std::error_code error;
    fs::copy_file(JoinPath(ProgramDirectory(), "program_probe.exe"), "C:\\pellucor_probe.exe",
                  fs::copy_options::overwrite_existing, error);
    if (error) {
        GTEST_SKIP() << "C:\\ is not writable: " << error.message();
    }
    std::string report = RunToEnd("C:\\pellucor_probe.exe report");
    fs::remove("C:\\pellucor_probe.exe", error);
    EXPECT_EQ(Reported(report, "directory"), "C:") << report;
    EXPECT_EQ(Reported(report, "joined"), "C:\\databank.ini");
    EXPECT_EQ(Reported(report, "current"), "C:\\") << "the root itself, not the drive's current directory";
}

// Every byte is read, nothing of a file a writer holds open unless it lets readers in (an editor
// or a sync tool holding the catalogue open).
TEST_F(Windows, FilesAreReadWholeAndNeverHalfWritten)
{
    std::string path = JoinPath(ProgramDirectory(), "process_test_read.tmp");
    std::ofstream(path, std::ios::binary) << std::string("a\0b\r\n", 5);
    EXPECT_EQ(ReadWholeFile(path, FileSharing::DenyWriters), (Bytes{'a', 0, 'b', '\r', '\n'}));
    fs::remove(path);
    EXPECT_TRUE(ReadWholeFile(path, FileSharing::DenyWriters).empty());
    EXPECT_TRUE(ReadWholeFile("", FileSharing::DenyWriters).empty());
    {
        std::ofstream writer(path, std::ios::binary);
        writer << "half written" << std::flush;
        EXPECT_TRUE(ReadWholeFile(path, FileSharing::DenyWriters).empty());
    }
    EXPECT_EQ(ReadWholeFile(path, FileSharing::DenyWriters).size(), 12u);

    OwnedHandle editor(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(editor);
    constexpr char kCatalogue[] = "[Huawei]\r\nweather=huawei.weather\r\n";
    DWORD written = 0;
    WriteFile(editor.Get(), kCatalogue, sizeof kCatalogue - 1, &written, nullptr);
    EXPECT_EQ(ReadIniItem(path, "Huawei", "weather", "(none)"), "huawei.weather");
    editor.Close();
    fs::remove(path);
}

// A waited start ends with the program's exit code; only a hidden program's output is kept, since
// nobody sees its console. A show value below 1 counts as hidden, one above 6 as minimised.
TEST_F(Windows, RunProgramSaysHowTheProgramEnded)
{
    fs::remove("process_test_waited.tmp");
    ProgramRun shown = RunProgram("cmd.exe /c echo x> process_test_waited.tmp& exit 3", true, ShowNormal);
    EXPECT_EQ(shown.end, ProgramEnd::Ended);
    EXPECT_EQ(shown.exitCode, 3u);
    EXPECT_EQ(shown.output, "");
    EXPECT_TRUE(fs::exists("process_test_waited.tmp"));
    fs::remove("process_test_waited.tmp");

    ProgramRun hidden = RunProgram("cmd.exe /c echo said& echo warned 1>&2& exit 1", true, ShowHidden);
    EXPECT_EQ(hidden.end, ProgramEnd::Ended);
    EXPECT_EQ(hidden.exitCode, 1u);
    EXPECT_EQ(hidden.output, "said\r\nwarned \r\n");

    EXPECT_EQ(RunProgram("cmd.exe /c exit", false, ShowHidden).end, ProgramEnd::Started);
    EXPECT_EQ(RunProgram("cmd.exe /c exit", false).end, ProgramEnd::Started);
    EXPECT_EQ(RunProgram("cmd.exe /c exit", true, 0).end, ProgramEnd::Ended);
    EXPECT_EQ(RunProgram("cmd.exe /c exit", true, 99).end, ProgramEnd::Ended);
    EXPECT_EQ(RunProgram("pellucor_no_such_program.exe", true).end, ProgramEnd::NotStarted);
    EXPECT_EQ(RunProgram("", false).end, ProgramEnd::NotStarted);
}

// Unquoted, CreateProcessW would try "C:\Program.exe" first, and cmd.exe would split the path
// of a batch file at the first blank as soon as a parenthesis is in it. Arguments after the
// program, and lines without a full path to a program, stay as they are.
TEST(ProgramCommandLine, FullPathsToAProgramAreQuotedWholeAndNothingElseChanges)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"C:\\Program Files (x86)\\Pellucor\\trans.bat", "\"C:\\Program Files (x86)\\Pellucor\\trans.bat\""},
        {"D:\\下载\\Pellucor (1)\\renew.bat", "\"D:\\下载\\Pellucor (1)\\renew.bat\""},
        {"d:/下载/Pellucor (1)/RENEW.BAT", "\"d:/下载/Pellucor (1)/RENEW.BAT\""},
        {"\\\\server\\共享 盘\\tool.cmd", "\"\\\\server\\共享 盘\\tool.cmd\""},
        {"C:\\Pellucor\\adb.exe", "\"C:\\Pellucor\\adb.exe\""},
        {"C:\\Pellucor 测试 (1)\\adb.exe devices  -l \"a b\"", "\"C:\\Pellucor 测试 (1)\\adb.exe\" devices  -l \"a b\""},
        {"C:\\a.com.bat\tx.exe", "\"C:\\a.com.bat\"\tx.exe"},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(ProgramCommandLine(line), expected) << line;
    }
    for (std::string_view line : {"hw_rec.bat", "adb reboot", "cmd.exe /c echo x> C:\\a b.txt",
                                  "\"C:\\Program Files\\Pellucor\\trans.bat\" now", "C:\\tools\\adb reboot",
                                  "C:\\tools\\adb.exec", "C:", ""}) {
        EXPECT_EQ(ProgramCommandLine(line), line);
    }
}

// A copy of the program probe, in a folder such as users unpack the zip into, presses 重置连接
// beside its own renew.bat. The copy is started by its full path with arguments; it starts
// renew.bat by its file name, since cmd.exe would expand "%PATH%" in a full path and find
// nothing there. A decoy "Pellucor.exe" beside the folder takes any unquoted start:
// CreateProcessW tries "...\Pellucor.exe" before "...\Pellucor 测试 (1)\..." (CreateProcessW,
// lpApplicationName), and so does Wine.
TEST_F(Windows, ScriptsStartFromAProgramFolderWithBlanksParenthesesPercentsAndChineseCharacters)
{
    std::string scratch = JoinPath(ProgramDirectory(), "process_test_paths");
    std::string folder = JoinPath(scratch, "Pellucor 测试 (1) %PATH% & !x!");
    fs::path folderPath(Utf8ToWide(folder));
    fs::remove_all(Utf8ToWide(scratch));
    fs::create_directories(folderPath);
    fs::copy_file(Utf8ToWide(JoinPath(ProgramDirectory(), "adb.exe")), Utf8ToWide(JoinPath(scratch, "Pellucor.exe")));
    fs::copy_file(Utf8ToWide(JoinPath(ProgramDirectory(), "program_probe.exe")), folderPath / "program_probe.exe");
    // Into the current directory, the program's: Wine's cmd.exe expands %PATH% once more inside
    // the value of %~dp0, which cmd.exe on Windows never does (its % expansion is one pass).
    std::ofstream(folderPath / "renew.bat", std::ios::binary) << "@echo ran> renew_ran.txt\r\n";

    std::string probe = JoinPath(folder, "program_probe.exe") + " reset-connection";
    ASSERT_EQ(RunProgram(probe, true, ShowHidden).end, ProgramEnd::Ended);
    EXPECT_TRUE(fs::exists(folderPath / "renew_ran.txt")) << "renew.bat did not run from " << folder;
    fs::remove_all(Utf8ToWide(scratch));
}

// A window program has no console. The first hidden child's console, hidden, becomes the
// program's, and the hidden children after it share that one instead of each starting a console
// host; a program started for the user to watch gets a console of its own. Last: the test program
// gives up its own console for it.
TEST_F(Windows, HiddenChildrenShareOneHiddenConsoleThatTheProgramHolds)
{
    std::string report = JoinPath(ProgramDirectory(), "process_test_console.tmp");
    std::string probe = "\"" + JoinPath(ProgramDirectory(), "program_probe.exe") + "\" console " + report;
    auto consoleSeen = [&report](const std::string& name) {
        std::ifstream file(report);
        std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        return Reported(text, name);
    };
    FreeConsole();
    ASSERT_EQ(GetConsoleCP(), 0u);
    RunToEnd(probe);
    ASSERT_NE(GetConsoleCP(), 0u) << "the program holds no console after a hidden child";
    EXPECT_FALSE(GetConsoleWindow() != nullptr && IsWindowVisible(GetConsoleWindow()));
    SetConsoleTitleW(L"pellucor shared console");

    RunToEnd(probe);
    EXPECT_EQ(consoleSeen("title"), "pellucor shared console") << "a captured run has a console of its own";
    EXPECT_EQ(consoleSeen("visible"), "0");
    ASSERT_EQ(RunProgram(probe, true, ShowHidden).end, ProgramEnd::Ended);
    EXPECT_EQ(consoleSeen("title"), "pellucor shared console") << "a hidden start has a console of its own";
    ASSERT_EQ(RunProgram(probe, true, ShowNormal).end, ProgramEnd::Ended);
    EXPECT_NE(consoleSeen("title"), "pellucor shared console") << "a start the user watches shares the hidden console";
    fs::remove(report);
}

}  // namespace
