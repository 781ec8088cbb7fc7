// The headless message loops: the event queue of close messages and posted user input, the
// window-level keys (Esc closes, Tab moves the focus) and the pending quit.
#include <deque>
#include <functional>
#include <map>
#include <utility>

#include "platform/headless/driver.h"
#include "platform/headless/live_window.h"
#include "platform/window_system.h"

namespace headless::detail {

namespace {

constexpr int kEsc = 27;
constexpr int kTab = 9;

struct EventQueue {
    std::deque<std::weak_ptr<LiveWindow>> closes;
    std::deque<std::function<void()>> userInput;
    std::map<WindowId, std::function<void()>> onModalOpening;  // headless::WhenOpenedModally
    std::function<void()> answerProbe;                          // headless::SetAnswerProbe
    bool programEnding = false;
    int dispatchDepth = 0;  // user actions and queued events now running, nested
};

EventQueue& Queue()
{
    static EventQueue queue;
    return queue;
}

class Dispatching {
public:
    Dispatching() { ++Queue().dispatchDepth; }
    ~Dispatching() { --Queue().dispatchDepth; }
    Dispatching(const Dispatching&) = delete;
    Dispatching& operator=(const Dispatching&) = delete;
};

// Whether every container up the chain is on show, a page child only while its page is.
bool IsShown(const LiveWindow& window, int controlIndex)
{
    for (int index = controlIndex; index >= 0;) {
        const LiveControl& control = window.controls[static_cast<std::size_t>(index)];
        int container = control.containerIndex;
        if (container >= 0 && control.declaration->page >= 0 &&
            window.controls[static_cast<std::size_t>(container)].visiblePage != control.declaration->page) {
            return false;
        }
        index = container;
    }
    return true;
}

// The next tab stop on show after the focused control, in declaration order, wrapping around;
// with nothing focused, the first (or, backwards, the last) one. -1 when there is none.
int NextTabStop(const LiveWindow& window, int step)
{
    const int count = static_cast<int>(window.controls.size());
    int start = window.focused >= 0 ? window.focused : (step > 0 ? -1 : count);
    for (int i = 1; i <= count; ++i) {
        int index = ((start + step * i) % count + count) % count;
        if (IsTabStop(*window.controls[static_cast<std::size_t>(index)].declaration) && IsShown(window, index)) {
            return index;
        }
    }
    return -1;
}

}  // namespace

void PostClose(const WindowRef& window) { Queue().closes.push_back(window); }

// The event is taken off the queue before it runs, so that whatever it runs in turn (a nested
// loop, a command run letting events through) sees the queue without it.
bool RunOneEvent()
{
    EventQueue& queue = Queue();
    if (queue.programEnding) {
        return false;
    }
    if (!queue.closes.empty()) {
        WindowRef window = queue.closes.front().lock();
        queue.closes.pop_front();
        if (window != nullptr) {
            Destroy(window);
        }
        return true;
    }
    if (!queue.userInput.empty()) {
        std::function<void()> action = std::move(queue.userInput.front());
        queue.userInput.pop_front();
        Dispatching running;
        action();
        return true;
    }
    return false;
}

void RunQueue()
{
    while (RunOneEvent()) {
    }
}

void DispatchUserAction(const std::function<void()>& dispatch)
{
    const bool outermost = Queue().dispatchDepth == 0;
    {
        Dispatching running;
        dispatch();
    }
    if (outermost) {
        RunQueue();
    }
}

void HandleWindowKey(const WindowRef& window, int key, int modifiers)
{
    if (key == kEsc && (modifiers & (ModifierShift | ModifierControl | ModifierAlt)) == 0) {
        Destroy(window);
    } else if (key == kTab && (modifiers & (ModifierControl | ModifierAlt)) == 0) {
        int next = NextTabStop(*window, (modifiers & ModifierShift) != 0 ? -1 : 1);
        if (next >= 0) {
            MoveFocus(window, next);
        }
    }
}

void ClearQueue()
{
    Queue().closes.clear();
    Queue().userInput.clear();
    Queue().onModalOpening.clear();
    Queue().answerProbe = nullptr;
}

void QueueModalOpeningAction(WindowId window)
{
    auto action = Queue().onModalOpening.extract(window);
    if (!action.empty()) {
        Queue().userInput.push_front(std::move(action.mapped()));
    }
}

void SetProgramEnding(bool ending) { Queue().programEnding = ending; }

}  // namespace headless::detail

void headless::Post(std::function<void()> userAction) { detail::Queue().userInput.push_back(std::move(userAction)); }

void headless::WhenOpenedModally(WindowId window, std::function<void()> userAction)
{
    detail::Queue().onModalOpening[window] = std::move(userAction);
}

void headless::SetAnswerProbe(std::function<void()> probe) { detail::Queue().answerProbe = std::move(probe); }

void ProcessPendingEvents()
{
    // A copy: the probe may set another one.
    if (std::function<void()> probe = headless::detail::Queue().answerProbe) {
        probe();
    }
    headless::detail::RunQueue();
}

bool IsProgramEnding() { return headless::detail::Queue().programEnding; }

int RunMessageLoop()
{
    headless::detail::RunQueue();
    return 0;
}
