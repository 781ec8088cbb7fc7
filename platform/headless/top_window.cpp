// Headless windows: opening (modal or not), closing later or at once, and the end of the program.
#include <algorithm>

#include "platform/headless/live_window.h"
#include "platform/window_system.h"

namespace headless::detail {

namespace {

void EnableAgain(LiveWindow& modal)
{
    for (const auto& held : modal.disabledByThis) {
        if (WindowRef other = held.lock()) {
            --other->disablers;
        }
    }
    modal.disabledByThis.clear();
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
    const DeclaredWindow* declared = FindDeclared(window);
    if (declared == nullptr || IsProgramEnding()) {
        return false;
    }
    if (WindowRef open = FindOpen(window); open != nullptr && !open->beingClosed) {
        return true;
    }
    WindowRef built = Build(*declared);
    OpenList().push_back(built);
    if (declared->declaration->created != nullptr) {
        declared->declaration->created(EventArgs{});
    }
    if (modal && !built->destroyed) {
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
