// Building a live window from its declaration: one live control per declared control.
#include <memory>
#include <string>

#include "platform/headless/live_window.h"

namespace headless::detail {

WindowRef Build(const DeclaredWindow& window)
{
    auto live = std::make_shared<LiveWindow>();
    live->declaration = window.declaration;
    const std::span<const ControlDeclaration> controls = window.declaration->controls;
    live->controls.reserve(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDeclaration& control = controls[i];
        int container = window.controls.ContainerOf(static_cast<int>(i));
        live->controls.push_back(
            {&control, container, std::string(control.caption), control.textColour, control.checked, true, 0, control.align});
    }
    return live;
}

}  // namespace headless::detail
