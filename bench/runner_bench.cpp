// Runner benchmark: CPU spent while a command sleeps, the cost of capturing 10 MB of output, and
// how long output of awkward shapes (one long line, a flood on standard error) takes to show.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "core/command_state.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/system.h"
#include "platform/window_system.h"

#ifdef _WIN32
#include "platform/win32/live_window.h"
#include "platform/win32/windows_api.h"
#else
#include <sys/resource.h>
#endif

namespace {

#ifdef _WIN32
double ProcessCpuSeconds()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// From a thread of its own, asks the output window for an answer (WM_NULL) every 50 ms while it
// lives; the longest wait for an answer is the longest time the window did not respond.
class AnswerWatch {
public:
    AnswerWatch() : window_(FindOpenWindow(DesktopWindow)->handle), thread_([this] { Watch(); }) {}
    ~AnswerWatch()
    {
        stop_ = true;
        thread_.join();
    }
    std::optional<double> LongestWaitSeconds() const { return longest_.load(); }

private:
    void Watch()
    {
        while (!stop_) {
            auto asked = std::chrono::steady_clock::now();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &ignored);
            double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
            longest_ = std::max(longest_.load(), waited);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    HWND window_;
    std::atomic<bool> stop_ = false;
    std::atomic<double> longest_ = 0;
    std::thread thread_;
};
#else
double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The headless window system answers no one but its own thread: there is nothing to ask.
class AnswerWatch {
public:
    std::optional<double> LongestWaitSeconds() const { return std::nullopt; }
};
#endif

constexpr long kDefaultCaptureMegabytes = 10;
constexpr int kSleepMs = 2000;
constexpr const char* kOutputFile = "runner_bench_output.tmp";
// Each capture is timed this often and the fastest taken, so that a busy machine disturbs less.
constexpr int kCaptureRounds = 3;

// The desktop window's output box: its size and font decide how the box wraps lines.
constexpr ControlDeclaration kDesktopControls[] = {
    EditBox("回显编辑框", "", {8, 8, 600, 144}).Framed(Border::Single).MultiLine().Scrolled().ReadOnly().Font({"新宋体", 14}),
};
constexpr WindowDeclaration kDesktop{DesktopWindow, "Pellucor runner benchmark", 640, 200, kNoColour, kDesktopControls};
const WindowDeclaration* const kWindows[] = {&kDesktop};

// The commands the benchmark runs are this program itself, so they are the same on every system.
int Emit(long bytes)
{
    const std::string line = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-_\n";
    std::string block;
    while (block.size() + line.size() <= 64 * 1024) {
        block += line;
    }
    for (long left = bytes; left > 0; left -= static_cast<long>(block.size())) {
        std::fwrite(block.data(), 1, std::min<std::size_t>(block.size(), static_cast<std::size_t>(left)), stdout);
    }
    return 0;
}

// One line of that many bytes without a line break, of one long word or of many short ones: a
// box that wraps words spends more time on a line the more places it may wrap it at.
int EmitLine(long bytes, bool words)
{
    const std::string block = words ? "state=ACTIVE flags=0x3c83e44 uid=10123 pid=4711 user=0 enabled=true  "
                                    : "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-_";
    for (long left = bytes; left > 0; left -= static_cast<long>(block.size())) {
        std::fwrite(block.data(), 1, std::min<std::size_t>(block.size(), static_cast<std::size_t>(left)), stdout);
    }
    return 0;
}

// That many lines of one character each, on standard error.
int EmitShortLines(long lines)
{
    for (long line = 0; line < lines; ++line) {
        std::fputs("x\n", stderr);
    }
    return 0;
}

struct Measured {
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

Measured TimeRun(const std::string& command)
{
    State().currentCommand = command;
    double cpuBefore = ProcessCpuSeconds();
    auto start = std::chrono::steady_clock::now();
    RunCurrentCommand();
    std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return {wall.count(), ProcessCpuSeconds() - cpuBefore};
}

// Starting and ending a command costs the same whether it then sleeps or not: a run of a command
// that does not sleep is taken off, so that what remains is the cost of the waiting itself.
void MeasureWaiting()
{
    Measured startAndEnd = TimeRun("runner_bench --sleep 0");
    Measured whole = TimeRun("runner_bench --sleep " + std::to_string(kSleepMs));
    double waitingSeconds = whole.wallSeconds - startAndEnd.wallSeconds;
    double waitingCpuSeconds = std::max(whole.cpuSeconds - startAndEnd.cpuSeconds, 0.0);
    std::printf("Waiting on a command that sleeps %.1f s: %.2f %% of one core while waiting, %.2f %% over the whole "
                "run with start and end (target below 1 %%)\n",
                waitingSeconds, 100.0 * waitingCpuSeconds / waitingSeconds,
                100.0 * whole.cpuSeconds / whole.wallSeconds);
}

double FastestRun(const std::string& command)
{
    double fastest = TimeRun(command).wallSeconds;
    for (int round = 1; round < kCaptureRounds; ++round) {
        fastest = std::min(fastest, TimeRun(command).wallSeconds);
    }
    return fastest;
}

void MeasureCapture(long bytes)
{
    std::string emit = "runner_bench --emit " + std::to_string(bytes);
    double captured = FastestRun(emit);
    std::size_t shown = GetText(DesktopWindow, "回显编辑框").size();
    double toFile = FastestRun(emit + " > " + kOutputFile);
    std::error_code ignored;
    std::uintmax_t written = std::filesystem::file_size(kOutputFile, ignored);
    std::filesystem::remove(kOutputFile, ignored);
    std::printf("Capturing %ld bytes: %.3f s into the output box (%zu bytes shown), %.3f s into a file (%ju bytes): "
                "ratio %.2f (target at most 2)\n",
                bytes, captured, shown, toFile, written, captured / toFile);
}

// Each shape is shown once: before long lines were broken for the box, one took minutes.
void MeasureShape(const char* shape, const std::string& command)
{
    AnswerWatch watch;
    double seconds = TimeRun(command).wallSeconds;
    std::size_t shown = GetText(DesktopWindow, "回显编辑框").size();
    std::printf("Showing %s: %.2f s (%zu bytes shown)", shape, seconds, shown);
    if (std::optional<double> longest = watch.LongestWaitSeconds()) {
        std::printf(", the window answered within %.2f s at worst (target well below 1 s)", *longest);
    }
    std::printf("\n");
}

}  // namespace

// runner_bench [megabytes to capture, 10 when left out]
int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--emit") == 0) {
        return Emit(std::atol(argv[2]));
    }
    if (argc == 3 && std::strcmp(argv[1], "--emit-line") == 0) {
        return EmitLine(std::atol(argv[2]), false);
    }
    if (argc == 3 && std::strcmp(argv[1], "--emit-words") == 0) {
        return EmitLine(std::atol(argv[2]), true);
    }
    if (argc == 3 && std::strcmp(argv[1], "--emit-short-lines") == 0) {
        return EmitShortLines(std::atol(argv[2]));
    }
    if (argc == 3 && std::strcmp(argv[1], "--sleep") == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(argv[2])));
        return 0;
    }
    long megabytes = argc == 2 ? std::atol(argv[1]) : kDefaultCaptureMegabytes;
    if (megabytes <= 0) {
        std::fprintf(stderr, "usage: runner_bench [megabytes to capture]\n");
        return 2;
    }
    // The program's directory becomes the current one, where the commands above are found.
    InitialisePlatform();
    InitialiseWindowSystem(kWindows);
    CreateCommandState();
    if (!OpenWindow(DesktopWindow, false)) {
        std::fprintf(stderr, "runner_bench: the output window cannot be opened\n");
        return 1;
    }
    MeasureWaiting();
    MeasureCapture(megabytes * 1024 * 1024);
    MeasureShape("one line of 64 KB", "runner_bench --emit-line 65536");
    MeasureShape("one line of 2 MB", "runner_bench --emit-line 2097152");
    MeasureShape("one line of 2 MB of short words", "runner_bench --emit-words 2097152");
    MeasureShape("5 MB on standard error", "runner_bench --emit 5242880 1>&2");
    MeasureShape("200000 lines of one character", "runner_bench --emit-short-lines 200000");
    ReleaseCommandState();
    return 0;
}
