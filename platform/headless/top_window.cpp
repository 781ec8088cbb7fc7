// Headless windows: opening (modal or not), closing later or at once, and the end of the program.
#include <algorithm>

#include "platform/headless/state.h"
#include "platform/window_system.h"

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

void EnableAgain(LiveWindow& modal)
{
    for (const auto& held : modal.disabledByThis) {
        if (WindowRef other = held.lock()) {
            --other->disablers;
        }
    }
    modal.disabledByThis.clear();
}

// The nested loop of a modal window. When the queue runs dry with the window still open, the
// window stays open and modal, and the caller goes on: a test then drives it further.
void RunModalLoop(const WindowRef& modal)
{
    while (!modal->destroyed && RunOneEvent()) {
    }
}

}  // namespace

void Destroy(const WindowRef& window)
{
    if (window->destroyed) {
        return;
    }
    window->destroyed = true;
    EnableAgain(*window);
    auto& open = OpenList();
    open.erase(std::remove(open.begin(), open.end(), window), open.end());
    if (open.empty()) {
        SetProgramEnding(true);
    }
}

void DestroyAll()
{
    const std::vector<WindowRef> open = OpenList();
    for (const WindowRef& window : open) {
        window->destroyed = true;
        window->disabledByThis.clear();
    }
    OpenList().clear();
}

}  // namespace headless::detail

using namespace headless::detail;

bool OpenWindow(WindowId window, bool modal)
{
    const WindowDeclaration* declaration = FindDeclaration(window);
    if (declaration == nullptr || IsProgramEnding()) {
        return false;
    }
    if (WindowRef open = FindOpen(window); open != nullptr && !open->beingClosed) {
        return true;
    }
    WindowRef built = Build(*declaration);
    OpenList().push_back(built);
    if (declaration->created != nullptr) {
        declaration->created(EventArgs{});
    }
    if (modal && !built->destroyed) {
        DisableOthers(built);
        RunModalLoop(built);
    }
    return true;
}

void CloseWindowLater(WindowId window)
{
    WindowRef open = FindOpen(window);
    if (open == nullptr || open->beingClosed) {
        return;
    }
    open->beingClosed = true;
    PostClose(open);
}
