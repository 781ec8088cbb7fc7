// Message boxes: caption "信息：", one OK button, task-modal, no owner.
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"
#include "platform/window_system.h"

// A task-modal box without owner leaves no window of the program active when it closes: Esc, Tab
// and typing would reach nothing until the user clicked a window. The window and the control the
// user was in get the keyboard back.
void ShowMessage(std::string_view text)
{
    if (IsProgramEnding()) {
        return;
    }
    std::wstring wide = Utf8ToWide(text);
    HWND active = GetActiveWindow();
    HWND focus = GetFocus();
    MessageBoxW(nullptr, wide.c_str(), L"信息：", MB_OK | MB_TASKMODAL);
    if (active == nullptr || !IsWindow(active) || !IsWindowEnabled(active)) {
        return;
    }
    SetForegroundWindow(active);
    if (focus != nullptr && IsWindow(focus) && IsChild(active, focus) && IsWindowVisible(focus)) {
        SetFocus(focus);
    }
}
