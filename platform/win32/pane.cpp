// The window class that draws the passive kinds itself: Label, TransLabel, SplitterBar, PicBox and GroupBox.
#include <algorithm>
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"

const wchar_t kPaneClass[] = L"PellucorPane";

namespace {

LiveControl* PaneControl(HWND handle) { return reinterpret_cast<LiveControl*>(GetWindowLongPtrW(handle, GWLP_USERDATA)); }

void Fill(HDC dc, const RECT& area, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// The page's own painting where no colour is declared: the tab control's page face is not
// always the dialog colour (a themed one is lighter).
void FillBackground(const LiveControl& control, HDC dc, const RECT& client)
{
    const LiveControl* page = PageBehind(control);
    if (control.declaration->background != kNoColour || page == nullptr) {
        Fill(dc, client, ControlBackground(control));
        return;
    }
    POINT corner{0, 0};
    MapWindowPoints(control.handle, page->handle, &corner, 1);
    POINT oldOrigin;
    OffsetViewportOrgEx(dc, -corner.x, -corner.y, &oldOrigin);
    SendMessageW(page->handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

UINT AlignmentFormat(const ControlDeclaration& declaration)
{
    return DT_NOPREFIX | (declaration.align == Align::Centre ? DT_CENTER : DT_LEFT);
}

// Opaque, vertically centred; several lines when the caption holds line breaks or wraps.
void PaintLabel(const LiveControl& control, HDC dc, const RECT& client)
{
    FillBackground(control, dc, client);
    std::wstring text = WindowText(control.handle);
    UINT format = AlignmentFormat(*control.declaration) | DT_EXPANDTABS |
                  (control.declaration->wordWrap ? DT_WORDBREAK : 0);
    RECT measured = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    RECT target = client;
    target.top += std::max(0L, ((client.bottom - client.top) - (measured.bottom - measured.top)) / 2);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &target, format);
}

// No background at all: what lies behind shows through. One line, vertically centred on the
// declared rectangle, which sits inside a window made wide enough for the whole line.
void PaintTransLabel(const LiveControl& control, HDC dc)
{
    std::wstring text = WindowText(control.handle);
    const RECT& b = control.bounds;
    RECT declared{control.textOrigin.x, control.textOrigin.y, control.textOrigin.x + (b.right - b.left),
                  control.textOrigin.y + (b.bottom - b.top)};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &declared,
              AlignmentFormat(*control.declaration) | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}

// A frame filled with the group's colour; the caption, if any, interrupts the frame's top edge.
void PaintGroupBox(const LiveControl& control, HDC dc, const RECT& client)
{
    FillBackground(control, dc, client);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    std::wstring text = WindowText(control.handle);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    int indent = ScaleDeclared(8, control.window->scale);
    int left = control.declaration->align == Align::Centre ? (client.right - size.cx) / 2 : indent;
    int saved = SaveDC(dc);
    if (!text.empty()) {
        ExcludeClipRect(dc, left - 2, 0, left + size.cx + 2, metrics.tmHeight);
    }
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    RestoreDC(dc, saved);
    TextOutW(dc, left, 0, text.c_str(), static_cast<int>(text.size()));
}

// A transparent window is clipped out of neither its parent nor the siblings behind it, and they
// may be painted after it, over its text. So once its own update region is validated, it lets
// everything behind it paint first.
void PaintWhatLiesBehind(HWND label)
{
    HWND parent = GetParent(label);
    RECT area;
    GetWindowRect(label, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Paint(const LiveControl& control, HDC dc)
{
    RECT client;
    GetClientRect(control.handle, &client);
    HGDIOBJ oldFont = SelectObject(dc, control.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ControlTextColour(control, COLOR_BTNTEXT));
    switch (control.declaration->kind) {
    case ControlKind::Label:
        PaintLabel(control, dc, client);
        break;
    case ControlKind::TransLabel:
        PaintTransLabel(control, dc);
        break;
    case ControlKind::GroupBox:
        PaintGroupBox(control, dc, client);
        break;
    case ControlKind::SplitterBar:
        Fill(dc, client, ControlBackground(control));
        break;
    case ControlKind::PicBox:
        // A picture that could not be decoded leaves only the box's face.
        Fill(dc, client, GetSysColor(COLOR_BTNFACE));
        if (control.picture) {
            DrawPicture(dc, *control.picture);
        }
        break;
    default:
        break;
    }
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK PaneProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* control = static_cast<LiveControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        control->handle = handle;
        SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    LiveControl* control = PaneControl(handle);
    if (control == nullptr) {
        return DefWindowProcW(handle, message, wParam, lParam);
    }
    if (IsForwardedNotification(message)) {
        return ForwardToTopWindow(handle, message, wParam, lParam);
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(handle, &paint);
        if (control->declaration->kind == ControlKind::TransLabel) {
            PaintWhatLiesBehind(handle);
        }
        Paint(*control, dc);
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(*control, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(control->font);
    case WM_NCDESTROY:
        SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

}  // namespace

bool RegisterPaneClass()
{
    WNDCLASSEXW paneClass{};
    paneClass.cbSize = sizeof(paneClass);
    paneClass.lpfnWndProc = PaneProc;
    paneClass.hInstance = ModuleInstance();
    paneClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    paneClass.lpszClassName = kPaneClass;
    return RegisterClassExW(&paneClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

RECT TransLabelBounds(const LiveControl& control)
{
    const RECT& r = control.bounds;
    std::wstring text = Utf8ToWide(control.declaration->caption);
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, control.font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    LONG width = r.right - r.left;
    LONG height = r.bottom - r.top;
    LONG textLeft = control.declaration->align == Align::Centre ? r.left + (width - size.cx) / 2 : r.left;
    LONG textTop = r.top + (height - size.cy) / 2;
    return RECT{std::min(r.left, textLeft), std::min(r.top, textTop), std::max(r.right, textLeft + size.cx),
                std::max(r.bottom, textTop + size.cy)};
}
