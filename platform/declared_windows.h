// The window declarations a window system is given, checked once and indexed by window id and by
// control name: the same for every window system.
#pragma once

#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/window_model.h"

// One window's controls by name, and each control's container, by declared index.
class ControlIndex {
public:
    // Checks the declaration: every control has a name of its own; a container is a GroupBox or the
    // PageControl of the same window, and no chain of containers loops; exactly the direct children
    // of a PageControl have a page, one of its pages. A fault is a programmer error.
    explicit ControlIndex(const WindowDeclaration& window);

    // The index of the named control; a name the window does not declare is a programmer error.
    int Find(std::string_view name) const;
    // The index of the control's GroupBox or PageControl; -1 for the window's client area.
    int ContainerOf(int control) const { return containers_[static_cast<std::size_t>(control)]; }
    // How many containers hold the control: 0 for a direct child of the window.
    int Depth(int control) const;

private:
    const WindowDeclaration* window_;
    std::unordered_map<std::string_view, int> byName_;
    std::vector<int> containers_;
};

struct DeclaredWindow {
    const WindowDeclaration* declaration;
    ControlIndex controls;
};

// The windows a window system knows. The declarations must outlive it.
class DeclaredWindows {
public:
    // Replaces the known windows, checking each; a missing declaration, two for one id or a
    // misdeclared window is a programmer error.
    void Replace(std::span<const WindowDeclaration* const> windows);
    // Null when no window of that id is declared.
    const DeclaredWindow* Find(WindowId id) const;

private:
    std::vector<DeclaredWindow> windows_;
};

// A mistake in the program itself, such as a misdeclared window or a handler addressing a control
// that its window does not declare: ends the program as a fatal error (FatalError) that names it.
[[noreturn]] void ProgrammerError(std::string_view what);
