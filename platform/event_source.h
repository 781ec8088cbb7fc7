// Which control's event the window system is handling now, for actions that say where they came from.
#pragma once

#include "platform/window_model.h"

// Points into the static declarations, which outlive every window built from them; both null
// outside the handlers of control events.
struct EventSource {
    const WindowDeclaration* window = nullptr;
    const ControlDeclaration* control = nullptr;
};

// The innermost event being handled: handlers nest (a click during a command run), and the
// outer one is current again once the inner one has returned.
EventSource CurrentEventSource();

// Set by the window systems for the time of one handler call.
class EventSourceScope {
public:
    EventSourceScope(const WindowDeclaration& window, const ControlDeclaration& control);
    ~EventSourceScope();
    EventSourceScope(const EventSourceScope&) = delete;
    EventSourceScope& operator=(const EventSourceScope&) = delete;

private:
    EventSource outer_;
};
