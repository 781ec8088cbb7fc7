// The declared windows, the open windows, and finding windows and controls by id and name.
#include <algorithm>

#include "platform/headless/live_window.h"
#include "platform/headless/records.h"
#include "platform/window_system.h"

namespace headless::detail {

namespace {

DeclaredWindows& Declared()
{
    static DeclaredWindows declared;
    return declared;
}

}  // namespace

const DeclaredWindow* FindDeclared(WindowId window) { return Declared().Find(window); }

std::vector<WindowRef>& OpenList()
{
    static std::vector<WindowRef> open;
    return open;
}

WindowRef FindOpen(WindowId window)
{
    const auto& open = OpenList();
    auto found = std::find_if(open.rbegin(), open.rend(),
                              [window](const WindowRef& w) { return w->declaration->id == window; });
    return found == open.rend() ? nullptr : *found;
}

WindowRef FindEnabled(WindowId window)
{
    WindowRef found = FindOpen(window);
    return found != nullptr && found->disablers == 0 ? found : nullptr;
}

int IndexOf(const LiveWindow& window, std::string_view control)
{
    return FindDeclared(window.declaration->id)->controls.Find(control);
}

LiveControl* FindControl(WindowId window, std::string_view control)
{
    const DeclaredWindow* declared = FindDeclared(window);
    if (declared == nullptr) {
        return nullptr;
    }
    int index = declared->controls.Find(control);
    WindowRef open = FindOpen(window);
    return open == nullptr ? nullptr : &open->controls[static_cast<std::size_t>(index)];
}

}  // namespace headless::detail

void InitialiseWindowSystem(std::span<const WindowDeclaration* const> windows)
{
    headless::detail::Declared().Replace(windows);
    headless::detail::RecordStarts();
}
