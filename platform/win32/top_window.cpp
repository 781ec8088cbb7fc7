// The program's top-level windows: their window class, building one from its declaration, opening and closing.
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"
#include "platform/window_system.h"

namespace {

const wchar_t kTopWindowClass[] = L"PellucorWindow";

// Fixed single frame, title bar, system menu with close and minimise boxes, no maximise box.
constexpr DWORD kTopStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Shown in the task bar; Tab walks into group boxes and page controls.
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

// Centred on the screen with exactly the declared outer size, whatever the system made of it.
void PlaceCentred(HWND handle, int width, int height)
{
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    RECT actual;
    GetWindowRect(handle, &actual);
    if (actual.left != left || actual.top != top || actual.right - actual.left != width ||
        actual.bottom - actual.top != height) {
        SetWindowPos(handle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

std::unique_ptr<LiveWindow> BuildWindow(const WindowDeclaration& declaration)
{
    auto window = std::make_unique<LiveWindow>();
    window->declaration = &declaration;
    std::wstring title = Utf8ToWide(declaration.title);
    HWND handle = CreateWindowExW(kTopExStyle, kTopWindowClass, title.c_str(), kTopStyle, 0, 0, declaration.width,
                                  declaration.height, nullptr, nullptr, ModuleInstance(), window.get());
    if (handle == nullptr) {
        return nullptr;
    }
    if (!CreateControls(*window)) {
        DestroyWindow(handle);
        return nullptr;
    }
    PlaceCentred(handle, declaration.width, declaration.height);
    return window;
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
    const WindowDeclaration* declaration = FindDeclaration(id);
    std::unique_ptr<LiveWindow> built = declaration != nullptr ? BuildWindow(*declaration) : nullptr;
    if (built == nullptr) {
        return false;
    }
    HWND owner = WindowOfHandle(GetActiveWindow()) != nullptr ? GetActiveWindow() : nullptr;
    LiveWindow& window = *built;
    window.serial = NextWindowSerial();
    std::uint64_t serial = window.serial;
    RegisterOpenWindow(std::move(built));
    if (declaration->created != nullptr) {
        declaration->created({});
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
