// Checking window declarations and finding their controls: the part every window system shares.
#include "platform/declared_windows.h"

#include <algorithm>
#include <string>

#include "platform/system.h"
#include "platform/text.h"

namespace {

bool IsContainerKind(ControlKind kind) { return kind == ControlKind::GroupBox || kind == ControlKind::PageControl; }

std::string WindowName(const WindowDeclaration& window) { return "窗口 " + std::to_string(window.id); }

}  // namespace

ControlIndex::ControlIndex(const WindowDeclaration& window) : window_(&window)
{
    const std::string name = WindowName(window);
    const std::span<const ControlDeclaration> controls = window.controls;
    byName_.reserve(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name.empty()) {
            ProgrammerError(JoinText({name, " 有一个没有名字的控件"}));
        }
        if (!byName_.emplace(controls[i].name, static_cast<int>(i)).second) {
            ProgrammerError(JoinText({name, " 声明了两个名为 ", controls[i].name, " 的控件"}));
        }
    }
    containers_.assign(controls.size(), -1);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDeclaration& control = controls[i];
        if (!control.container.empty()) {
            auto found = byName_.find(control.container);
            if (found == byName_.end()) {
                ProgrammerError(JoinText({name, " 的控件 ", control.name, " 所在的容器 ", control.container, " 没有声明"}));
            }
            if (!IsContainerKind(controls[static_cast<std::size_t>(found->second)].kind)) {
                ProgrammerError(JoinText({name, " 的控件 ", control.name, " 所在的 ", control.container, " 不是分组框或选择夹"}));
            }
            containers_[i] = found->second;
        }
        const ControlDeclaration* container = containers_[i] < 0 ? nullptr : &controls[static_cast<std::size_t>(containers_[i])];
        bool onPages = container != nullptr && container->kind == ControlKind::PageControl;
        if (onPages ? control.page < 0 || static_cast<std::size_t>(control.page) >= container->pages.size()
                    : control.page != -1) {
            ProgrammerError(JoinText({name, " 的控件 ", control.name, " 的页号与所在容器不符"}));
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (Depth(static_cast<int>(i)) < 0) {
            ProgrammerError(JoinText({name, " 的控件 ", controls[i].name, " 所在的容器互相包含"}));
        }
    }
}

int ControlIndex::Find(std::string_view name) const
{
    auto found = byName_.find(name);
    if (found == byName_.end()) {
        ProgrammerError(JoinText({WindowName(*window_), " 没有名为 ", name, " 的控件"}));
    }
    return found->second;
}

// -1 when the control's containers loop, which the constructor refuses: a chain longer than the
// window has controls must come round again.
int ControlIndex::Depth(int control) const
{
    int depth = 0;
    for (int container = ContainerOf(control); container >= 0; container = ContainerOf(container)) {
        if (++depth > static_cast<int>(containers_.size())) {
            return -1;
        }
    }
    return depth;
}

void DeclaredWindows::Replace(std::span<const WindowDeclaration* const> windows)
{
    windows_.clear();
    windows_.reserve(windows.size());
    for (const WindowDeclaration* window : windows) {
        if (window == nullptr) {
            ProgrammerError("缺少一个窗口的声明");
        }
        if (Find(window->id) != nullptr) {
            ProgrammerError(JoinText({WindowName(*window), " 声明了两次"}));
        }
        windows_.push_back({window, ControlIndex(*window)});
    }
}

const DeclaredWindow* DeclaredWindows::Find(WindowId id) const
{
    auto found = std::find_if(windows_.begin(), windows_.end(),
                              [id](const DeclaredWindow& window) { return window.declaration->id == id; });
    return found == windows_.end() ? nullptr : &*found;
}

void ProgrammerError(std::string_view what) { FatalError(JoinText({"程序错误：", what})); }
