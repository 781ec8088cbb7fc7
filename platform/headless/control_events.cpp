// Raising the declared events of controls, and the focus changes that raise GotFocus and LostFocus.
#include "platform/event_source.h"
#include "platform/headless/live_window.h"

namespace headless::detail {

// A handler may close the window (through a nested loop) before it returns: the remaining
// handlers then have nothing to act on and are not called.
void Raise(const WindowRef& window, int controlIndex, Event event, const EventArgs& args)
{
    // The declaration is static: it outlives the window, which a handler may destroy.
    const ControlDeclaration& declaration = *window->controls[static_cast<std::size_t>(controlIndex)].declaration;
    EventSourceScope source(*window->declaration, declaration);
    for (const EventBinding& binding : declaration.bindings) {
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
