// The PageControl: a tab control whose page children are its own child windows, one page shown at a time.
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"

namespace {

constexpr UINT_PTR kForwardSubclassId = 2;

// The tab control would keep its children's notifications to itself.
LRESULT CALLBACK PageControlProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (IsForwardedNotification(message)) {
        return ForwardToTopWindow(handle, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(handle, PageControlProc, kForwardSubclassId);
    }
    return DefSubclassProc(handle, message, wParam, lParam);
}

void AddPages(HWND handle, const ControlDeclaration& declaration)
{
    int index = 0;
    for (std::string_view caption : declaration.pages) {
        std::wstring text = Utf8ToWide(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(handle, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace

bool IsForwardedNotification(UINT message)
{
    return message == WM_COMMAND || message == WM_NOTIFY || message == WM_CTLCOLOREDIT ||
           message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN;
}

LRESULT ForwardToTopWindow(HWND container, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageW(GetAncestor(container, GA_ROOT), message, wParam, lParam);
}

HWND CreatePageControl(LiveControl& control, HWND parent, const RECT& bounds, DWORD style, int id)
{
    HWND handle = CreateWindowExW(WS_EX_CONTROLPARENT, WC_TABCONTROLW, L"", style | WS_CLIPCHILDREN,
                                  bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
    if (handle == nullptr) {
        return nullptr;
    }
    SetWindowSubclass(handle, PageControlProc, kForwardSubclassId, 0);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
    AddPages(handle, *control.declaration);
    return handle;
}

// Shows the children of the selected page and hides the others; a focus left on a hidden
// control moves to the page control.
void ShowSelectedPage(LiveWindow& window, LiveControl& pageControl)
{
    int selected = static_cast<int>(SendMessageW(pageControl.handle, TCM_GETCURSEL, 0, 0));
    for (auto& control : window.controls) {
        if (control->container != &pageControl || control->handle == nullptr) {
            continue;
        }
        ShowWindow(control->handle, control->declaration->page == selected ? SW_SHOWNA : SW_HIDE);
    }
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(pageControl.handle, focus) && !IsWindowVisible(focus)) {
        SetFocus(pageControl.handle);
    }
}
