// The program's top-level windows: their window class, building one from its declaration, opening and closing.
#include <algorithm>
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"
#include "platform/window_system.h"

namespace {

const wchar_t kTopWindowClass[] = L"PellucorWindow";

// Fixed single frame, title bar, system menu with close and minimise boxes, no maximise box.
constexpr DWORD kTopStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Shown in the task bar, owned or not; Tab walks into group boxes and page controls.
constexpr DWORD kTopExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

LiveWindow* WindowFromUserData(HWND handle)
{
    return reinterpret_cast<LiveWindow*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
}

void PaintBackground(const LiveWindow& window, HDC dc)
{
    RECT client;
    GetClientRect(window.handle, &client);
    SetDCBrushColor(dc, WindowBackground(window));
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void HandleCommand(WPARAM wParam, LPARAM lParam)
{
    LiveControl* control = ControlOfHandle(reinterpret_cast<HWND>(lParam));
    if (control == nullptr || HIWORD(wParam) != BN_CLICKED) {
        return;
    }
    ControlKind kind = control->declaration->kind;
    if (kind == ControlKind::Button || kind == ControlKind::CheckBox) {
        RaiseEvent(*control, Event::Clicked);
    }
}

void HandleNotify(const NMHDR& header)
{
    LiveControl* control = ControlOfHandle(header.hwndFrom);
    if (control != nullptr && control->declaration->kind == ControlKind::PageControl &&
        header.code == static_cast<UINT>(TCN_SELCHANGE)) {
        ShowSelectedPage(*control->window, *control);
    }
}

// A plain window gives the focus to itself on activation; like a dialog, give it back to the
// control that had it, or to the first tab stop.
void RestoreFocus(LiveWindow& window)
{
    HWND target = window.savedFocus;
    if (target == nullptr || !IsWindow(target) || !IsChild(window.handle, target)) {
        target = GetNextDlgTabItem(window.handle, nullptr, FALSE);
    }
    SetFocus(target != nullptr ? target : window.handle);
}

void HandleActivate(LiveWindow& window, WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        window.savedFocus = focus != nullptr && IsChild(window.handle, focus) ? focus : nullptr;
    } else if (!IsIconic(window.handle)) {
        RestoreFocus(window);
    }
}

DeclaredOuter DeclaredOuterOf(const WindowDeclaration& declaration)
{
    return DeclaredOuter{SIZE{declaration.width, declaration.height}, kTopStyle, kTopExStyle};
}

// The work area (the screen without the task bar) of the monitor, or of the primary one.
RECT WorkAreaOf(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    return info.rcWork;
}

// Moved to a monitor of another DPI, or that monitor's scaling changed: the system suggests the new
// outer rectangle. The window takes its corner and is sized by the same rule as when it opened,
// for the work area of the monitor that rectangle lies on. Unless the user is dragging it there,
// it is moved wholly inside that work area where it fits.
void Rescale(LiveWindow& window, int dpi, const RECT& suggested)
{
    RECT work = WorkAreaOf(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST));
    DeclaredOuter declared = DeclaredOuterOf(*window.declaration);
    window.dpi = dpi;
    window.scale = ScaleToFit(declared, dpi, work);
    RescaleControls(window);
    SIZE size = OuterSize(declared, dpi, window.scale);
    POINT corner{suggested.left, suggested.top};
    if (!window.moving) {
        corner.x = std::max(work.left, std::min(corner.x, work.right - size.cx));
        corner.y = std::max(work.top, std::min(corner.y, work.bottom - size.cy));
    }
    SetWindowPos(window.handle, nullptr, corner.x, corner.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void HandleDestroyed(LiveWindow* window)
{
    bool wasOpen = window->serial != 0;
    if (ForgetWindow(window) && wasOpen) {
        MarkProgramEnding();
        PostQuitMessage(0);
    }
}

LRESULT CALLBACK TopWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* window = static_cast<LiveWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->handle = handle;
        SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    LiveWindow* window = WindowFromUserData(handle);
    if (window == nullptr) {
        return DefWindowProcW(handle, message, wParam, lParam);
    }
    switch (message) {
    case WM_ERASEBKGND:
        PaintBackground(*window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = ColourControl(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_COMMAND:
        HandleCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY:
        HandleNotify(*reinterpret_cast<NMHDR*>(lParam));
        return 0;
    case WM_ACTIVATE:
        HandleActivate(*window, wParam);
        return 0;
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
        window->moving = message == WM_ENTERSIZEMOVE;
        return 0;
    case WM_DPICHANGED:
        Rescale(*window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
    case kCloseLaterMessage:
        CloseLiveWindow(*window);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
        HandleDestroyed(window);
        break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

// The work area of the opener's monitor, or of the primary one.
RECT WorkArea(HWND opener)
{
    return WorkAreaOf(opener != nullptr ? MonitorFromWindow(opener, MONITOR_DEFAULTTOPRIMARY)
                                        : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

// Centred on the work area; a window larger than it keeps its title bar inside, at the corner.
void PlaceInWorkArea(HWND handle, SIZE size, const RECT& work)
{
    LONG left = std::max(work.left, work.left + (work.right - work.left - size.cx) / 2);
    LONG top = std::max(work.top, work.top + (work.bottom - work.top - size.cy) / 2);
    SetWindowPos(handle, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Created on the opener's monitor first, so that it knows that monitor's DPI and work area before
// its controls are built at the scale they give.
std::unique_ptr<LiveWindow> BuildWindow(const DeclaredWindow& declared, HWND opener, HWND owner)
{
    const WindowDeclaration& declaration = *declared.declaration;
    auto window = std::make_unique<LiveWindow>();
    window->declaration = &declaration;
    std::wstring title = Utf8ToWide(declaration.title);
    RECT work = WorkArea(opener);
    HWND handle = CreateWindowExW(kTopExStyle, kTopWindowClass, title.c_str(), kTopStyle, work.left, work.top,
                                  declaration.width, declaration.height, owner, nullptr, ModuleInstance(),
                                  window.get());
    if (handle == nullptr) {
        return nullptr;
    }
    DeclaredOuter outer = DeclaredOuterOf(declaration);
    window->dpi = WindowDpi(handle);
    window->scale = ScaleToFit(outer, window->dpi, work);
    if (!CreateControls(*window, declared.controls)) {
        DestroyWindow(handle);
        return nullptr;
    }
    PlaceInWorkArea(handle, OuterSize(outer, window->dpi, window->scale), work);
    return window;
}

// The program's window the user is working in: the active one, else the newest still open.
HWND OpenerWindow()
{
    if (WindowOfHandle(GetActiveWindow()) != nullptr) {
        return GetActiveWindow();
    }
    std::vector<LiveWindow*> open = OpenLiveWindows();
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        if (!(*it)->closing) {
            return (*it)->handle;
        }
    }
    return nullptr;
}

void BringToFront(HWND handle)
{
    if (IsIconic(handle)) {
        ShowWindow(handle, SW_RESTORE);
    }
    SetForegroundWindow(handle);
    BringWindowToTop(handle);
}

}  // namespace

bool RegisterTopWindowClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TopWindowProc;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kTopWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void CloseLiveWindow(LiveWindow& window)
{
    for (HWND disabled : window.disabledWindows) {
        if (IsWindow(disabled)) {
            EnableWindow(disabled, TRUE);
        }
    }
    window.disabledWindows.clear();
    DestroyWindow(window.handle);
}

bool OpenWindow(WindowId id, bool modal)
{
    if (IsProgramEnding()) {
        return false;
    }
    if (LiveWindow* open = FindOpenWindow(id); open != nullptr && !open->closing) {
        BringToFront(open->handle);
        return true;
    }
    const DeclaredWindow* declared = FindDeclared(id);
    // A modal window is owned by its opener, so that it always stands above the window it
    // disables. A modeless one has no owner: an owned window would die with its owner, and the
    // desktop window outlives the start window that opens it.
    HWND opener = OpenerWindow();
    HWND owner = modal ? opener : nullptr;
    std::unique_ptr<LiveWindow> built = declared != nullptr ? BuildWindow(*declared, opener, owner) : nullptr;
    if (built == nullptr) {
        return false;
    }
    LiveWindow& window = *built;
    window.serial = NextWindowSerial();
    std::uint64_t serial = window.serial;
    RegisterOpenWindow(std::move(built));
    if (declared->declaration->created != nullptr) {
        declared->declaration->created({});
    }
    // The Created handler may already have closed it.
    if (FindWindowBySerial(serial) == nullptr) {
        return true;
    }
    ShowWindow(window.handle, SW_SHOWNORMAL);
    UpdateWindow(window.handle);
    if (modal) {
        RunModalLoop(serial, owner);
    }
    return true;
}

void CloseWindowLater(WindowId id)
{
    LiveWindow* window = FindOpenWindow(id);
    if (window == nullptr || window->closing) {
        return;
    }
    window->closing = true;
    PostMessageW(window->handle, kCloseLaterMessage, 0, 0);
}
