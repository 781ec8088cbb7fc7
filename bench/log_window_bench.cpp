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


double Seconds(Clock::duration span) { return std::chrono::duration<double>(span).count(); }

#ifdef _WIN32
// From a thread of its own, posts a message to a window of the program every 10 ms and waits until
// the window procedure has seen it, as it sees a click: the longest wait is the longest time the
// program did not respond. A sent message would not do: Wine answers one inside many system calls
// that never take input off the queue.
constexpr UINT kProbeMessage = WM_APP + 0x3A;
std::atomic<unsigned> probesAnswered = 0;
WNDPROC windowProcedure = nullptr;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbeMessage) {
        ++probesAnswered;
        return 0;
    }
    return CallWindowProcW(windowProcedure, window, message, wParam, lParam);
}

class AnswerWatch {
public:
    AnswerWatch() : window_(FindOpenWindow(DesktopWindow)->handle)
    {
        if (windowProcedure == nullptr) {
            windowProcedure = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProcedure)));
        }
        thread_ = std::thread([this] { Watch(); });
    }
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;
    ~AnswerWatch() { Finish(); }
    // Stops asking; the longest wait for an answer. A probe posted meanwhile is answered only
    // while this thread lets messages through.
    double Finish()
    {
        stop_ = true;
        while (!stopped_) {
            ProcessPendingEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (thread_.joinable()) {
            thread_.join();
        }
        return longest_.load();
    }

private:
    void Watch()
    {
        while (!stop_) {
            auto asked = Clock::now();
            unsigned answered = probesAnswered;
            PostMessageW(window_, kProbeMessage, 0, 0);
            while (probesAnswered == answered) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            longest_ = std::max(longest_.load(), Seconds(Clock::now() - asked));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        stopped_ = true;
    }
    HWND window_;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> stopped_ = false;
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
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;
    ~AnswerWatch() { headless::SetAnswerProbe(nullptr); }
    // Stops watching; the longest time without an answer.
    double Finish()
    {
        headless::SetAnswerProbe(nullptr);
        return std::max(longest_, Seconds(Clock::now() - last_));
    }

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

// The rotated log and the current one; UTF-8 names, which a narrow string is not taken for on Windows.
const fs::path kLogFiles[] = {fs::path(u8"操作记录.old.txt"), fs::path(u8"操作记录.txt")};

std::string RecordLine(int i)
{
    std::string package = "com.vendor.app" + std::to_string(i % 400);
    return "2026-12-07 15:06:55 | 华为 · 一键卸载 | adb shell pm uninstall --user 0 " + package +
           " | Success | 撤销：adb shell pm install-existing --user 0 " + package + "\r\n";
}

void Measure(const char* what, const std::function<void()>& action)
{
    auto start = Clock::now();
    AnswerWatch watch;
    action();
    double total = Seconds(Clock::now() - start);
    double longest = watch.Finish();
    std::printf("%-12s %12.1f %16.1f\n", what, total * 1000, longest * 1000);
}

}  // namespace

// An optional argument sets the records of each of the two files (10,000).
int main(int argc, char** argv)
{
    const int recordsPerFile = argc > 1 ? std::atoi(argv[1]) : 10000;
    InitialisePlatform();
    CreateCommandState();
    const WindowDeclaration* const windows[] = {&kProbeWindow, &OperationLogWindowDeclaration()};
    InitialiseWindowSystem(windows);
    const fs::path folder(ProgramDirectory());
    std::size_t bytes = 0;
    for (int file = 0; file < 2; ++file) {
        std::ofstream out(folder / kLogFiles[file], std::ios::binary | std::ios::trunc);
        for (int i = 0; i < recordsPerFile; ++i) {
            std::string line = RecordLine(file * recordsPerFile + i);
            bytes += line.size();
            out << line;
        }
    }
    OpenWindow(DesktopWindow, false);
    std::printf("%d records, %.1f MB\n", 2 * recordsPerFile, static_cast<double>(bytes) / 1048576.0);
    std::printf("%-12s %12s %16s\n", "action", "total (ms)", "longest gap (ms)");
    Measure("open", [] { OpenWindow(OperationLogWindow, false); });
    Measure("refresh", [] { ShowOperationLog({}); });
    std::printf("the box holds %.1f MB\n", static_cast<double>(GetText(OperationLogWindow, "记录编辑框").size()) / 1048576.0);
    for (const fs::path& file : kLogFiles) {
        fs::remove(folder / file);
    }
    ReleaseCommandState();
    return 0;
}
