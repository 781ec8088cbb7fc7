// The test driver: user actions on the headless windows, and what the windows show.
#include "platform/headless/driver.h"

#include "platform/headless/state.h"
#include "platform/window_system.h"

namespace headless {

using namespace detail;

namespace {

constexpr int kEsc = 27;
constexpr int kTab = 9;

bool TakesFocusOnClick(const ControlDeclaration& control)
{
    return control.kind == ControlKind::Button || control.kind == ControlKind::CheckBox ||
           control.kind == ControlKind::EditBox;
}

// The next tab stop on show after the focused control, in declaration order, wrapping around;
// with nothing focused, the first (or, backwards, the last) one. -1 when there is none.
int NextTabStop(const LiveWindow& window, int step)
{
    const int count = static_cast<int>(window.controls.size());
    int start = window.focused >= 0 ? window.focused : (step > 0 ? -1 : count);
    for (int i = 1; i <= count; ++i) {
        int index = ((start + step * i) % count + count) % count;
        if (IsTabStop(*window.controls[index].declaration) && IsShown(window, index)) {
            return index;
        }
    }
    return -1;
}

void MoveToTabStop(const WindowRef& window, int step)
{
    int next = NextTabStop(*window, step);
    if (next >= 0) {
        MoveFocus(window, next);
    }
}

// Esc without modifiers closes the window as its close box does; Tab walks the tab stops.
// Enter has no effect of its own.
void ActOnWindowKey(const WindowRef& window, int key, int modifiers)
{
    if (key == kEsc && (modifiers & (ModifierShift | ModifierControl | ModifierAlt)) == 0) {
        Destroy(window);
    } else if (key == kTab && (modifiers & (ModifierControl | ModifierAlt)) == 0) {
        MoveToTabStop(window, (modifiers & ModifierShift) != 0 ? -1 : 1);
    }
}

// A mouse press: the control takes the focus as a Win32 control does, then LeftButtonDown.
void Press(const WindowRef& window, int index)
{
    if (TakesFocusOnClick(*window->controls[index].declaration)) {
        MoveFocus(window, index);
    }
    Raise(window, index, Event::LeftButtonDown);
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
    if (WindowRef target = FindEnabled(window)) {
        int index = ControlIndex(*target, control);
        ControlKind kind = target->controls[index].declaration->kind;
        Press(target, index);
        if ((kind == ControlKind::Button || kind == ControlKind::CheckBox) && !target->destroyed) {
            if (kind == ControlKind::CheckBox) {
                target->controls[index].checked = !target->controls[index].checked;
            }
            Raise(target, index, Event::Clicked);
        }
    }
    RunQueue();
}

void PressMouse(WindowId window, std::string_view control)
{
    if (WindowRef target = FindEnabled(window)) {
        Press(target, ControlIndex(*target, control));
    }
    RunQueue();
}

void Focus(WindowId window, std::string_view control)
{
    if (WindowRef target = FindEnabled(window)) {
        MoveFocus(target, ControlIndex(*target, control));
    }
    RunQueue();
}

// The focused control sees every key first; Esc and Tab then act on the window as a dialog does.
void PressKey(WindowId window, int key, int modifiers)
{
    if (WindowRef target = FindEnabled(window)) {
        if (target->focused >= 0) {
            Raise(target, target->focused, Event::KeyDown, EventArgs{key, modifiers});
        }
        if (!target->destroyed) {
            ActOnWindowKey(target, key, modifiers);
        }
    }
    RunQueue();
}

void Type(WindowId window, std::string_view text)
{
    if (WindowRef target = FindEnabled(window); target != nullptr && target->focused >= 0) {
        LiveControl& focused = target->controls[target->focused];
        if (focused.declaration->kind == ControlKind::EditBox && !focused.declaration->readOnly) {
            focused.text.append(text);
        }
    }
    RunQueue();
}

void CloseBox(WindowId window)
{
    if (WindowRef target = FindEnabled(window)) {
        Destroy(target);
    }
    RunQueue();
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

std::string_view WindowTitle(WindowId window)
{
    WindowRef open = FindOpen(window);
    return open == nullptr ? std::string_view() : open->declaration->title;
}

}  // namespace headless
