// Modal windows: every other program window disabled, and a nested message loop while the window lives.
#include "platform/win32/live_window.h"

namespace {

void DisableOtherWindows(LiveWindow& modal)
{
    for (LiveWindow* other : OpenLiveWindows()) {
        if (other != &modal && IsWindowEnabled(other->handle)) {
            EnableWindow(other->handle, FALSE);
            modal.disabledWindows.push_back(other->handle);
        }
    }
}

}  // namespace

// Returns when the window has closed, or when the quit message arrives; that one is posted again
// so that the outer loop ends the program too.
void RunModalLoop(std::uint64_t serial, HWND owner)
{
    LiveWindow* modal = FindWindowBySerial(serial);
    if (modal == nullptr) {
        return;
    }
    DisableOtherWindows(*modal);
    MSG message;
    while (FindWindowBySerial(serial) != nullptr) {
        BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (result == -1) {
            break;
        }
        DispatchProgramMessage(message);
    }
    if (LiveWindow* stillOpen = FindWindowBySerial(serial)) {
        for (HWND disabled : stillOpen->disabledWindows) {
            EnableWindow(disabled, TRUE);
        }
        stillOpen->disabledWindows.clear();
    }
    if (owner != nullptr && IsWindow(owner) && IsWindowEnabled(owner)) {
        SetActiveWindow(owner);
    }
}
