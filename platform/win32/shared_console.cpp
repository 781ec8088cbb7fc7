// Sharing one hidden console among the program's hidden children.
#include "platform/win32/shared_console.h"

namespace {

// Whether this program took a child's console: only then are its code pages the program's to reset.
bool consoleTaken = false;

// GetConsoleCP fails, returning 0, when the process has no console.
bool HasConsole() { return GetConsoleCP() != 0; }

}  // namespace

DWORD ConsoleCreationFlags(bool hidden) { return hidden ? 0 : CREATE_NEW_CONSOLE; }

// AttachConsole fails with ERROR_INVALID_HANDLE while the child has no console yet (it creates it
// as it starts up) and once the child has ended; the next call, or the next child, tries again.
void ShareConsoleOf(DWORD childProcessId)
{
    if (HasConsole()) {
        return;
    }
    consoleTaken = AttachConsole(childProcessId) != 0;
}

void ResetSharedConsoleCodePages()
{
    if (!consoleTaken) {
        return;
    }
    UINT system = GetOEMCP();
    if (GetConsoleOutputCP() != system) {
        SetConsoleOutputCP(system);
    }
    if (GetConsoleCP() != system) {
        SetConsoleCP(system);
    }
}
