// Display scaling: declared pixels (96 DPI) scaled to a window's DPI, or less to fit its work area; its frame.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/win32/live_window.h"

namespace {

using GetDpiForWindowFunction = UINT WINAPI(HWND);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);

// Both came with Windows 10 (1607): looked up at run time, so that the program still starts on
// Windows 7 and 8, which run it system-aware (every window at the one system DPI).
template <typename Function>
Function* User32Function(const char* name)
{
    FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(found));
}

AdjustWindowRectExForDpiFunction* AdjustForDpi()
{
    static auto* adjustForDpi = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    return adjustForDpi;
}

SIZE FrameSize(DWORD style, DWORD exStyle, int dpi)
{
    RECT frame{0, 0, 0, 0};
    if (AdjustForDpi() != nullptr) {
        AdjustForDpi()(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

// Without the per-DPI frame (before Windows 10) the 96-DPI frame is estimated from the one at the
// system DPI, which is exact at 96 DPI itself.
SIZE DeclaredFrameSize(DWORD style, DWORD exStyle, SIZE frameAtDpi, int dpi)
{
    if (AdjustForDpi() != nullptr) {
        return FrameSize(style, exStyle, kDeclaredDpi);
    }
    return SIZE{MulDiv(frameAtDpi.cx, kDeclaredDpi, dpi), MulDiv(frameAtDpi.cy, kDeclaredDpi, dpi)};
}

// The declared outer size holds the 96-DPI frame; only the client part inside it scales.
SIZE DeclaredClientSize(const DeclaredOuter& declared, SIZE frameAtDpi, int dpi)
{
    SIZE declaredFrame = DeclaredFrameSize(declared.style, declared.exStyle, frameAtDpi, dpi);
    return SIZE{std::max(declared.size.cx - declaredFrame.cx, 0L), std::max(declared.size.cy - declaredFrame.cy, 0L)};
}

bool Smaller(LayoutScale a, LayoutScale b)
{
    return static_cast<std::int64_t>(a.numerator) * b.denominator <
           static_cast<std::int64_t>(b.numerator) * a.denominator;
}

}  // namespace

int ScaleDeclared(int pixels, LayoutScale scale) { return MulDiv(pixels, scale.numerator, scale.denominator); }

RECT ScaleDeclared(const Rect& declared, LayoutScale scale)
{
    return RECT{ScaleDeclared(declared.left, scale), ScaleDeclared(declared.top, scale),
                ScaleDeclared(declared.left + declared.width, scale),
                ScaleDeclared(declared.top + declared.height, scale)};
}

bool SameScale(LayoutScale a, LayoutScale b) { return !Smaller(a, b) && !Smaller(b, a); }

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : kDeclaredDpi;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : kDeclaredDpi;
}

int WindowDpi(HWND window)
{
    static auto* getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    int dpi = getDpiForWindow != nullptr ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

// At 150 % or 175 % a 1080-line laptop screen is too short for a window made for 96 DPI and
// scaled by the full factor; one that does not fit could not be moved to show its bottom rows.
// The frame stays at the monitor's DPI, as the system draws it; the client area gets what is left.
LayoutScale ScaleToFit(const DeclaredOuter& declared, int dpi, const RECT& workArea)
{
    SIZE frame = FrameSize(declared.style, declared.exStyle, dpi);
    SIZE client = DeclaredClientSize(declared, frame, dpi);
    LayoutScale scale{dpi, kDeclaredDpi};
    const std::pair<LONG, LONG> sides[] = {{client.cx, workArea.right - workArea.left - frame.cx},
                                           {client.cy, workArea.bottom - workArea.top - frame.cy}};
    for (auto [declaredSide, room] : sides) {
        // Scaled by room / declared side, the client side fills the room exactly.
        LayoutScale filling{static_cast<int>(room), static_cast<int>(declaredSide)};
        if (declaredSide > 0 && Smaller(filling, scale)) {
            scale = filling;
        }
    }
    // Fitting never makes a window smaller than declared (only a monitor under 96 DPI does): one
    // too large even then keeps that size and stands at the work area's corner.
    LayoutScale least = Smaller(LayoutScale{dpi, kDeclaredDpi}, LayoutScale{1, 1}) ? LayoutScale{dpi, kDeclaredDpi}
                                                                                   : LayoutScale{1, 1};
    return Smaller(scale, least) ? least : scale;
}

SIZE OuterSize(const DeclaredOuter& declared, int dpi, LayoutScale scale)
{
    SIZE frame = FrameSize(declared.style, declared.exStyle, dpi);
    SIZE client = DeclaredClientSize(declared, frame, dpi);
    return SIZE{frame.cx + ScaleDeclared(client.cx, scale), frame.cy + ScaleDeclared(client.cy, scale)};
}
