// The desktop window through every wait for a started script, with the phone slow or hung and the
// script's console waiting for the user: it keeps answering, the close box ends the program, and no
// message claims a success.
#include "platform/win32/windows_api.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

#include "core/window_names.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/fake_phone.h"
#include "support/message_box_answerer.h"
#include "support/program_start.h"
#include "support/win32_windows.h"
#include "ui/windows.h"

namespace {

using Strings = std::vector<std::string>;

constexpr DWORD kConsoleClosed = 0xC000013A;  // STATUS_CONTROL_C_EXIT: the console window was closed

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

std::string LastRecord()
{
    Bytes bytes = ReadFileTail(JoinPath(ProgramDirectory(), "操作记录.txt"), 64 * 1024).bytes;
    std::string log(bytes.begin(), bytes.end());
    if (!log.ends_with("\r\n")) {
        return "";
    }
    log.resize(log.size() - 2);
    std::size_t start = log.rfind("\r\n");
    return log.substr(start == std::string::npos ? 0 : start + 2);
}

// The probe covers the wait; it ends when the message after it appears. (Under Wine on a screen
// without a window manager, closing a message box stalls its thread for two seconds while Wine
// waits for the X server to withdraw the box: Wine's wait, not the program's.)
MessageBoxAnswerer::Observer HaltOnMessage(AnswerProbe& probe)
{
    return [&probe](const std::string&) { probe.Halt(); };
}

// The processes this one started, and theirs in turn.
std::vector<DWORD> Descendants()
{
    std::vector<DWORD> found = {GetCurrentProcessId()};
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    for (std::size_t i = 0; i < found.size(); ++i) {
        PROCESSENTRY32W entry{sizeof(entry)};
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
            if (entry.th32ParentProcessID == found[i] && entry.th32ProcessID != found[i]) {
                found.push_back(entry.th32ProcessID);
            }
        }
    }
    CloseHandle(snapshot);
    found.erase(found.begin());
    return found;
}

void EndProcesses(const std::vector<DWORD>& processes, DWORD exitCode)
{
    for (DWORD id : processes) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
            TerminateProcess(process, exitCode);
            CloseHandle(process);
        }
    }
}

// One program run for all the tests, in order: the last one ends the program.
class Waits : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 1> windows = {&DesktopWindowDeclaration()};
        StartWithWindows(windows);
        ASSERT_TRUE(OpenWindow(DesktopWindow, false));
        desktop_ = FindOpenWindow(DesktopWindow)->handle;
    }
    static void TearDownTestSuite() { EndProcesses(Descendants(), 1); }

    static inline HWND desktop_ = nullptr;
};

TEST_F(Waits, HiddenScriptOnASlowPhoneKeepsTheWindowAnsweringAndSaysItsMessageAtTheEnd)
{
    FakePhone phone;
    phone.Set("DELAY_MS", "1500");
    AnswerProbe probe(desktop_);
    Strings commandsWhenShown;
    MessageBoxAnswerer user([&](const std::string&) {
        probe.Halt();
        commandsWhenShown = phone.Changes();
    });
    Click(DesktopWindow, "谷歌禁");
    probe.Stop();

    EXPECT_EQ(probe.Unanswered(), 0);
    EXPECT_GE(probe.Answered(), 15) << "the script took four slow answers of the phone";
    EXPECT_EQ(user.Texts(), Strings{"为您禁用了谷歌"});  // read first: it orders the observer's write before us
    EXPECT_EQ(commandsWhenShown, (Strings{"adb get-state", "adb shell pm disable-user com.google.android.gms",
                                          "adb shell pm disable-user com.google.android.gsf",
                                          "adb shell pm disable-user com.android.vending"}));
}

// A script in a console of its own, as under the windowed program, waits for the user (the cache
// cleaning first asks whether to delete, then pauses before closing) until the user closes that
// console.
TEST_F(Waits, VisibleScriptAtItsPauseKeepsTheWindowAnsweringAndAClosedConsoleIsNoSuccess)
{
    FakePhone phone;
    FreeConsole();
    AnswerProbe probe(desktop_);
    MessageBoxAnswerer user(HaltOnMessage(probe));
    std::thread consoleCloser([] {
        Sleep(3000);
        EndProcesses(Descendants(), kConsoleClosed);
    });
    Click(DesktopWindow, "清理");
    consoleCloser.join();
    probe.Stop();

    EXPECT_EQ(probe.Unanswered(), 0);
    EXPECT_GE(probe.Answered(), 10);
    ASSERT_EQ(user.Texts().size(), 1u);
    EXPECT_TRUE(Contains(user.Texts()[0], "未正常结束（退出代码 0xC000013A）")) << user.Texts()[0];
    EXPECT_TRUE(LastRecord().ends_with("| clean.bat | 异常结束（退出代码 0xC000013A）")) << LastRecord();
}

// Last: it ends the program. The hung adb never answers; the close box still ends the program.
TEST_F(Waits, CloseBoxEndsTheProgramWhileAdbHangs)
{
    FakePhone phone("hang");
    phone.Set("HANG_MAX_S", "60");
    MessageBoxAnswerer user;
    std::thread closer([] {
        Sleep(1500);
        PostMessageW(desktop_, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    Click(DesktopWindow, "谷歌禁");
    closer.join();

    EXPECT_TRUE(IsProgramEnding());
    EXPECT_FALSE(IsWindow(desktop_));
    EXPECT_TRUE(user.Texts().empty());
}

}  // namespace
