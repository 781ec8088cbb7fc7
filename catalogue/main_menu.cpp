// The main menu's "查看连接设备": a whole command line kept in the catalogue.
#include "catalogue/main_menu.h"

#include <string_view>

#include "catalogue/catalogue.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/window_system.h"

namespace {

constexpr std::string_view kSection = "主菜单";
constexpr std::string_view kKey = "查看设备";

}  // namespace

// The value is a complete command line chosen by whoever maintains the catalogue, so it is run
// as it stands, unlike the package names that the other buttons append to their templates.
// Without one nothing runs, and the output box says why in place of its earlier text.
void ListConnectedDevices(const EventArgs&)
{
    CatalogueEntry entry = CatalogueLookup(kSection, kKey);
    if (entry.state != CatalogueState::Found) {
        SetText(DesktopWindow, kOutputBox, NothingToRunLine(entry, kSection, kKey, "命令"));
        return;
    }
    RunCommandLine(entry.value);
}
