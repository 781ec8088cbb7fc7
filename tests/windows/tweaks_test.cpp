// Device tweaks end to end on Windows: a display setting, a reboot, a waiting companion script and the
// run-status report, through the declared handlers, cmd.exe, the batch files and the fake adb.exe.
#include "platform/win32/windows_api.h"
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/command_state.h"
#include "core/window_names.h"
#include "platform/encoding.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/fake_phone.h"
#include "support/message_box_answerer.h"
#include "support/program_start.h"
#include "ui/windows.h"
#include "ui/windows/desktop_window.h"

namespace {

using Lines = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

// Generous: cmd.exe and the batch files start slowly under Wine on a busy machine.
constexpr auto kPatience = std::chrono::seconds(90);

constexpr std::string_view kEarlierOutput = "earlier output";
constexpr std::string_view kEarlierCommand = "earlier command";
constexpr std::string_view kRunStatusNotice = "\r\n运行内容已输出到程序目录的 temp2.txt中";

// Runs the handler that the declaration binds to the control, as a click on it would.
void ClickDeclared(std::span<const ControlDeclaration> controls, std::string_view name)
{
    for (const ControlDeclaration& control : controls) {
        if (control.name == name) {
            control.bindings[0].handler({});
            return;
        }
    }
    FAIL() << "no control " << name;
}

// Polls until the condition holds; false once the bound has passed without it.
template <typename Condition>
bool WaitUntil(Condition condition)
{
    const auto deadline = Clock::now() + kPatience;
    while (!condition()) {
        if (Clock::now() > deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// The adb.exe processes that this test program started itself, still running.
std::vector<DWORD> RunningAdbChildren()
{
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return children;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId() && lstrcmpiW(entry.szExeFile, L"adb.exe") == 0) {
            children.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return children;
}

void EndProcesses(const std::vector<DWORD>& ids)
{
    for (DWORD id : ids) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

std::filesystem::path ReportFile() { return JoinPath(ProgramDirectory(), "temp2.txt"); }

// No process holds the report open any more: the status script's redirection has been closed.
bool ReportIsClosed()
{
    HANDLE file = CreateFileW(ReportFile().wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() != ERROR_SHARING_VIOLATION;
    }
    CloseHandle(file);
    return true;
}

// The status script has written its last section and let go of the report.
bool StatusScriptFinished(const FakePhone& phone)
{
    Lines commands = phone.Changes();
    return !commands.empty() && commands.back() == "adb shell uptime" && ReportIsClosed();
}

BOOL CALLBACK FindRefreshButton(HWND window, LPARAM found)
{
    if (GetWindowTextLengthW(window) == 0) {
        *reinterpret_cast<HWND*>(found) = FindWindowExW(window, nullptr, L"Button", L"刷新");
    }
    return *reinterpret_cast<HWND*>(found) == nullptr;
}

// The run-status window's own "刷新": that window has no title, unlike the desktop window, whose
// link group holds another "刷新".
HWND RunStatusRefreshButton()
{
    HWND button = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindRefreshButton, reinterpret_cast<LPARAM>(&button));
    return button;
}

// A visit to the run-status window, driven from a timer on the user-interface thread, which the
// window's modal loop keeps serving: look at the first view, let the script started by "运行情况"
// finish, press "刷新" and look at the report that follows, then close the window.
class RunStatusVisit {
public:
    // The release the phone reports only from the click on "刷新" on: it marks the refreshed report.
    static constexpr std::string_view kRefreshedRelease = "R77-after-refresh";

    explicit RunStatusVisit(FakePhone& phone) : phone_(phone) { current_ = this; }
    ~RunStatusVisit() { current_ = nullptr; }
    RunStatusVisit(const RunStatusVisit&) = delete;
    RunStatusVisit& operator=(const RunStatusVisit&) = delete;

    // Starts the ticks; the first one comes once the modal loop runs.
    void Begin() { SetTimer(nullptr, 0, 50, Tick); }

    std::string problem;         // empty when every step was reached
    std::string noticeWhenOpen;  // the desktop output box while the window was open
    std::string firstView;       // the report box on opening
    std::string refreshedView;   // the report box once "刷新" had been handled
    Lines refreshCommands;       // what the phone received from the click on, read at the same moment

private:
    enum class Step { Opening, FirstScriptRunning, Refreshing };

    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
    {
        if (current_ != nullptr && current_->Advance()) {
            return;
        }
        KillTimer(nullptr, timer);
        CloseWindowLater(RunStatusWindow);
    }

    // One step per tick; false when the visit is over.
    bool Advance()
    {
        if (Clock::now() > deadline_) {
            problem = "gave up at step " + std::to_string(static_cast<int>(step_));
            return false;
        }
        switch (step_) {
        case Step::Opening:
            if (RunStatusRefreshButton() == nullptr) {
                return true;
            }
            noticeWhenOpen = GetText(DesktopWindow, kOutputBox);
            firstView = GetText(RunStatusWindow, "编辑框运行");
            step_ = Step::FirstScriptRunning;
            return true;
        case Step::FirstScriptRunning:
            if (!StatusScriptFinished(phone_)) {
                return true;
            }
            phone_.ClearCommands();
            phone_.Set("RELEASE", kRefreshedRelease);
            viewBeforeClick_ = GetText(RunStatusWindow, "编辑框运行");
            PostMessageW(RunStatusRefreshButton(), BM_CLICK, 0, 0);
            step_ = Step::Refreshing;
            return true;
        case Step::Refreshing:
            // The click's handler waits for the script with the windows answering, so ticks come
            // meanwhile: the banner shows until the handler leaves the new report and returns.
            refreshedView = GetText(RunStatusWindow, "编辑框运行");
            if (refreshedView == viewBeforeClick_ || refreshedView.ends_with("请等待")) {
                return true;
            }
            refreshCommands = phone_.Changes();
            return false;
        }
        return false;
    }

    static inline RunStatusVisit* current_ = nullptr;
    FakePhone& phone_;
    Step step_ = Step::Opening;
    Clock::time_point deadline_ = Clock::now() + kPatience;
    std::string viewBeforeClick_;
};

std::string reportBoxOnOpening;

// A tick of the run-status window's modal loop: what its report box shows once it stands.
void CALLBACK ReadReportBoxAndClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    reportBoxOnOpening = GetText(RunStatusWindow, "编辑框运行");
    CloseWindowLater(RunStatusWindow);
}

// The real desktop and run-status windows, open for the whole suite as after entering the program.
class TweaksOnWindows : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 2> windows = {&DesktopWindowDeclaration(),
                                                                        &RunStatusWindowDeclaration()};
        StartWithWindows(windows);
        OpenWindow(DesktopWindow, false);
    }
    static void TearDownTestSuite() { ReleaseCommandState(); }

    void SetUp() override
    {
        ASSERT_FALSE(IsProgramEnding());
        State().currentCommand = kEarlierCommand;
        SetText(DesktopWindow, kOutputBox, kEarlierOutput);
    }

    static std::string Output() { return GetText(DesktopWindow, kOutputBox); }

    FakePhone phone_;
};

TEST_F(TweaksOnWindows, ScreenOffSecondsReachThePhoneAsMillisecondsAndAreConfirmed)
{
    SetText(DesktopWindow, "亮屏时间框", "15");
    MessageBoxAnswerer answerer;
    ClickDeclared(FunctionPageControls(), "亮屏");
    EXPECT_EQ(answerer.Texts(), Lines{"已设置，可用于省电模式修改亮屏时间"});
    EXPECT_EQ(phone_.Changes(), Lines{"adb shell settings put system screen_off_timeout 15000"});
    EXPECT_EQ(Output(), "") << "the runner shows the command's (empty) answer";
}

TEST_F(TweaksOnWindows, TooShortScreenOffIsRefusedWithoutSendingAnything)
{
    SetText(DesktopWindow, "亮屏时间框", "2");
    MessageBoxAnswerer answerer;
    ClickDeclared(FunctionPageControls(), "亮屏");
    EXPECT_EQ(answerer.Texts(), Lines{"时间太短，危险！"});
    EXPECT_TRUE(phone_.Changes().empty());
    EXPECT_EQ(State().currentCommand, kEarlierCommand);
    EXPECT_EQ(Output(), kEarlierOutput);
}

// A phone that never answers: the handler must be back while its adb still runs.
TEST_F(TweaksOnWindows, BootloaderRebootIsStartedAndLeftRunningWithoutAWord)
{
    phone_.SetState("hang");
    phone_.Set("HANG_MAX_S", "30");
    MessageBoxAnswerer answerer;
    ClickDeclared(MainMenuPageControls(), "按钮3");
    std::vector<DWORD> stillRunning = RunningAdbChildren();

    EXPECT_EQ(stillRunning.size(), 1u) << "the handler waited for adb to end";
    EXPECT_TRUE(WaitUntil([&] { return !phone_.Changes().empty(); }));
    EXPECT_EQ(phone_.Changes(), Lines{"adb reboot-bootloader"});
    EXPECT_TRUE(answerer.Texts().empty());
    EXPECT_EQ(Output(), kEarlierOutput);
    EXPECT_EQ(State().currentCommand, kEarlierCommand);
    EndProcesses(stillRunning);
}

TEST_F(TweaksOnWindows, GoogleSwitchOffSaysSoOnlyAfterItsScriptHasEnded)
{
    Lines commandsWhenShown;
    MessageBoxAnswerer answerer([&](const std::string&) { commandsWhenShown = phone_.Changes(); });
    ClickDeclared(HuaweiPageControls(), "谷歌禁");

    EXPECT_EQ(answerer.Texts(), Lines{"为您禁用了谷歌"});  // read first: it orders the observer's write before us
    EXPECT_EQ(commandsWhenShown, (Lines{"adb get-state", "adb shell pm disable-user com.google.android.gms",
                                        "adb shell pm disable-user com.google.android.gsf",
                                        "adb shell pm disable-user com.android.vending"}));
    EXPECT_EQ(Output(), kEarlierOutput) << "a script's output is never captured";
    EXPECT_EQ(State().currentCommand, kEarlierCommand);
}

// The status script writes its report in GBK, the code page it sets itself: the report reads the
// same where the ANSI code page is UTF-8 (65001), as in the prefix tweaks_test_utf8 runs in.
TEST_F(TweaksOnWindows, RunStatusReadsTheReportAsGbkWhateverTheAnsiCodePage)
{
    const std::string report = "【型号】\r\n品牌：HUAWEI\r\n";
    std::ofstream(ReportFile(), std::ios::binary | std::ios::trunc) << Utf8ToGbk(report);
    SetTimer(nullptr, 0, 50, ReadReportBoxAndClose);
    OpenWindow(RunStatusWindow, true);
    EXPECT_EQ(reportBoxOnOpening, report);

    std::error_code ignored;
    std::filesystem::remove(ReportFile(), ignored);
}

TEST_F(TweaksOnWindows, RunStatusShowsTheNoticeThenTheReportThatRefreshWaitsFor)
{
    std::ofstream(ReportFile(), std::ios::binary | std::ios::trunc) << "earlier report\r\n";
    MessageBoxAnswerer answerer;
    RunStatusVisit visit(phone_);
    visit.Begin();
    ClickDeclared(MainMenuPageControls(), "主情况");

    ASSERT_EQ(visit.problem, "");
    EXPECT_EQ(visit.noticeWhenOpen, kRunStatusNotice);
    EXPECT_EQ(visit.firstView.find("请检查设备连接"), std::string::npos)
        << "the report replaces the declared sentence on opening: " << visit.firstView;
    EXPECT_NE(visit.refreshedView.find(RunStatusVisit::kRefreshedRelease), std::string::npos) << visit.refreshedView;
    EXPECT_NE(visit.refreshedView.find("Pellucor_Test_Phone"), std::string::npos) << visit.refreshedView;
    ASSERT_FALSE(visit.refreshCommands.empty());
    EXPECT_EQ(visit.refreshCommands.front(), "adb devices -l");
    EXPECT_EQ(visit.refreshCommands.back(), "adb shell uptime") << "the report was shown before the script ended";
    EXPECT_TRUE(answerer.Texts().empty());
    EXPECT_EQ(Output(), kRunStatusNotice);

    std::error_code ignored;
    std::filesystem::remove(ReportFile(), ignored);
}

}  // namespace
