// Raising the declared events of controls: mouse press, keys and focus changes seen through a subclass.
#include "platform/event_source.h"
#include "platform/win32/live_window.h"

namespace {

constexpr UINT_PTR kEventsSubclassId = 1;

bool IsBound(const ControlDeclaration& declaration, Event event)
{
    for (const EventBinding& binding : declaration.bindings) {
        if (binding.handler != nullptr && binding.event == event) {
            return true;
        }
    }
    return false;
}

EventArgs MouseArgs(WPARAM wParam, LPARAM lParam)
{
    EventArgs args;
    args.x = static_cast<short>(LOWORD(lParam));
    args.y = static_cast<short>(HIWORD(lParam));
    args.modifiers = ((wParam & MK_SHIFT) ? ModifierShift : 0) | ((wParam & MK_CONTROL) ? ModifierControl : 0) |
                     ((GetKeyState(VK_MENU) < 0) ? ModifierAlt : 0);
    return args;
}

// A handler may close the window (through a nested loop) before it returns: the control is then
// gone and nothing of it may be touched afterwards.
LRESULT CALLBACK ControlEventsProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* control = reinterpret_cast<LiveControl*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
        RaiseEvent(*control, Event::LeftButtonDown, MouseArgs(wParam, lParam));
        break;
    case WM_KEYDOWN:
        RaiseEvent(*control, Event::KeyDown, {static_cast<int>(wParam), CurrentModifiers()});
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        LRESULT result = DefSubclassProc(handle, message, wParam, lParam);
        RaiseEvent(*control, message == WM_SETFOCUS ? Event::GotFocus : Event::LostFocus);
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(handle, ControlEventsProc, kEventsSubclassId);
        break;
    }
    if (!IsWindow(handle)) {
        return 0;
    }
    return DefSubclassProc(handle, message, wParam, lParam);
}

}  // namespace

int CurrentModifiers()
{
    return (GetKeyState(VK_SHIFT) < 0 ? ModifierShift : 0) | (GetKeyState(VK_CONTROL) < 0 ? ModifierControl : 0) |
           (GetKeyState(VK_MENU) < 0 ? ModifierAlt : 0);
}

// A handler may close the window (through a nested loop) before it returns: the remaining
// handlers then have nothing to act on and are not called.
void RaiseEvent(const LiveControl& control, Event event, const EventArgs& args)
{
    // Taken first: a handler may destroy the control with its window, never the static declaration.
    const ControlDeclaration& declaration = *control.declaration;
    const std::uint64_t serial = control.window->serial;  // 0 while the window is being built
    EventSourceScope source(*control.window->declaration, declaration);
    for (const EventBinding& binding : declaration.bindings) {
        if (serial != 0 && FindWindowBySerial(serial) == nullptr) {
            return;
        }
        if (binding.handler != nullptr && binding.event == event) {
            binding.handler(args);
        }
    }
}

void WatchControlEvents(LiveControl& control)
{
    const ControlDeclaration& declaration = *control.declaration;
    if (IsBound(declaration, Event::LeftButtonDown) || IsBound(declaration, Event::KeyDown) ||
        IsBound(declaration, Event::GotFocus) || IsBound(declaration, Event::LostFocus)) {
        SetWindowSubclass(control.handle, ControlEventsProc, kEventsSubclassId, reinterpret_cast<DWORD_PTR>(&control));
    }
}
