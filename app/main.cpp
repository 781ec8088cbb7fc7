// The Windows program's entry: platform start-up, the common controls, then the program itself.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "core/program.h"
#include "platform/system.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    InitialisePlatform();
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's "open" verb may hand a web address to COM-based handlers.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    return RunPellucor();
}
