// Headless event queue: close messages and posted user input, the message loop and the pending quit.
#include <deque>
#include <functional>
#include <utility>

#include "platform/headless/driver.h"
#include "platform/headless/state.h"
#include "platform/window_system.h"

namespace headless::detail {

namespace {

struct EventQueue {
    std::deque<std::weak_ptr<LiveWindow>> closes;
    std::deque<std::function<void()>> userInput;
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

void ClearQueue()
{
    Queue().closes.clear();
    Queue().userInput.clear();
}

void SetProgramEnding(bool ending) { Queue().programEnding = ending; }

}  // namespace headless::detail

void headless::Post(std::function<void()> userAction) { detail::Queue().userInput.push_back(std::move(userAction)); }

void ProcessPendingEvents() { headless::detail::RunQueue(); }

bool IsProgramEnding() { return headless::detail::Queue().programEnding; }

int RunMessageLoop()
{
    headless::detail::RunQueue();
    return 0;
}
