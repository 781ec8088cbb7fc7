// Message boxes: caption "信息：", task-modal, no owner; OK, or Yes and No for a question.
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"
#include "platform/window_system.h"

namespace {

// A task-modal box without owner leaves no window of the program active when it closes: Esc, Tab
// and typing would reach nothing until the user clicked a window. The window and the control the
// user was in get the keyboard back.
int ShowBox(std::string_view text, UINT buttons)
{
    std::wstring wide = Utf8ToWide(text);
    HWND active = GetActiveWindow();
    HWND focus = GetFocus();
    int pressed = MessageBoxW(nullptr, wide.c_str(), L"信息：", buttons | MB_TASKMODAL);
    if (active == nullptr || !IsWindow(active) || !IsWindowEnabled(active)) {
        return pressed;
    }
    SetForegroundWindow(active);
    if (focus != nullptr && IsWindow(focus) && IsChild(active, focus) && IsWindowVisible(focus)) {
        SetFocus(focus);
    }
    return pressed;
}

}  // namespace

void ShowMessage(std::string_view text)
{
    if (!IsProgramEnding()) {
        ShowBox(text, MB_OK);
    }
}

// No is the default button: Enter alone must not do what the question asks.
bool AskYesNo(std::string_view question)
{
    return !IsProgramEnding() && ShowBox(question, MB_YESNO | MB_DEFBUTTON2) == IDYES;
}
