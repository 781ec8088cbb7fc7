// The declared windows, the open windows, and finding windows and controls by id, name or handle.
#include <algorithm>
#include <string_view>

#include "platform/win32/live_window.h"
#include "platform/window_system.h"

namespace {

DeclaredWindows declared;
std::vector<std::unique_ptr<LiveWindow>> openWindows;  // in opening order
std::uint64_t lastSerial = 0;

}  // namespace

LiveWindow::~LiveWindow()
{
    for (auto& [colour, brush] : brushes) {
        DeleteObject(brush);
    }
    ReleaseFonts(fonts);
}

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

void InitialiseWindowSystem(std::span<const WindowDeclaration* const> windows)
{
    declared.Replace(windows);
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterTopWindowClass();
    RegisterPaneClass();
}

const DeclaredWindow* FindDeclared(WindowId id) { return declared.Find(id); }

void RegisterOpenWindow(std::unique_ptr<LiveWindow> window) { openWindows.push_back(std::move(window)); }

bool ForgetWindow(const LiveWindow* window)
{
    auto found = std::find_if(openWindows.begin(), openWindows.end(),
                              [window](const auto& open) { return open.get() == window; });
    if (found == openWindows.end()) {
        return false;
    }
    openWindows.erase(found);
    return openWindows.empty();
}

std::vector<LiveWindow*> OpenLiveWindows()
{
    std::vector<LiveWindow*> windows;
    for (auto& window : openWindows) {
        windows.push_back(window.get());
    }
    return windows;
}

LiveWindow* FindOpenWindow(WindowId id)
{
    LiveWindow* closingOne = nullptr;
    for (auto it = openWindows.rbegin(); it != openWindows.rend(); ++it) {
        if ((*it)->declaration->id != id) {
            continue;
        }
        if (!(*it)->closing) {
            return it->get();
        }
        closingOne = closingOne != nullptr ? closingOne : it->get();
    }
    return closingOne;
}

LiveWindow* FindWindowBySerial(std::uint64_t serial)
{
    for (auto& window : openWindows) {
        if (window->serial == serial) {
            return window.get();
        }
    }
    return nullptr;
}

LiveWindow* WindowOfHandle(HWND anyHandleInside)
{
    if (anyHandleInside == nullptr) {
        return nullptr;
    }
    HWND root = GetAncestor(anyHandleInside, GA_ROOT);
    for (auto& window : openWindows) {
        if (window->handle == root) {
            return window.get();
        }
    }
    return nullptr;
}

LiveControl* ControlOfHandle(HWND control)
{
    LiveWindow* window = WindowOfHandle(control);
    if (window == nullptr || control == window->handle) {
        return nullptr;
    }
    std::size_t index = static_cast<std::size_t>(GetDlgCtrlID(control) - kFirstControlId);
    if (index >= window->controls.size() || window->controls[index]->handle != control) {
        return nullptr;
    }
    return window->controls[index].get();
}

LiveControl* FindControl(WindowId id, std::string_view name)
{
    const DeclaredWindow* window = FindDeclared(id);
    if (window == nullptr) {
        return nullptr;
    }
    auto index = static_cast<std::size_t>(window->controls.Find(name));
    LiveWindow* open = FindOpenWindow(id);
    if (open == nullptr || index >= open->controls.size()) {
        return nullptr;
    }
    LiveControl* control = open->controls[index].get();
    return control->handle != nullptr ? control : nullptr;
}

std::uint64_t NextWindowSerial() { return ++lastSerial; }
