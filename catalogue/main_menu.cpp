// The main menu's "查看连接设备": a whole command line kept in the catalogue.
#include "catalogue/main_menu.h"

#include "catalogue/catalogue.h"
#include "core/runner.h"

// The value is a complete command line chosen by whoever maintains the catalogue, so it is run
// as it stands, unlike the package names that the other buttons append to their templates.
void ListConnectedDevices(const EventArgs&)
{
    RunCommandLine(CatalogueLookup("主菜单", "查看设备"));
}
