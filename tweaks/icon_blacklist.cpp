// The status-bar icon blacklist: the ticked icons' keywords written to the phone's secure setting.
#include "tweaks/icon_blacklist.h"

#include <array>
#include <string>
#include <string_view>

#include "core/operation_log.h"
#include "core/run_verdict.h"
#include "core/window_names.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

struct IconChoice {
    std::string_view checkBox;
    std::string_view keyword;  // the system UI's name for the icon
};

// In the order the keywords are sent.
constexpr std::array<IconChoice, 7> kIcons = {{
    {kNfcIconBox, "nfc"},
    {kHdIconBox, "volte_call"},
    {kSignalIconBox, "phone_signal"},
    {kLocationIconBox, "location"},
    {kBatteryIconBox, "battery"},
    {kPowerSavingIconBox, "powersavingmode"},
    {kEyeComfortIconBox, "eyes_protect"},
}};

// The whole list, rebuilt from the boxes on every click: the setting holds only what is sent last.
std::string TickedKeywords()
{
    std::string keywords;
    for (const IconChoice& icon : kIcons) {
        if (IsChecked(DesktopWindow, icon.checkBox)) {
            if (!keywords.empty()) {
                keywords += ',';
            }
            keywords += icon.keyword;
        }
    }
    return keywords;
}

// The declared message once Android took the setting; otherwise why not.
void PutIconBlacklist(std::string_view value, std::string_view message)
{
    StepTally tally;
    tally.Add(RunAndJudge(JoinText({"adb shell settings put secure icon_blacklist ", value})));
    ShowMessage(tally.Message(message));
}

}  // namespace

void HideStatusBarIcons(const EventArgs&) { PutIconBlacklist(TickedKeywords(), "执行完成，部分不生效"); }

// Run like every other setting, so that the list it replaces is read first and can be put back.
void RestoreStatusBarIcons(const EventArgs&) { PutIconBlacklist("null", "完成"); }
