// Processes on Windows: captured runs through the command interpreter, uncaptured starts, web addresses.
#include "platform/process.h"

#include "platform/win32/windows_api.h"
#include <objbase.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "platform/system.h"
#include "platform/text.h"
#include "platform/win32/command_line.h"
#include "platform/win32/output_pipe.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/shared_console.h"
#include "platform/win32/system_libraries.h"
#include "platform/win32/wide.h"
#include "platform/window_system.h"

namespace {

// Between wakings the wait only limits how long a missed wake-up could go unnoticed.
constexpr DWORD kIdleWaitMs = 100;
constexpr std::size_t kReadBytes = 64 * 1024;

bool PassesExitCode() { return OsClass() > 2; }
std::string_view InterpreterPrefix() { return PassesExitCode() ? "cmd.exe /c " : "command.com /c "; }

// The interpreter's file by its full path: by bare name CreateProcessW would look in the program's
// folder and the current directory first (CreateProcessW, lpCommandLine), where a downloaded
// "cmd.exe" may lie. cmd.exe lives in the system folder; command.com in the Windows folder.
std::wstring InterpreterProgram()
{
    return PassesExitCode() ? SystemFolderFile(L"cmd.exe") : WindowsFolderFile(L"command.com");
}

// The handles CreateProcessW returns, closed when the owner goes; both null when nothing started.
struct StartedProcess {
    OwnedHandle process;
    OwnedHandle thread;
    DWORD id = 0;
};

class Win32CapturedRun final : public CapturedRun {
public:
    Win32CapturedRun(std::unique_ptr<OutputPipe> pipe, StartedProcess started)
        : pipe_(std::move(pipe)), started_(std::move(started))
    {
    }

    std::string ReadAvailable(int maxBytes) override
    {
        return maxBytes > 0 ? pipe_->Read(static_cast<std::size_t>(maxBytes)) : std::string();
    }

    // The process object, not its exit code: a command may well end with code 259 (STILL_ACTIVE).
    bool HasExited() override { return WaitForSingleObject(started_.process.Get(), 0) == WAIT_OBJECT_0; }

    // cmd.exe /c ends with the code of the command it ran; command.com ends with 0 whatever it ran.
    std::optional<unsigned long> ExitCode() override
    {
        DWORD exitCode = 0;
        if (!HasExited() || !PassesExitCode() || !GetExitCodeProcess(started_.process.Get(), &exitCode)) {
            return std::nullopt;
        }
        return exitCode;
    }

    // Output, the process's end and window messages all end the wait, so the time is only a bound.
    void WaitForActivity(int milliseconds) override
    {
        ShareConsoleOf(started_.id);
        if (pipe_->HasOutput()) {
            return;
        }
        HANDLE handles[] = {started_.process.Get(), pipe_->PendingReadEvent()};
        DWORD count = handles[1] != nullptr ? 2 : 1;
        MsgWaitForMultipleObjectsEx(count, handles, static_cast<DWORD>(std::max(milliseconds, 0)), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }

private:
    std::unique_ptr<OutputPipe> pipe_;
    StartedProcess started_;
};

// With a program named, the command line is handed to it as it stands, its first word included;
// without one, CreateProcessW takes the program from the line's first word.
StartedProcess StartProcess(const std::wstring& program, std::string_view commandLine, bool inheritHandles,
                            STARTUPINFOW& startInfo)
{
    bool hidden = startInfo.wShowWindow == SW_HIDE;
    if (hidden) {
        ResetSharedConsoleCodePages();
    }
    // CreateProcessW may write into the command line: it must be a writable buffer.
    std::wstring writableCommandLine = Utf8ToWide(commandLine);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), writableCommandLine.data(), nullptr, nullptr,
                        inheritHandles, ConsoleCreationFlags(hidden), nullptr, nullptr, &startInfo, &started)) {
        return {};
    }
    return {OwnedHandle(started.hProcess), OwnedHandle(started.hThread), started.dwProcessId};
}

// Everything the pipe holds now, kept.
void KeepWaitingOutput(OutputPipe& pipe, std::string& kept)
{
    for (std::string bytes = pipe.Read(kReadBytes); !bytes.empty(); bytes = pipe.Read(kReadBytes)) {
        KeepOutput(kept, bytes);
    }
}

// Waits for the process while window events flow: the wait sleeps on the process, the pipe and
// the window queue at once, and each of them wakes it. The pipe is not waited on to close once
// the process has ended: an adb server it started may hold the write end for hours.
ProgramRun AwaitEnd(const StartedProcess& started, OutputPipe* pipe)
{
    HANDLE process = started.process.Get();
    ProgramRun run{ProgramEnd::Ended};
    for (;;) {
        ShareConsoleOf(started.id);
        if (pipe != nullptr) {
            KeepWaitingOutput(*pipe, run.output);
        }
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            if (pipe != nullptr) {
                KeepWaitingOutput(*pipe, run.output);
            }
            DWORD exitCode = 0;
            GetExitCodeProcess(process, &exitCode);
            run.exitCode = exitCode;
            return run;
        }
        HANDLE handles[] = {process, pipe != nullptr ? pipe->PendingReadEvent() : nullptr};
        DWORD count = handles[1] != nullptr ? 2 : 1;
        MsgWaitForMultipleObjectsEx(count, handles, kIdleWaitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        ProcessPendingEvents();
        if (IsProgramEnding()) {
            return {ProgramEnd::NotAwaited};
        }
    }
}

// The child's standard output and error go into the pipe, in write order. It has no standard
// input: a command that reads gets nothing.
void SendOutputTo(OutputPipe& pipe, STARTUPINFOW& startInfo)
{
    startInfo.dwFlags |= STARTF_USESTDHANDLES;
    startInfo.hStdOutput = pipe.WriteEnd();
    startInfo.hStdError = pipe.WriteEnd();
    startInfo.hStdInput = nullptr;
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
    std::wstring interpreter = InterpreterProgram();
    auto pipe = interpreter.empty() ? nullptr : OutputPipe::Create();
    if (pipe == nullptr) {
        return nullptr;
    }
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    startInfo.dwFlags = STARTF_USESHOWWINDOW;
    startInfo.wShowWindow = SW_HIDE;
    SendOutputTo(*pipe, startInfo);
    StartedProcess started = StartProcess(interpreter, JoinText({InterpreterPrefix(), commandLine}), true, startInfo);
    pipe->CloseWriteEnd();
    if (!started.process) {
        return nullptr;
    }
    return std::make_unique<Win32CapturedRun>(std::move(pipe), std::move(started));
}

ProgramRun RunProgram(std::string_view commandLine, bool waitForExit, int showState)
{
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    startInfo.dwFlags = STARTF_USESHOWWINDOW;
    startInfo.wShowWindow = ShowCommand(showState);
    // Nobody sees a hidden program's console: what it says is kept for the program to show.
    std::unique_ptr<OutputPipe> pipe = waitForExit && startInfo.wShowWindow == SW_HIDE ? OutputPipe::Create() : nullptr;
    if (pipe != nullptr) {
        SendOutputTo(*pipe, startInfo);
    }
    StartedProcess started = StartProcess({}, ProgramCommandLine(commandLine), pipe != nullptr, startInfo);
    if (pipe != nullptr) {
        pipe->CloseWriteEnd();
    }
    if (!started.process) {
        return {};
    }
    if (!waitForExit) {
        // Returns at once for a program without a window.
        WaitForInputIdle(started.process.Get(), 1000);
        return {ProgramEnd::Started};
    }
    return AwaitEnd(started, pipe.get());
}

namespace {

// COM for this thread, once: "COM should be initialized before ShellExecute is called" (MSDN,
// ShellExecuteW), since the "open" verb may hand the address to a COM-based handler. The program's
// one thread opens every address, for the process's life.
void InitialiseComOnce()
{
    using InitialiseCom = HRESULT WINAPI(void*, DWORD);
    static bool tried = false;
    if (tried) {
        return;
    }
    tried = true;
    if (auto* initialise = SystemFunction<InitialiseCom>(L"ole32.dll", "CoInitializeEx")) {
        initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    }
}

}  // namespace

// The shell and COM are loaded the first time an address is opened, not at start-up, where the
// program has no use for them.
void OpenWebAddress(std::string_view address)
{
    using OpenWithShell = HINSTANCE WINAPI(HWND, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, INT);
    InitialiseComOnce();
    static auto* shellExecute = SystemFunction<OpenWithShell>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute != nullptr) {
        HWND owner = FindWindowW(nullptr, L"Microsoft Internet Explorer");
        shellExecute(owner, L"open", Utf8ToWide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}
