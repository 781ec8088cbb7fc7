// Building a window's controls from their declarations: one child window per control, per kind.
#include "platform/win32/windows_api.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/system_libraries.h"
#include "platform/win32/wide.h"

namespace {

// Every control clips the siblings in front of it, so none paints over one that stands before it.
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }

// Scales the declared rectangle by the window's scale and prepares what depends on its size: a
// transparent label's wider window, a picture scaled once to the box. Returns the rectangle the
// control's window takes in its container.
RECT LayOut(LiveControl& control)
{
    const ControlDeclaration& d = *control.declaration;
    control.bounds = ScaleDeclared(d.rect, control.window->scale);
    switch (d.kind) {
    case ControlKind::TransLabel: {
        RECT area = TransLabelBounds(control);
        control.textOrigin = POINT{control.bounds.left - area.left, control.bounds.top - area.top};
        return area;
    }
    case ControlKind::PicBox:
        // Drawn from the full-size source, so a scaled box is as sharp as an unscaled one. A
        // picture box has the system's own face behind any transparent parts of its picture.
        control.picture = PrepareBoxPicture(d.picture, Width(control.bounds), Height(control.bounds),
                                            GetSysColor(COLOR_BTNFACE));
        return control.bounds;
    default:
        return control.bounds;
    }
}

// UxTheme is not a Known DLL, so it is not imported (Windows would look for it beside the program
// first) but found in System32 when first needed. Without it every control is drawn unthemed anyway.
void DrawUnthemed(HWND handle)
{
    using SetWindowThemeFunction = HRESULT WINAPI(HWND, const wchar_t*, const wchar_t*);
    static auto* setWindowTheme = SystemFunction<SetWindowThemeFunction>(L"uxtheme.dll", "SetWindowTheme");
    if (setWindowTheme != nullptr) {
        setWindowTheme(handle, L"", L"");
    }
}

HMENU IdOf(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

HWND CreateChild(DWORD exStyle, const wchar_t* className, const std::wstring& text, DWORD style, const RECT& bounds,
                 HWND parent, int id, void* createParam = nullptr)
{
    return CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top, Width(bounds),
                           Height(bounds), parent, IdOf(id), ModuleInstance(), createParam);
}

HWND CreateEditBox(LiveControl& control, const RECT& area, HWND parent, int id, DWORD style)
{
    const ControlDeclaration& d = *control.declaration;
    style |= d.multiLine ? (ES_MULTILINE | ES_AUTOVSCROLL) : ES_AUTOHSCROLL;
    style |= (d.verticalScroll ? WS_VSCROLL : 0) | (d.readOnly ? ES_READONLY : 0);
    style |= (control.align == Align::Centre ? ES_CENTER : ES_LEFT) | (d.border == Border::Single ? WS_BORDER : 0);
    DWORD exStyle = d.border == Border::Sunken ? WS_EX_CLIENTEDGE : 0;
    HWND handle = CreateChild(exStyle, L"EDIT", L"", style, area, parent, id);
    if (handle == nullptr) {
        return nullptr;
    }
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
    // 0 lifts the limit; it must be lifted before a long content is put in.
    SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(handle, Utf8ToWide(d.caption).c_str());
    control.lastLine = LastBoxLine(d.caption);
    SendMessageW(handle, EM_SETSEL, 0, 0);
    return handle;
}

HWND CreateButton(const LiveControl& control, const RECT& area, HWND parent, int id, DWORD style)
{
    const ControlDeclaration& d = *control.declaration;
    if (d.kind == ControlKind::CheckBox) {
        style |= BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | (d.wordWrap ? BS_MULTILINE : 0);
    } else {
        style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
    }
    HWND handle = CreateChild(0, L"BUTTON", Utf8ToWide(d.caption), style, area, parent, id);
    if (handle == nullptr) {
        return nullptr;
    }
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
    if (d.kind == ControlKind::CheckBox) {
        // A themed check box draws its caption in the theme's colour, whatever WM_CTLCOLORSTATIC
        // asks for: white on slate would come out black. Those boxes are drawn unthemed.
        if (d.textColour != kNoColour) {
            DrawUnthemed(handle);
        }
        SendMessageW(handle, BM_SETCHECK, d.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return handle;
}

HWND CreatePane(LiveControl& control, const RECT& area, HWND parent, int id, DWORD style)
{
    const ControlDeclaration& d = *control.declaration;
    DWORD exStyle = 0;
    switch (d.kind) {
    case ControlKind::TransLabel:
        // Not clipped out of the parent's or the siblings' painting: they paint first, the text on top.
        exStyle = WS_EX_TRANSPARENT;
        break;
    case ControlKind::SplitterBar:
        style |= WS_DISABLED;
        break;
    case ControlKind::GroupBox:
        exStyle = WS_EX_CONTROLPARENT;
        style |= WS_CLIPCHILDREN;
        break;
    default:
        break;
    }
    return CreateChild(exStyle, kPaneClass, Utf8ToWide(d.caption), style, area, parent, id, &control);
}

HWND CreateControlWindow(LiveControl& control, HWND parent, int id)
{
    const ControlDeclaration& d = *control.declaration;
    DWORD style = kChildStyle | (IsTabStop(d) ? WS_TABSTOP : 0);
    RECT area = LayOut(control);
    switch (d.kind) {
    case ControlKind::EditBox:
        return CreateEditBox(control, area, parent, id, style);
    case ControlKind::Button:
    case ControlKind::CheckBox:
        return CreateButton(control, area, parent, id, style);
    case ControlKind::PageControl:
        return CreatePageControl(control, parent, area, style, id);
    default:
        return CreatePane(control, area, parent, id, style);
    }
}

// Front-most first: each control in turn goes to the bottom of its siblings.
void StackInDeclaredOrder(const LiveWindow& window)
{
    for (const auto& control : window.controls) {
        SetWindowPos(control->handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void ShowFirstPages(LiveWindow& window)
{
    for (auto& control : window.controls) {
        if (control->declaration->kind == ControlKind::PageControl) {
            SendMessageW(control->handle, TCM_SETCURSEL, 0, 0);
            ShowSelectedPage(window, *control);
        }
    }
}

}  // namespace

bool CreateControls(LiveWindow& window, const ControlIndex& index)
{
    for (const ControlDeclaration& declaration : window.declaration->controls) {
        auto control = std::make_unique<LiveControl>();
        control->declaration = &declaration;
        control->window = &window;
        control->textColour = declaration.textColour;
        control->align = declaration.align;
        window.controls.push_back(std::move(control));
    }
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        int container = index.ContainerOf(static_cast<int>(i));
        window.controls[i]->container = container < 0 ? nullptr : window.controls[static_cast<std::size_t>(container)].get();
    }
    // Containers before what they hold, whatever the declared order.
    std::vector<int> order(window.controls.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&index](int a, int b) { return index.Depth(a) < index.Depth(b); });
    for (int declared : order) {
        LiveControl& control = *window.controls[static_cast<std::size_t>(declared)];
        control.font = WindowFont(window, control.declaration->font);
        HWND parent = control.container != nullptr ? control.container->handle : window.handle;
        control.handle = CreateControlWindow(control, parent, kFirstControlId + declared);
        if (control.handle == nullptr) {
            return false;
        }
        WatchControlEvents(control);
    }
    StackInDeclaredOrder(window);
    ShowFirstPages(window);
    return true;
}

// Its place in the stacking order and its identifier stay as they were.
bool RecreateControl(LiveControl& control)
{
    HWND old = control.handle;
    HWND parent = GetParent(old);
    HWND above = GetWindow(old, GW_HWNDPREV);
    int id = GetDlgCtrlID(old);
    DestroyWindow(old);
    control.handle = CreateControlWindow(control, parent, id);
    if (control.handle == nullptr) {
        return false;
    }
    WatchControlEvents(control);
    SetWindowPos(control.handle, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void RescaleControls(LiveWindow& window)
{
    std::vector<std::pair<FontSpec, HFONT>> oldFonts = std::move(window.fonts);
    window.fonts.clear();
    for (auto& control : window.controls) {
        control->font = WindowFont(window, control->declaration->font);
        SendMessageW(control->handle, WM_SETFONT, reinterpret_cast<WPARAM>(control->font), FALSE);
        RECT area = LayOut(*control);
        SetWindowPos(control->handle, nullptr, area.left, area.top, Width(area), Height(area),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ReleaseFonts(oldFonts);
    RedrawWindow(window.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
