// The one procedure behind every package button, and the check that keeps catalogue values from
// reaching the command interpreter as syntax.
#include "catalogue/package_actions.h"

#include <string>

#include "catalogue/catalogue.h"
#include "core/operation_log.h"
#include "core/phone_identity.h"
#include "core/run_verdict.h"
#include "core/window_names.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

bool IsGateOpen(const Gate& gate) { return gate.checkBox.empty() || IsChecked(gate.window, gate.checkBox); }

// Steps of one key behind one gate (a key's two brands) share one reading of the gate.
bool IsSameKeyAndGate(const PackageStep& a, const PackageStep& b)
{
    return a.key == b.key && a.gate.window == b.gate.window && a.gate.checkBox == b.gate.checkBox;
}

bool IsAsciiAllowed(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
           c == '-' || c == ' ';
}

// The C1 control characters U+0080..U+009F, encoded in UTF-8 as C2 80..C2 9F.
bool IsC1Control(std::string_view value, std::size_t i)
{
    return static_cast<unsigned char>(value[i]) == 0xC2 && i + 1 < value.size() &&
           static_cast<unsigned char>(value[i + 1]) >= 0x80 && static_cast<unsigned char>(value[i + 1]) <= 0x9F;
}

// No package name is longer: Android's own limit for a package name is 255 characters.
constexpr std::size_t kLongestPackageName = 255;

constexpr std::string_view kUnsafeName = "包名含有不允许的字符";
constexpr std::string_view kOverlongName = "包名超过 255 个字符";

// Why a catalogue value is not run; empty when it may be.
std::string_view RefusalOf(std::string_view value)
{
    if (!IsSafePackageName(value)) {
        return kUnsafeName;
    }
    return value.size() > kLongestPackageName ? kOverlongName : std::string_view();
}

// Names the section and key, not the value, which may hold anything.
std::string RefusalLine(std::string_view section, std::string_view key, std::string_view why)
{
    return JoinText({"databank.ini 中 [", section, "] ", key, " 的", why, "，已跳过\r\n"});
}

// A removal for the user is taken back with `pm install-existing`, which phones before Android 8.0
// lack: on such a phone the user is asked first (the default answer is No) and pointed to 禁用,
// which can always be undone. A phone that could not be read is not asked about: its commands
// fail with their own causes.
bool MayRemoveFromThisPhone()
{
    const PhoneReading& reading = ActionPhone();
    if (!reading.phone || CanRestoreRemovals(*reading.phone)) {
        return true;
    }
    return AskYesNo(JoinText({"这部手机 ", reading.phone->Name(), " 的系统是 Android 7.1 或更早（SDK ",
                              std::to_string(reading.phone->sdk), "）：卸载后没有命令能把应用装回来，",
                              "只有恢复出厂设置才能找回。\r\n建议改用“禁用”：禁用随时可以解禁。\r\n\r\n仍要卸载吗？"}));
}

// Steps that did not run are reported after the last command, whose run empties the box before
// it starts: below that command's output, or in place of the box's text when nothing ran, so
// that no earlier action's output is mistaken for this one's.
void ShowReasons(const std::string& reasons, bool anyCommandRan)
{
    if (!anyCommandRan) {
        SetText(DesktopWindow, kOutputBox, reasons);
        return;
    }
    std::string shown = GetText(DesktopWindow, kOutputBox);
    bool needsBreak = !shown.empty() && !shown.ends_with("\r\n");
    AppendText(DesktopWindow, kOutputBox, needsBreak ? "\r\n" + reasons : reasons);
}

}  // namespace

std::string_view CommandTemplate(PackageActionKind kind)
{
    switch (kind) {
    case PackageActionKind::Uninstall: return "adb shell pm uninstall --user 0 ";
    case PackageActionKind::Restore: return "adb shell pm install-existing --user 0 ";
    case PackageActionKind::Disable: return "adb shell pm disable-user ";
    case PackageActionKind::Enable: return "adb shell pm enable ";
    }
    return {};
}

bool IsSafePackageName(std::string_view value)
{
    for (std::size_t i = 0; i < value.size(); ++i) {
        auto c = static_cast<unsigned char>(value[i]);
        if (c < 0x80 ? !IsAsciiAllowed(c) : IsC1Control(value, i)) {
            return false;
        }
    }
    return true;
}

void RunPackageAction(const PackageAction& action)
{
    // Its records name the phone read before its first change; that read also finds which packages
    // are installed for the user when they are being brought back.
    ActionScope underway(ActionReads{.installedPackages = action.kind == PackageActionKind::Restore});
    bool asked = false;
    std::string reasons;
    StepTally tally;
    bool anyCommandRan = false;
    bool fileTroubleShown = false;
    bool gateOpen = false;
    const PackageStep* previous = nullptr;
    for (const PackageStep& step : action.steps) {
        if (previous == nullptr || !IsSameKeyAndGate(*previous, step)) {
            gateOpen = IsGateOpen(step.gate);
        }
        previous = &step;
        if (!gateOpen) {
            continue;
        }
        CatalogueEntry entry = CatalogueLookup(step.section, step.key);
        if (entry.state != CatalogueState::Found) {
            // A missing or unreadable file is said once for the action, not once for every step.
            bool fileTrouble = entry.state == CatalogueState::FileMissing || entry.state == CatalogueState::FileUnreadable;
            if (!fileTrouble || !fileTroubleShown) {
                reasons += NothingToRunLine(entry, step.section, step.key, "包名");
            }
            fileTroubleShown = fileTroubleShown || fileTrouble;
            tally.AddNotRun();
            continue;
        }
        std::string commandLine = JoinText({CommandTemplate(action.kind), entry.value});
        if (std::string_view why = RefusalOf(entry.value); !why.empty()) {
            reasons += RefusalLine(step.section, step.key, why);
            RecordRefusal(commandLine, why);
            tally.AddNotRun();
            continue;
        }
        if (action.kind == PackageActionKind::Uninstall && !asked) {
            asked = true;
            if (!MayRemoveFromThisPhone()) {
                ShowMessage("没有卸载任何应用。");
                return;
            }
        }
        Verdict verdict = RunAndJudge(commandLine);
        tally.Add(verdict, IsAlreadySo(commandLine, verdict));
        anyCommandRan = true;
    }
    if (!reasons.empty()) {
        ShowReasons(reasons, anyCommandRan);
    }
    ShowMessage(tally.Message(action.message));
}
