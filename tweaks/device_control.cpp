// Reboots, wireless debugging, the adb server and the Android release query.
#include "tweaks/device_control.h"

#include <string_view>

#include "core/operation_log.h"
#include "core/run_verdict.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/window_system.h"
#include "tweaks/device_queries.h"

namespace {

// Fire and forget: adb is started hidden, nobody waits for it and nothing is said, so a phone
// that is already rebooting never holds up the window.
void StartReboot(std::string_view commandLine) { StartAndRecord(commandLine, false, ShowHidden); }

}  // namespace

void RebootPhone(const EventArgs&) { StartReboot("adb reboot"); }
void RebootToRecovery(const EventArgs&) { StartReboot("adb reboot recovery"); }
void RebootToBootloader(const EventArgs&) { StartReboot("adb reboot-bootloader"); }
void RebootToFastboot(const EventArgs&) { StartReboot("adb reboot fastboot"); }

void StopAdbServer(const EventArgs&)
{
    RunAndRecord("adb kill-server");
    ShowMessage("断开完成");
}

// The port box is read-only, so the switch normally uses 5555; the address goes out exactly as
// typed, the example text included when the user left it. The message says done only when adbd
// took the port and the server connected.
void SwitchToWirelessDebugging(const EventArgs&)
{
    StepTally tally;
    tally.Add(RunAndJudge(JoinText({"adb tcpip ", GetText(DesktopWindow, kPortBox)})));
    tally.Add(RunAndJudge(JoinText({"adb connect ", GetText(DesktopWindow, kAddressBox)})));
    ShowMessage(tally.Message("现在您可以查询连接设备中是否有该IP设备"));
}

// The answer is copied unparsed, line break and any error text included.
void QueryAndroidRelease(const EventArgs&)
{
    SetText(DesktopWindow, kReleaseBox, RunCommandLine("adb shell getprop ro.build.version.release").output);
}
