// Display scaling: the declared pixels (96 DPI) scaled to a window's DPI, and the frame around a client area.
#include <algorithm>

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

}  // namespace

int ScaleToDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, kDeclaredDpi); }

RECT ScaleToDpi(const Rect& declared, int dpi)
{
    return RECT{ScaleToDpi(declared.left, dpi), ScaleToDpi(declared.top, dpi),
                ScaleToDpi(declared.left + declared.width, dpi), ScaleToDpi(declared.top + declared.height, dpi)};
}

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

// The declared outer size holds the 96-DPI frame; only its client part scales.
SIZE OuterSizeForDpi(int declaredWidth, int declaredHeight, DWORD style, DWORD exStyle, int dpi)
{
    SIZE frame = FrameSize(style, exStyle, dpi);
    SIZE declaredFrame = DeclaredFrameSize(style, exStyle, frame, dpi);
    int clientWidth = std::max(declaredWidth - static_cast<int>(declaredFrame.cx), 0);
    int clientHeight = std::max(declaredHeight - static_cast<int>(declaredFrame.cy), 0);
    return SIZE{frame.cx + ScaleToDpi(clientWidth, dpi), frame.cy + ScaleToDpi(clientHeight, dpi)};
}
