// The message loops, the window-level keys (Esc closes, Tab moves the focus) and the pending quit.
#include "platform/win32/live_window.h"
#include "platform/window_system.h"

namespace {

bool programEnding = false;

void MoveFocus(LiveWindow& window, bool backwards)
{
    HWND focus = GetFocus();
    HWND from = focus != nullptr && IsChild(window.handle, focus) ? focus : nullptr;
    HWND next = GetNextDlgTabItem(window.handle, from, backwards ? TRUE : FALSE);
    if (next == nullptr) {
        return;
    }
    SetFocus(next);
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageW(next, EM_SETSEL, 0, -1);
    }
}

// Esc and Tab act on the window, whatever control has the focus; every other key (Enter
// included) goes to the focused control as usual. The dialog manager is not used: it would turn
// Enter into a default-button press and let arrow keys move the focus.
bool HandleWindowKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    LiveWindow* window = WindowOfHandle(message.hwnd);
    if (window == nullptr || !IsWindowEnabled(window->handle)) {
        return false;
    }
    int modifiers = CurrentModifiers();
    bool closes = message.wParam == VK_ESCAPE && modifiers == 0;
    bool tabs = message.wParam == VK_TAB && (modifiers & ~ModifierShift) == 0;
    if (!closes && !tabs) {
        return false;
    }
    // The focused control still sees the key first; its handler may close the window.
    std::uint64_t serial = window->serial;
    if (LiveControl* focused = ControlOfHandle(message.hwnd)) {
        RaiseEvent(*focused, Event::KeyDown, {static_cast<int>(message.wParam), modifiers});
    }
    window = FindWindowBySerial(serial);
    if (window == nullptr) {
        return true;
    }
    if (closes) {
        SendMessageW(window->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        MoveFocus(*window, modifiers == ModifierShift);
    }
    return true;
}

}  // namespace

void DispatchProgramMessage(MSG& message)
{
    if (HandleWindowKey(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void MarkProgramEnding() { programEnding = true; }

bool IsProgramEnding() { return programEnding; }

void ProcessPendingEvents()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            return;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchProgramMessage(message);
    }
}

int RunMessageLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchProgramMessage(message);
    }
    programEnding = true;
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}
