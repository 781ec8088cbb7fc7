// Operation-log window benchmark: how long opening the window and 刷新 take with 20,000 records
// (3 MB in the rotated log and the current one), and the longest time the program does not answer.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "core/command_state.h"
#include "core/operation_log_window.h"
#include "core/window_names.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "ui/windows.h"

#ifdef _WIN32
#include "platform/win32/live_window.h"
#include "platform/win32/windows_api.h"
#else
#include "platform/headless/driver.h"
#endif

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRecordsPerFile = 10000;

double Seconds(Clock::duration span) { return std::chrono::duration<double>(span).count(); }

#ifdef _WIN32
// From a thread of its own, asks a window of the program for an answer (WM_NULL) every 10 ms; the
// longest wait for an answer is the longest time the program did not respond.
class AnswerWatch {
public:
    AnswerWatch() : window_(FindOpenWindow(DesktopWindow)->handle), thread_([this] { Watch(); }) {}
    ~AnswerWatch()
    {
        stop_ = true;
        thread_.join();
    }
    double LongestGapSeconds() const { return longest_.load(); }

private:
    void Watch()
    {
        while (!stop_) {
            auto asked = Clock::now();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &ignored);
            longest_ = std::max(longest_.load(), Seconds(Clock::now() - asked));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    HWND window_;
    std::atomic<bool> stop_ = false;
    std::atomic<double> longest_ = 0;
    std::thread thread_;
};
#else
// The headless window system answers at every pass of ProcessPendingEvents: the longest time
// between two passes, or from the start or to the end, is the longest time it did not respond.
class AnswerWatch {
public:
    AnswerWatch()
    {
        headless::SetAnswerProbe([this] {
            auto now = Clock::now();
            longest_ = std::max(longest_, Seconds(now - last_));
            last_ = now;
        });
    }
    ~AnswerWatch() { headless::SetAnswerProbe(nullptr); }
    double LongestGapSeconds() const { return std::max(longest_, Seconds(Clock::now() - last_)); }

private:
    Clock::time_point last_ = Clock::now();
    double longest_ = 0;
};
#endif

// A window of the benchmark's own, which stays open and is asked for answers.
constexpr ControlDeclaration kProbeControls[] = {
    Label("说明", "Pellucor operation-log window benchmark", {8, 8, 300, 24}),
};
constexpr WindowDeclaration kProbeWindow{DesktopWindow, "Pellucor log window benchmark", 320, 60, kNoColour, kProbeControls};

std::string RecordLine(int i)
{
    std::string package = "com.vendor.app" + std::to_string(i % 400);
    return "2026-12-07 15:06:55 | 华为 · 一键卸载 | adb shell pm uninstall --user 0 " + package +
           " | Success | 撤销：adb shell pm install-existing --user 0 " + package + "\r\n";
}

void Measure(const char* what, const std::function<void()>& action)
{
    auto start = Clock::now();
    double longest = 0;
    {
        AnswerWatch watch;
        action();
        longest = watch.LongestGapSeconds();
    }
    std::printf("%-12s %12.1f %16.1f\n", what, Seconds(Clock::now() - start) * 1000, longest * 1000);
}

}  // namespace

int main()
{
    InitialisePlatform();
    CreateCommandState();
    const WindowDeclaration* const windows[] = {&kProbeWindow, &OperationLogWindowDeclaration()};
    InitialiseWindowSystem(windows);
    const fs::path folder(ProgramDirectory());
    std::size_t bytes = 0;
    for (int file = 0; file < 2; ++file) {
        std::ofstream out(folder / (file == 0 ? "操作记录.old.txt" : "操作记录.txt"), std::ios::binary | std::ios::trunc);
        for (int i = 0; i < kRecordsPerFile; ++i) {
            std::string line = RecordLine(file * kRecordsPerFile + i);
            bytes += line.size();
            out << line;
        }
    }
    OpenWindow(DesktopWindow, false);
    std::printf("%d records, %.1f MB\n", 2 * kRecordsPerFile, static_cast<double>(bytes) / 1048576.0);
    std::printf("%-12s %12s %16s\n", "action", "total (ms)", "longest gap (ms)");
    Measure("open", [] { OpenWindow(OperationLogWindow, false); });
    Measure("refresh", [] { ShowOperationLog({}); });
    fs::remove(folder / "操作记录.old.txt");
    fs::remove(folder / "操作记录.txt");
    ReleaseCommandState();
    return 0;
}
