// Bulk benchmark: "一键卸载" on the 华为 page (26 package steps through the real window system and
// runner, against the test phone) beside the same commands run bare through the interpreter, with
// the time of each stage of a step (the operation log's records among them), so that what the
// program adds can be found; and a settings action (默认高刷, two settings) beside its changes run
// bare. Each action's adb calls are counted: its changes and its reads of the phone.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/redundant_services.h"
#include "core/command_state.h"
#include "core/operation_log.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/process.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "tweaks/display_settings.h"
#include "ui/windows.h"

#ifdef _WIN32
#include "support/message_box_answerer.h"
#endif

namespace {

constexpr int kRounds = 5;
constexpr int kChunkBytes = 1023;

void SetEnvironment(const char* name, const std::string& value)
{
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

double Seconds(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The fastest of a few rounds of each, in seconds. The works take turns round by round, so that
// a machine busy with other things disturbs them alike.
std::vector<double> Fastest(const std::vector<std::function<void()>>& works)
{
    std::vector<double> fastest(works.size(), 1e9);
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < works.size(); ++i) {
            fastest[i] = std::min(fastest[i], Seconds(works[i]));
        }
    }
    return fastest;
}

// From the click to the completion message answered.
void ClickBulkUninstall()
{
#ifdef _WIN32
    MessageBoxAnswerer user;
#endif
    UninstallHuaweiRedundantServices({});
}

void ClickDefaultRefreshRate()
{
#ifdef _WIN32
    MessageBoxAnswerer user;
#endif
    ApplyDefaultRefreshRate({});
}

// The command lines an action runs, its reads among them, as the test phone logs them.
std::vector<std::string> CommandsOf(void (*action)())
{
    const std::string log = "bulk_bench_adb.log";
    std::remove(log.c_str());
    SetEnvironment("FAKE_ADB_LOG", log);
    action();
    SetEnvironment("FAKE_ADB_LOG", "");
    std::vector<std::string> commands;
    std::ifstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        commands.push_back(line);
    }
    lines.close();
    std::remove(log.c_str());
    return commands;
}

// The floor: each command started through the interpreter with its output captured and read to
// its end, and nothing else.
void RunBare(const std::vector<std::string>& commands)
{
    for (const std::string& command : commands) {
        std::unique_ptr<CapturedRun> run = CapturedRun::Start(command);
        while (run != nullptr && !(run->ReadAvailable(kChunkBytes).empty() && run->HasExited())) {
            run->WaitForActivity(100);
        }
    }
}

void RunThroughTheRunner(const std::vector<std::string>& commands)
{
    for (const std::string& command : commands) {
        State().currentCommand = command;
        RunCurrentCommand();
    }
}

// The records alone: a refused step's record takes the same way to the log file as a run's.
void RecordOnly(const std::vector<std::string>& commands)
{
    for (const std::string& command : commands) {
        RecordRefusal(command, "包名含有不允许的字符");
    }
}

// The commands that change the phone: those the reads of the phone leave.
std::vector<std::string> ChangesAmong(std::vector<std::string> commands)
{
    std::erase_if(commands, [](const std::string& command) {
        return command.starts_with("adb shell getprop") || command.starts_with("adb shell pm list") ||
               command.starts_with("adb shell settings get");
    });
    return commands;
}

void Report(const char* stage, double seconds, std::size_t steps)
{
    std::printf("  %-38s %7.3f s  %6.1f ms a step\n", stage, seconds, 1000 * seconds / static_cast<double>(steps));
}

// The settings action beside the bare runs of its changes.
void ReportSettingsAction()
{
    std::vector<std::string> commands = CommandsOf(ClickDefaultRefreshRate);
    std::vector<std::string> changes = ChangesAmong(commands);
    std::vector<double> times = Fastest({ClickDefaultRefreshRate, [&changes] { RunBare(changes); }});
    std::printf("Settings action (默认高刷): %zu adb calls for %zu changes\n", commands.size(), changes.size());
    Report("the whole action, click to message", times[0], changes.size());
    Report("bare runs of its changes (the floor)", times[1], changes.size());
    std::printf("Settings ratio %.2f (to the bare runs of its changes)\n", times[0] / times[1]);
}

}  // namespace

int main()
{
    // The program's directory becomes the current one: the test phone's adb and the sample
    // catalogue lie there.
    InitialisePlatform();
    static const std::array<const WindowDeclaration*, 1> windows = {&DesktopWindowDeclaration()};
    InitialiseWindowSystem(windows);
    CreateCommandState();
    if (!OpenWindow(DesktopWindow, false)) {
        std::fprintf(stderr, "bulk_bench: the desktop window cannot be opened\n");
        return 1;
    }
    std::vector<std::string> commands = CommandsOf(ClickBulkUninstall);
    std::vector<std::string> changes = ChangesAmong(commands);
    const std::size_t steps = commands.size();
    std::vector<double> times = Fastest({
        ClickBulkUninstall,
        [&commands] { RunBare(commands); },
        [&changes] { RunBare(changes); },
        [&commands] { RunThroughTheRunner(commands); },
        [&commands] { RecordOnly(commands); },
        [steps] {
            for (std::size_t i = 0; i < steps; ++i) {
                CatalogueLookup("华为", "冗余工作资料");
            }
        },
        [steps] {
            for (std::size_t i = 0; i < steps; ++i) {
                SetText(DesktopWindow, kOutputBox, "请等待运行");
                RepaintNow(DesktopWindow, kOutputBox);
                SetText(DesktopWindow, kOutputBox, "");
            }
        },
    });
    const double whole = times[0], bare = times[1], bareChanges = times[2], runner = times[3], records = times[4],
                 lookups = times[5], notices = times[6];
    std::printf("Bulk uninstall: %zu adb calls for %zu changes, timed per call:\n", steps, changes.size());
    Report("the whole action, click to message", whole, steps);
    Report("the runner alone (same commands)", runner, steps);
    Report("of which the wait notice painted", notices, steps);
    Report("catalogue reads", lookups, steps);
    Report("operation-log records", records, steps);
    Report("bare interpreter runs (the floor)", bare, steps);
    std::printf("Bulk ratio %.2f (target at most 1.2)\n", whole / bare);
    std::printf("Bulk ratio without recording %.2f\n", (whole - records) / bare);
    std::printf("Bulk ratio to the bare runs of its %zu changes alone %.2f (target at most 1.15)\n", changes.size(),
                whole / bareChanges);
    ReportSettingsAction();
    ReleaseCommandState();
    return 0;
}
