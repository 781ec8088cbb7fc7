// Headless control contents, read and written by (window id, control name), and event dispatch.
#include <array>

#include "platform/headless/records.h"
#include "platform/headless/state.h"
#include "platform/window_system.h"

namespace headless::detail {

void Raise(const WindowRef& window, int controlIndex, Event event, const EventArgs& args)
{
    // Copied first: the window's controls must not be touched once a handler may have destroyed it.
    const std::array<EventBinding, 3> bindings = window->controls[controlIndex].declaration->bindings;
    for (const EventBinding& binding : bindings) {
        if (window->destroyed) {
            return;
        }
        if (binding.handler != nullptr && binding.event == event) {
            binding.handler(args);
        }
    }
}

void MoveFocus(const WindowRef& window, int controlIndex)
{
    int previous = window->focused;
    if (previous == controlIndex) {
        return;
    }
    window->focused = controlIndex;
    if (previous >= 0) {
        Raise(window, previous, Event::LostFocus);
    }
    Raise(window, controlIndex, Event::GotFocus);
}

}  // namespace headless::detail

using headless::detail::FindControl;

std::string GetText(WindowId window, std::string_view control)
{
    const auto* found = FindControl(window, control);
    return found == nullptr ? std::string() : found->text;
}

void SetText(WindowId window, std::string_view control, std::string_view text)
{
    if (auto* found = FindControl(window, control)) {
        found->text = text;
    }
}

void AppendText(WindowId window, std::string_view control, std::string_view text)
{
    if (auto* found = FindControl(window, control)) {
        found->text.append(text);
    }
}

void SetTextColour(WindowId window, std::string_view control, Rgb colour)
{
    if (auto* found = FindControl(window, control)) {
        found->textColour = colour;
    }
}

bool IsChecked(WindowId window, std::string_view control)
{
    const auto* found = FindControl(window, control);
    return found != nullptr && found->checked;
}

void SetChecked(WindowId window, std::string_view control, bool checked)
{
    if (auto* found = FindControl(window, control)) {
        found->checked = checked;
    }
}

// Nothing waits to be painted in memory: what the control shows now is recorded as painted.
void RepaintNow(WindowId window, std::string_view control)
{
    if (auto* found = FindControl(window, control)) {
        headless::detail::RecordPainting({window, std::string(control), found->text});
    }
}
