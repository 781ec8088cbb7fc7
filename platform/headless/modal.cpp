// Modal windows: every other open window disabled, and a nested loop while the window lives.
#include "platform/headless/live_window.h"

namespace headless::detail {

namespace {

// Every other open window is disabled until the modal window is destroyed.
void DisableOthers(const WindowRef& modal)
{
    const std::vector<WindowRef> others = OpenList();
    for (const WindowRef& other : others) {
        if (other != modal) {
            ++other->disablers;
            modal->disabledByThis.push_back(other);
        }
    }
}

}  // namespace

// The nested loop runs the queued events while the window lives. Unlike Win32's, which waits for
// the user, it returns once the queue has run dry with the window still open: in memory no user
// will ever act, so the test that opened the window drives it from there. The window stays open
// and modal, and the others stay disabled, until it is closed.
void RunModalLoop(const WindowRef& modal)
{
    DisableOthers(modal);
    QueueModalOpeningAction(modal->declaration->id);
    while (!modal->destroyed && RunOneEvent()) {
    }
}

}  // namespace headless::detail
