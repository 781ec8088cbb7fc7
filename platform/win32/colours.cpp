// Colours: the declared 0xRRGGBB values as GDI colours, the backgrounds behind controls, and WM_CTLCOLOR*.
#include "platform/win32/live_window.h"

COLORREF ToColorRef(Rgb colour) { return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF); }

HBRUSH WindowBrush(LiveWindow& window, COLORREF colour)
{
    for (auto& [known, brush] : window.brushes) {
        if (known == colour) {
            return brush;
        }
    }
    HBRUSH brush = CreateSolidBrush(colour);
    window.brushes.emplace_back(colour, brush);
    return brush;
}

COLORREF WindowBackground(const LiveWindow& window)
{
    Rgb declared = window.declaration->background;
    return declared == kNoColour ? GetSysColor(COLOR_BTNFACE) : ToColorRef(declared);
}

const LiveControl* PageBehind(const LiveControl& control)
{
    for (const LiveControl* container = control.container; container != nullptr; container = container->container) {
        if (container->declaration->kind == ControlKind::PageControl) {
            return container;
        }
        if (container->declaration->background != kNoColour) {
            return nullptr;
        }
    }
    return nullptr;
}

COLORREF ContainerBackground(const LiveControl& control)
{
    for (const LiveControl* container = control.container; container != nullptr; container = container->container) {
        if (container->declaration->kind == ControlKind::PageControl) {
            return GetSysColor(COLOR_BTNFACE);
        }
        if (container->declaration->background != kNoColour) {
            return ToColorRef(container->declaration->background);
        }
    }
    return WindowBackground(*control.window);
}

COLORREF ControlBackground(const LiveControl& control)
{
    Rgb declared = control.declaration->background;
    return declared == kNoColour ? ContainerBackground(control) : ToColorRef(declared);
}

COLORREF ControlTextColour(const LiveControl& control, int systemDefault)
{
    return control.textColour == kNoColour ? GetSysColor(systemDefault) : ToColorRef(control.textColour);
}

HBRUSH ColourControl(UINT message, HDC dc, HWND handle)
{
    LiveControl* control = ControlOfHandle(handle);
    if (control == nullptr) {
        return nullptr;
    }
    const ControlDeclaration& declaration = *control->declaration;
    COLORREF text = 0;
    COLORREF back = 0;
    if (declaration.kind == ControlKind::EditBox) {
        // A read-only box asks with WM_CTLCOLORSTATIC and has the dialog face as its own default.
        int defaultBack = message == WM_CTLCOLORSTATIC ? COLOR_BTNFACE : COLOR_WINDOW;
        text = ControlTextColour(*control, COLOR_WINDOWTEXT);
        back = declaration.background == kNoColour ? GetSysColor(defaultBack) : ToColorRef(declaration.background);
    } else if (declaration.kind == ControlKind::CheckBox) {
        text = ControlTextColour(*control, COLOR_BTNTEXT);
        back = ControlBackground(*control);
    } else {
        return nullptr;
    }
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    return WindowBrush(*control->window, back);
}
