// The test driver: user actions on the headless windows, and what the windows show.
#include "platform/headless/driver.h"

#include <algorithm>
#include <functional>

#include "platform/headless/live_window.h"
#include "platform/window_system.h"

namespace headless {

using namespace detail;

namespace {

bool TakesFocusOnClick(const ControlDeclaration& control)
{
    return control.kind == ControlKind::Button || control.kind == ControlKind::CheckBox ||
           control.kind == ControlKind::EditBox;
}

// A mouse press: the control takes the focus as a Win32 control does, then LeftButtonDown. A
// hidden control is not there to press.
void Press(const WindowRef& window, int index)
{
    if (!window->controls[index].shown) {
        return;
    }
    if (TakesFocusOnClick(*window->controls[index].declaration)) {
        MoveFocus(window, index);
    }
    Raise(window, index, Event::LeftButtonDown);
}

// A disabled or closed window ignores the action; the queue runs afterwards either way.
void ActOnEnabled(WindowId window, const std::function<void(const WindowRef&)>& act)
{
    DispatchUserAction([&] {
        if (WindowRef target = FindEnabled(window)) {
            act(target);
        }
    });
}

}  // namespace

void Reset()
{
    DestroyAll();
    ClearQueue();
    SetProgramEnding(false);
    ClearMessages();
    ClearRecords();
}

void Click(WindowId window, std::string_view control)
{
    ActOnEnabled(window, [control](const WindowRef& target) {
        int index = IndexOf(*target, control);
        ControlKind kind = target->controls[index].declaration->kind;
        Press(target, index);
        bool clickable = kind == ControlKind::Button || kind == ControlKind::CheckBox;
        if (clickable && target->controls[index].shown && !target->destroyed) {
            if (kind == ControlKind::CheckBox) {
                target->controls[index].checked = !target->controls[index].checked;
            }
            Raise(target, index, Event::Clicked);
        }
    });
}

void PlaceCaret(WindowId window, std::string_view control, std::size_t offset)
{
    ActOnEnabled(window, [control, offset](const WindowRef& target) {
        int index = IndexOf(*target, control);
        Press(target, index);
        LiveControl& box = target->controls[index];
        box.caret = std::min(offset, box.text.size());
    });
}

void PressMouse(WindowId window, std::string_view control)
{
    ActOnEnabled(window, [control](const WindowRef& target) { Press(target, IndexOf(*target, control)); });
}

void Focus(WindowId window, std::string_view control)
{
    ActOnEnabled(window, [control](const WindowRef& target) { MoveFocus(target, IndexOf(*target, control)); });
}

// The focused control sees every key first; Esc and Tab then act on the window as a dialog does.
void PressKey(WindowId window, int key, int modifiers)
{
    ActOnEnabled(window, [key, modifiers](const WindowRef& target) {
        if (target->focused >= 0) {
            Raise(target, target->focused, Event::KeyDown, EventArgs{key, modifiers});
        }
        if (!target->destroyed) {
            HandleWindowKey(target, key, modifiers);
        }
    });
}

void Type(WindowId window, std::string_view text)
{
    ActOnEnabled(window, [text](const WindowRef& target) {
        if (target->focused < 0) {
            return;
        }
        LiveControl& focused = target->controls[target->focused];
        if (focused.declaration->kind == ControlKind::EditBox && !focused.declaration->readOnly) {
            focused.text.append(text);
        }
    });
}

void CloseBox(WindowId window)
{
    ActOnEnabled(window, [](const WindowRef& target) { Destroy(target); });
}

bool IsOpen(WindowId window) { return FindOpen(window) != nullptr; }

bool IsEnabled(WindowId window) { return FindEnabled(window) != nullptr; }

std::vector<WindowId> OpenWindows()
{
    std::vector<WindowId> ids;
    for (const WindowRef& window : OpenList()) {
        ids.push_back(window->declaration->id);
    }
    return ids;
}

std::string FocusedControl(WindowId window)
{
    WindowRef open = FindOpen(window);
    if (open == nullptr || open->focused < 0) {
        return {};
    }
    return std::string(open->controls[open->focused].declaration->name);
}

Rgb TextColour(WindowId window, std::string_view control)
{
    const LiveControl* found = FindControl(window, control);
    return found == nullptr ? kNoColour : found->textColour;
}

int VisiblePage(WindowId window, std::string_view pageControl)
{
    const LiveControl* found = FindControl(window, pageControl);
    return found == nullptr ? -1 : found->visiblePage;
}

bool IsShown(WindowId window, std::string_view control)
{
    const LiveControl* found = FindControl(window, control);
    return found != nullptr && found->shown;
}

Align Alignment(WindowId window, std::string_view control)
{
    const LiveControl* found = FindControl(window, control);
    return found == nullptr ? Align::Left : found->align;
}

std::string_view WindowTitle(WindowId window)
{
    WindowRef open = FindOpen(window);
    return open == nullptr ? std::string_view() : open->declaration->title;
}

}  // namespace headless
