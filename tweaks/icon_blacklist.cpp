// The status-bar icon blacklist: the ticked icons' keywords written to the phone's secure setting.
#include "tweaks/icon_blacklist.h"

#include <array>
#include <string>
#include <string_view>

#include "core/operation_log.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/window_system.h"
#include "ui/window_ids.h"

namespace {

struct IconChoice {
    std::string_view checkBox;
    std::string_view keyword;  // the system UI's name for the icon
};

// In the order the keywords are sent.
constexpr std::array<IconChoice, 7> kIcons = {{
    {"选择框1", "nfc"},
    {"选择框2", "volte_call"},
    {"选择框3", "phone_signal"},
    {"选择框4", "location"},
    {"选择框5", "battery"},
    {"选择框6", "powersavingmode"},
    {"选择框7", "eyes_protect"},
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

}  // namespace

void HideStatusBarIcons(const EventArgs&)
{
    RunAndRecord(JoinText({"adb shell settings put secure icon_blacklist ", TickedKeywords()}));
    ShowMessage("执行完成，部分不生效");
}

// Started, not run: the output box keeps what it shows and the message comes at once.
void RestoreStatusBarIcons(const EventArgs&)
{
    StartAndRecord("adb shell settings put secure icon_blacklist null", false, ShowHidden);
    ShowMessage("完成");
}
