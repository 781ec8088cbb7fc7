// Processes on Linux: captured runs through /bin/sh -c with standard output and standard error on one
// pipe, uncaptured starts and web addresses.
#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/posix/launch.h"
#include "platform/posix/spawn.h"
#include "platform/window_system.h"

namespace {

constexpr int kPipeBytes = 1024 * 1024;

LaunchRecorder recorder;
constexpr std::size_t kReadBlockBytes = 64 * 1024;
// Between wakings the wait only limits how long a missed wake-up could go unnoticed.
constexpr int kIdleWaitMs = 100;

// Shells whose run was destroyed while they still ran. They are not killed (a run may end while
// its command goes on), only reaped once they have ended, so that none is left a zombie: at the
// start of the next run, and at the latest when the program exits. What still runs then is
// adopted and reaped by the system.
class AbandonedShells {
public:
    ~AbandonedShells() { ReapEnded(); }

    void Add(pid_t shell) { shells_.push_back(shell); }

    void ReapEnded()
    {
        std::erase_if(shells_, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
    }

private:
    std::vector<pid_t> shells_;
};

AbandonedShells& Abandoned()
{
    static AbandonedShells shells;
    return shells;
}

// A descriptor that becomes readable when the process ends (Linux 5.3 and later); -1 elsewhere,
// and the idle wait then only notices the end when its time is up.
int OpenProcessDescriptor(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

class PosixCapturedRun final : public CapturedRun {
public:
    PosixCapturedRun(pid_t shell, int pipeRead)
        : shell_(shell), pipeRead_(pipeRead), processFd_(OpenProcessDescriptor(shell))
    {
    }

    PosixCapturedRun(const PosixCapturedRun&) = delete;
    PosixCapturedRun& operator=(const PosixCapturedRun&) = delete;

    ~PosixCapturedRun() override
    {
        close(pipeRead_);
        if (processFd_ >= 0) {
            close(processFd_);
        }
        if (!HasExited()) {
            Abandoned().Add(shell_);
        }
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
        return bytes;
    }

    bool HasExited() override
    {
        if (!exited_) {
            int status = 0;
            pid_t result = waitpid(shell_, &status, WNOHANG);
            // ECHILD: reaped elsewhere (SIGCHLD ignored, say); the shell is gone all the same.
            exited_ = result == shell_ || (result == -1 && errno == ECHILD);
            if (result == shell_) {
                exitCode_ = static_cast<unsigned long>(ExitCodeOf(status));
            }
        }
        return exited_;
    }

    std::optional<unsigned long> ExitCode() override { return HasExited() ? exitCode_ : std::nullopt; }

    void WaitForActivity(int milliseconds) override
    {
        if (position_ < buffer_.size()) {
            return;  // output is waiting already
        }
        pollfd watched[2];
        nfds_t count = 0;
        if (!pipeClosed_) {
            watched[count++] = {pipeRead_, POLLIN, 0};
        }
        if (processFd_ >= 0 && !exited_) {
            watched[count++] = {processFd_, POLLIN, 0};
        }
        poll(watched, count, milliseconds);
    }

private:
    // What is waiting is taken in one read and handed out in the caller's smaller pieces, so that
    // a long output costs few system calls.
    void FillFromPipe()
    {
        buffer_.clear();
        position_ = 0;
        if (pipeClosed_) {
            return;
        }
        buffer_.resize(kReadBlockBytes);
        ssize_t count = -1;
        do {
            count = read(pipeRead_, buffer_.data(), buffer_.size());
        } while (count == -1 && errno == EINTR);
        if (count == 0) {
            pipeClosed_ = true;  // every writer has gone: no more output, and no more waiting on it
        }
        buffer_.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    }

    pid_t shell_;
    int pipeRead_;
    int processFd_;
    bool exited_ = false;
    std::optional<unsigned long> exitCode_;  // none when the shell was reaped elsewhere
    bool pipeClosed_ = false;
    std::string buffer_;  // read from the pipe, not yet handed out from position_ on
    std::size_t position_ = 0;
};

// Everything waiting in the pipe now, kept; false once every writer has closed it.
bool KeepWaitingOutput(int pipeRead, std::string& kept)
{
    char block[kReadBlockBytes];
    for (;;) {
        ssize_t count = read(pipeRead, block, sizeof block);
        if (count > 0) {
            KeepOutput(kept, std::string_view(block, static_cast<std::size_t>(count)));
        } else if (count == -1 && errno == EINTR) {
            continue;
        } else {
            return count != 0;
        }
    }
}

// Waits for the child while window events flow: the wait sleeps on the child's end and the
// pipe at once. Once the child has ended, the pipe is read only as far as it holds output: what
// the child started may hold it open for hours. A child left behind when the program is ending
// is reaped later.
ProgramRun AwaitEnd(pid_t child, int pipeRead)
{
    ProgramRun run{ProgramEnd::Ended};
    int processFd = OpenProcessDescriptor(child);
    bool pipeOpen = pipeRead >= 0;
    for (;;) {
        if (pipeOpen) {
            pipeOpen = KeepWaitingOutput(pipeRead, run.output);
        }
        int status = 0;
        pid_t result = waitpid(child, &status, WNOHANG);
        if (result == child) {
            if (pipeOpen) {
                KeepWaitingOutput(pipeRead, run.output);
            }
            run.exitCode = static_cast<unsigned long>(ExitCodeOf(status));
            break;
        }
        if (result == -1 && errno == ECHILD) {
            run = {ProgramEnd::NotAwaited};  // reaped elsewhere: its exit code is lost
            break;
        }
        pollfd watched[2];
        nfds_t count = 0;
        if (pipeOpen) {
            watched[count++] = {pipeRead, POLLIN, 0};
        }
        if (processFd >= 0) {
            watched[count++] = {processFd, POLLIN, 0};
        }
        poll(watched, count, kIdleWaitMs);
        ProcessPendingEvents();
        if (IsProgramEnding()) {
            Abandoned().Add(child);
            run = {ProgramEnd::NotAwaited};
            break;
        }
    }
    if (processFd >= 0) {
        close(processFd);
    }
    return run;
}

}  // namespace

std::unique_ptr<CapturedRun> CapturedRun::Start(std::string_view commandLine)
{
    Abandoned().ReapEnded();
    int pipeEnds[2];
    // Close-on-exec keeps the read end out of every child; the write end reaches the shell only
    // as its descriptors 1 and 2.
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return nullptr;
    }
    int pipeRead = pipeEnds[0];
    int pipeWrite = pipeEnds[1];
    fcntl(pipeRead, F_SETFL, fcntl(pipeRead, F_GETFL) | O_NONBLOCK);
    // A roomy pipe lets a fast writer run ahead of the runner's small reads instead of waking at
    // every few of them. The system may refuse the size; the default then serves.
    fcntl(pipeRead, F_SETPIPE_SZ, kPipeBytes);

    pid_t shell = SpawnChild({"/bin/sh", "-c", std::string(commandLine)}, pipeWrite, false);
    // Only the shell and what it starts hold the write end now: the pipe closes when they all end.
    close(pipeWrite);
    if (shell == -1) {
        close(pipeRead);
        return nullptr;
    }
    return std::make_unique<PosixCapturedRun>(shell, pipeRead);
}

void SetLaunchRecorder(LaunchRecorder newRecorder) { recorder = newRecorder; }

ProgramRun RunProgram(std::string_view commandLine, bool waitForExit, int showState)
{
    showState = std::clamp(showState, 1, 6);
    if (recorder.programStarted != nullptr) {
        recorder.programStarted(commandLine, waitForExit, showState);
        showState = ShowHidden;
    }
    if (!waitForExit) {
        return {StartDetached(commandLine, showState) ? ProgramEnd::Started : ProgramEnd::NotStarted};
    }
    int pipeEnds[2] = {-1, -1};
    // Nobody sees a hidden program's terminal: what it says is kept for the program to show.
    bool captured = showState == ShowHidden && pipe2(pipeEnds, O_CLOEXEC) == 0;
    pid_t child = StartProcess(commandLine, showState, captured ? pipeEnds[1] : -1);
    if (captured) {
        close(pipeEnds[1]);
        fcntl(pipeEnds[0], F_SETFL, fcntl(pipeEnds[0], F_GETFL) | O_NONBLOCK);
    }
    if (child == -1) {
        if (captured) {
            close(pipeEnds[0]);
        }
        return {};
    }
    ProgramRun run = AwaitEnd(child, captured ? pipeEnds[0] : -1);
    if (captured) {
        close(pipeEnds[0]);
    }
    return run;
}

void OpenWebAddress(std::string_view address)
{
    if (recorder.addressOpened != nullptr) {
        recorder.addressOpened(address);
        return;
    }
    LaunchAddressOpener(address);
}
