// Processes on Windows: captured runs through the command interpreter, uncaptured starts, web addresses.
#include "platform/process.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <string>

#include "platform/system.h"
#include "platform/text.h"
#include "platform/win32/wide.h"

namespace {

// A suggestion to the system: room for bursts of output while the runner is busy elsewhere.
constexpr DWORD kPipeBytes = 64 * 1024;
constexpr DWORD kReadBlockBytes = 64 * 1024;

std::string_view InterpreterPrefix() { return OsClass() > 2 ? "cmd.exe /c " : "command.com /c "; }

class Win32CapturedRun final : public CapturedRun {
public:
    Win32CapturedRun(HANDLE pipeRead, const PROCESS_INFORMATION& started)
        : pipeRead_(pipeRead), process_(started.hProcess), thread_(started.hThread)
    {
    }

    Win32CapturedRun(const Win32CapturedRun&) = delete;
    Win32CapturedRun& operator=(const Win32CapturedRun&) = delete;

    ~Win32CapturedRun() override
    {
        CloseHandle(pipeRead_);
        CloseHandle(thread_);
        CloseHandle(process_);
    }

    std::string ReadAvailable(int maxBytes) override
    {
        if (maxBytes <= 0) {
            return {};
        }
        if (position_ == buffer_.size()) {
            FillFromPipe();
        }
        std::size_t count = std::min(buffer_.size() - position_, static_cast<std::size_t>(maxBytes));
        std::string bytes = buffer_.substr(position_, count);
        position_ += count;
        if (count > 0) {
            nextWaitMs_ = 1;
        }
        return bytes;
    }

    // The process object, not its exit code: a command may well end with code 259 (STILL_ACTIVE).
    bool HasExited() override { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }

    // An anonymous pipe cannot be waited on, so output is noticed when the wait is over. Output
    // comes in bursts: right after a read the pipe is looked at again within a millisecond, and
    // each idle wait doubles that up to the caller's limit, so an idle command costs little.
    void WaitForActivity(int milliseconds) override
    {
        if (position_ < buffer_.size()) {
            return;  // output is waiting already
        }
        DWORD wait = static_cast<DWORD>(std::clamp(nextWaitMs_, 0, std::max(milliseconds, 0)));
        nextWaitMs_ = std::min(nextWaitMs_ * 2, std::max(milliseconds, 1));
        MsgWaitForMultipleObjectsEx(1, &process_, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }

private:
    // Each pipe call is a round trip to the system (a costly one under Wine): what is waiting is
    // taken in one read and handed out in the caller's smaller pieces.
    void FillFromPipe()
    {
        DWORD available = 0;
        buffer_.clear();
        position_ = 0;
        if (!PeekNamedPipe(pipeRead_, nullptr, 0, nullptr, &available, nullptr) || available == 0) {
            return;
        }
        buffer_.resize(std::min(available, kReadBlockBytes));
        DWORD count = 0;
        if (!ReadFile(pipeRead_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &count, nullptr)) {
            count = 0;
        }
        buffer_.resize(count);
    }

    HANDLE pipeRead_;
    HANDLE process_;
    HANDLE thread_;
    std::string buffer_;  // read from the pipe, not yet handed out from position_ on
    std::size_t position_ = 0;
    int nextWaitMs_ = 1;
};

PROCESS_INFORMATION StartProcess(std::string_view commandLine, bool inheritHandles, STARTUPINFOW& startInfo)
{
    // CreateProcessW may write into the command line: it must be a writable buffer.
    std::wstring writableCommandLine = Utf8ToWide(commandLine);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, writableCommandLine.data(), nullptr, nullptr, inheritHandles, 0, nullptr, nullptr,
                        &startInfo, &started)) {
        return {};
    }
    return started;
}

// Show states 1..6 as the show commands of the window they start in.
WORD ShowCommand(int showState)
{
    constexpr std::array<WORD, 6> kShowCommands = {SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED,
                                                   SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_MINIMIZE};
    return kShowCommands[static_cast<std::size_t>(std::clamp(showState, 1, 6) - 1)];
}

}  // namespace

std::unique_ptr<CapturedRun> CapturedRun::Start(std::string_view commandLine)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE pipeRead = nullptr;
    HANDLE pipeWrite = nullptr;
    if (!CreatePipe(&pipeRead, &pipeWrite, &inheritable, kPipeBytes)) {
        return nullptr;
    }
    // Only the write end goes to the interpreter. A read end inherited by a child (an adb server
    // the command starts) would outlive this run.
    SetHandleInformation(pipeRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    startInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startInfo.wShowWindow = SW_HIDE;
    startInfo.hStdOutput = pipeWrite;
    startInfo.hStdError = pipeWrite;
    startInfo.hStdInput = nullptr;  // no standard input: a command that reads gets nothing
    PROCESS_INFORMATION started = StartProcess(JoinText({InterpreterPrefix(), commandLine}), true, startInfo);
    // Only the interpreter and what it starts hold the write end now.
    CloseHandle(pipeWrite);
    if (started.hProcess == nullptr) {
        CloseHandle(pipeRead);
        return nullptr;
    }
    return std::make_unique<Win32CapturedRun>(pipeRead, started);
}

bool RunProgram(std::string_view commandLine, bool waitForExit, int showState)
{
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    startInfo.dwFlags = STARTF_USESHOWWINDOW;
    startInfo.wShowWindow = ShowCommand(showState);
    PROCESS_INFORMATION started = StartProcess(commandLine, false, startInfo);
    if (started.hProcess == nullptr) {
        return false;
    }
    if (waitForExit) {
        WaitForSingleObject(started.hProcess, INFINITE);
    } else {
        // Returns at once for a program without a window.
        WaitForInputIdle(started.hProcess, 1000);
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

void OpenWebAddress(std::string_view address)
{
    HWND owner = FindWindowW(nullptr, L"Microsoft Internet Explorer");
    ShellExecuteW(owner, L"open", Utf8ToWide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
