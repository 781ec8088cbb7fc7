// The event being handled now, kept by the window systems around each handler call.
#include "platform/event_source.h"

namespace {
EventSource current;
}

EventSource CurrentEventSource() { return current; }

EventSourceScope::EventSourceScope(const WindowDeclaration& window, const ControlDeclaration& control)
    : outer_(current)
{
    current = {&window, &control};
}

EventSourceScope::~EventSourceScope() { current = outer_; }
