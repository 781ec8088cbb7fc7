// Headless windows: the known declarations, building a live window from one, and finding it again.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/headless/state.h"
#include "platform/window_system.h"

namespace headless::detail {

namespace {

std::map<WindowId, const WindowDeclaration*>& Declarations()
{
    static std::map<WindowId, const WindowDeclaration*> declarations;
    return declarations;
}

std::string Describe(const WindowDeclaration& declaration)
{
    return "window " + std::to_string(declaration.id);
}

// A container that is missing, or a chain of containers that loops, would leave controls that
// can never be shown: a mistake in the declaration, reported whenever the window is built.
void LinkContainers(LiveWindow& window)
{
    for (auto& control : window.controls) {
        std::string_view container = control.declaration->container;
        if (container.empty()) {
            continue;
        }
        auto found = window.indexByName.find(container);
        if (found == window.indexByName.end()) {
            ProgrammerError(Describe(*window.declaration) + ": control " + std::string(control.declaration->name) +
                            " is in undeclared container " + std::string(container));
        }
        control.containerIndex = found->second;
    }
    for (std::size_t start = 0; start < window.controls.size(); ++start) {
        int index = static_cast<int>(start);
        for (std::size_t steps = 0; index >= 0; ++steps) {
            if (steps > window.controls.size()) {
                ProgrammerError(Describe(*window.declaration) + ": containers of " +
                                std::string(window.controls[start].declaration->name) + " form a loop");
            }
            index = window.controls[index].containerIndex;
        }
    }
}

}  // namespace

const WindowDeclaration* FindDeclaration(WindowId window)
{
    auto found = Declarations().find(window);
    return found == Declarations().end() ? nullptr : found->second;
}

WindowRef Build(const WindowDeclaration& declaration)
{
    auto window = std::make_shared<LiveWindow>();
    window->declaration = &declaration;
    window->controls.reserve(declaration.controls.size());
    for (const auto& control : declaration.controls) {
        int index = static_cast<int>(window->controls.size());
        if (!window->indexByName.emplace(control.name, index).second) {
            ProgrammerError(Describe(declaration) + " declares control " + std::string(control.name) + " twice");
        }
        window->controls.push_back({&control, -1, std::string(control.caption), control.textColour, control.checked, 0});
    }
    LinkContainers(*window);
    return window;
}

std::vector<WindowRef>& OpenList()
{
    static std::vector<WindowRef> open;
    return open;
}

WindowRef FindOpen(WindowId window)
{
    const auto& open = OpenList();
    auto found = std::find_if(open.rbegin(), open.rend(), [window](const WindowRef& w) { return w->declaration->id == window; });
    return found == open.rend() ? nullptr : *found;
}

WindowRef FindEnabled(WindowId window)
{
    WindowRef found = FindOpen(window);
    return found != nullptr && found->disablers == 0 ? found : nullptr;
}

int ControlIndex(const LiveWindow& window, std::string_view control)
{
    auto found = window.indexByName.find(control);
    if (found == window.indexByName.end()) {
        ProgrammerError(Describe(*window.declaration) + " has no control named \"" + std::string(control) + "\"");
    }
    return found->second;
}

LiveControl* FindControl(WindowId window, std::string_view control)
{
    WindowRef open = FindOpen(window);
    return open == nullptr ? nullptr : &open->controls[ControlIndex(*open, control)];
}

bool IsShown(const LiveWindow& window, int controlIndex)
{
    for (int index = controlIndex; index >= 0;) {
        const LiveControl& control = window.controls[index];
        int container = control.containerIndex;
        if (container >= 0 && control.declaration->page >= 0 &&
            window.controls[container].visiblePage != control.declaration->page) {
            return false;
        }
        index = container;
    }
    return true;
}

void ProgrammerError(std::string_view what)
{
    std::fprintf(stderr, "headless window system: %.*s\n", static_cast<int>(what.size()), what.data());
    std::fflush(stderr);
    std::abort();
}

}  // namespace headless::detail

void InitialiseWindowSystem(std::span<const WindowDeclaration* const> windows)
{
    auto& declarations = headless::detail::Declarations();
    declarations.clear();
    for (const WindowDeclaration* window : windows) {
        if (window == nullptr) {
            headless::detail::ProgrammerError("a missing window declaration");
        }
        if (!declarations.emplace(window->id, window).second) {
            headless::detail::ProgrammerError("two declarations for window " + std::to_string(window->id));
        }
    }
}
