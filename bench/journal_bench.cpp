// Journal benchmark: reading a log's records back as the operation-log window does, parsing them and
// planning an undo and a reapply, for journals of growing size.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/journal.h"
#include "core/operation_log_window.h"
#include "platform/files.h"
#include "platform/system.h"

namespace {

// A record line of the mix users make: package removals and their way back, settings, the Google
// switch, reboots; 400 packages touched again and again.
std::string RecordLine(int i)
{
    std::string package = "com.vendor.app" + std::to_string(i % 400);
    std::string time = "2026-12-07 15:06:55 | ";
    switch (i % 8) {
    case 0:
    case 1:
    case 2:
        return time + "华为 · 一键卸载 | adb shell pm uninstall --user 0 " + package +
               " | Success | 撤销：adb shell pm install-existing --user 0 " + package;
    case 3:
        return time + "华为 · 装回 | adb shell pm install-existing --user 0 " + package + " | Package " + package +
               " installed for user: 0 | 撤销：adb shell pm uninstall --user 0 " + package;
    case 4:
        return time + "巅峰性能 · 禁用 | adb shell pm disable-user " + package + " | Package " + package +
               " new state: disabled-user | 撤销：adb shell pm enable " + package;
    case 5:
        return time + "功能 · 设置 | adb shell settings put global window_animation_scale 0." + std::to_string(i % 9) +
               " | （无输出） | 撤销：adb shell settings put global window_animation_scale 1.0";
    case 6:
        return time + "华为 · 禁用 | " + ScriptFileName("goolgle_dis") + " | 已完成 | 撤销：" + ScriptFileName("goolgle_abl");
    default:
        return time + "主菜单 · 一键重启 | adb reboot | 已启动";
    }
}

// The Google switch's two scripts, as they declare their changes.
const ScriptChanges kScripts = {
    {ScriptFileName("goolgle_dis"), {*ChangeOf("adb shell pm disable-user com.google.android.gms"),
                                     *ChangeOf("adb shell pm disable-user com.google.android.gsf"),
                                     *ChangeOf("adb shell pm disable-user com.android.vending")}},
    {ScriptFileName("goolgle_abl"), {*ChangeOf("adb shell pm enable com.google.android.gms"),
                                     *ChangeOf("adb shell pm enable com.google.android.gsf"),
                                     *ChangeOf("adb shell pm enable com.android.vending")}},
};

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main()
{
    std::printf("%10s %10s %12s %12s %12s %8s\n", "records", "MB", "read (ms)", "undo (ms)", "reapply (ms)", "steps");
    for (int count : {1000, 10000, 20000}) {
        FileTail file;
        for (int i = 0; i < count; ++i) {
            std::string line = RecordLine(i) + "\r\n";
            file.bytes.insert(file.bytes.end(), line.begin(), line.end());
        }
        auto start = std::chrono::steady_clock::now();
        std::string shown = LogTextForDisplay(file);
        std::vector<JournalRecord> records;
        for (std::size_t at = 0; at < shown.size();) {
            std::size_t end = shown.find("\r\n", at);
            if (auto record = ParseRecord(std::string_view(shown).substr(at, end - at))) {
                records.push_back(std::move(*record));
            }
            at = end + 2;
        }
        double parsed = Seconds(start);
        start = std::chrono::steady_clock::now();
        Plan undo = PlanUndo(records, kScripts);
        double undone = Seconds(start);
        start = std::chrono::steady_clock::now();
        Plan reapply = PlanReapply(records, kScripts);
        double reapplied = Seconds(start);
        std::printf("%10zu %10.1f %12.1f %12.1f %12.1f %8zu\n", records.size(), file.bytes.size() / 1048576.0,
                    parsed * 1000, undone * 1000, reapplied * 1000, undo.steps.size() + reapply.steps.size());
    }
    return 0;
}
