// The real start and desktop windows at the display's DPI: run at 96 DPI, and at 120, 144 and 168
// DPI on a 1920 x 1000 screen, where every size and text grows by the display's factor unless the
// window would then not fit the work area: then by the largest factor that fits.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "core/window_names.h"
#include "platform/win32/live_window.h"
#include "support/program_start.h"
#include "support/win32_windows.h"
#include "ui/windows.h"

namespace {

// Stays open for the whole run, so that closing the desktop window does not end the program.
constexpr WindowId kKeeperWindow = 100;
const WindowDeclaration kKeeper{kKeeperWindow, "保持窗口", 200, 150, kNoColour, {}, nullptr};

int ExpectedDpi()
{
    const char* dpi = std::getenv("PELLUCOR_EXPECTED_DPI");
    return dpi != nullptr ? std::atoi(dpi) : kDeclaredDpi;
}

int Scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, kDeclaredDpi); }
LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }

// The window's frame at the given DPI; a declared outer size holds the one at 96 DPI.
SIZE Frame(HWND window, int dpi)
{
    using Adjust = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    auto* adjust = reinterpret_cast<Adjust*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT frame{0, 0, 0, 0};
    adjust(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
           static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), static_cast<UINT>(dpi));
    return SIZE{Width(frame), Height(frame)};
}

RECT WorkAreaOf(HWND window)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

HWND WindowHandle(WindowId id) { return FindOpenWindow(id)->handle; }
HWND Handle(WindowId id, std::string_view control) { return FindControl(id, control)->handle; }

LONG FontHeight(HWND control) { return FontOf(control).lfHeight; }

// The declared client size (the declared outer size less the 96-DPI frame).
SIZE DeclaredClient(const WindowDeclaration& declaration, HWND window)
{
    SIZE frame = Frame(window, kDeclaredDpi);
    return SIZE{declaration.width - frame.cx, declaration.height - frame.cy};
}

// The factor by which the window's client area grew from its declared size.
double ClientFactor(const WindowDeclaration& declaration)
{
    RECT client;
    GetClientRect(WindowHandle(declaration.id), &client);
    return static_cast<double>(client.bottom) / DeclaredClient(declaration, WindowHandle(declaration.id)).cy;
}

class DisplayScaling : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 3> windows = {&StartWindowDeclaration(),
                                                                        &DesktopWindowDeclaration(), &kKeeper};
        StartWithWindows(windows);
        ASSERT_TRUE(OpenWindow(kKeeperWindow, false));
    }

    void TearDown() override
    {
        CloseWindowLater(StartWindow);
        CloseWindowLater(DesktopWindow);
        ProcessPendingEvents();
    }

    // The client area is the declared one grown by the display's factor where the window then fits
    // the work area, else by the largest factor that fits, never below 1: the window then fills
    // the work area's width or height. The window lies wholly inside the work area, centred.
    static void ExpectFittedAndPlaced(const WindowDeclaration& declaration, int dpi)
    {
        HWND window = WindowHandle(declaration.id);
        SIZE declared = DeclaredClient(declaration, window);
        SIZE frame = Frame(window, dpi);
        RECT work = WorkAreaOf(window);
        RECT outer;
        GetWindowRect(window, &outer);
        RECT client;
        GetClientRect(window, &client);
        bool plainFits = frame.cx + Scaled(declared.cx, dpi) <= Width(work) &&
                         frame.cy + Scaled(declared.cy, dpi) <= Height(work);
        if (plainFits) {
            EXPECT_NEAR(client.right, Scaled(declared.cx, dpi), 2) << declaration.title;
            EXPECT_NEAR(client.bottom, Scaled(declared.cy, dpi), 2) << declaration.title;
        } else {
            EXPECT_LE(std::min(Width(work) - Width(outer), Height(work) - Height(outer)), 2)
                << declaration.title << ": the largest factor that fits fills the work area one way";
            EXPECT_GE(client.bottom, declared.cy) << declaration.title << ": never below 1";
            EXPECT_NEAR(client.right, declared.cx * ClientFactor(declaration), 2)
                << declaration.title << ": both ways by the one factor";
        }
        EXPECT_GE(outer.left, work.left) << declaration.title;
        EXPECT_GE(outer.top, work.top) << declaration.title;
        EXPECT_LE(outer.right, work.right) << declaration.title;
        EXPECT_LE(outer.bottom, work.bottom) << declaration.title;
        EXPECT_NEAR(outer.left - work.left, work.right - outer.right, 1) << declaration.title << ": centred";
        EXPECT_NEAR(outer.top - work.top, work.bottom - outer.bottom, 1) << declaration.title << ": centred";
    }

    // The output box stands, and its text is as tall, as the window's factor makes them.
    static void ExpectOutputBoxScaledBy(double factor)
    {
        HWND output = Handle(DesktopWindow, kOutputBox);
        POINT corner = ClientOffset(output, WindowHandle(DesktopWindow));
        EXPECT_NEAR(corner.x, 496 * factor, 1);
        EXPECT_NEAR(corner.y, 16 * factor, 1);
        RECT box;
        GetWindowRect(output, &box);
        EXPECT_NEAR(Width(box), 600 * factor, 1);
        EXPECT_NEAR(FontHeight(output), -14 * factor, 1) << "a 14 px font";
        EXPECT_NEAR(FontHeight(Handle(DesktopWindow, "高级选择夹1")), -19 * factor, 1) << "the page headers";
    }
};

// The start and desktop windows open at the display's DPI on the test screen, grown and fitted.
TEST_F(DisplayScaling, WindowsRunAtTheDisplaysDpiAndScaleToFitTheWorkArea)
{
    if (const char* screen = std::getenv("PELLUCOR_EXPECTED_SCREEN")) {
        EXPECT_EQ(std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN)),
                  screen);
    }
    ASSERT_TRUE(OpenWindow(StartWindow, false));
    EXPECT_EQ(FindOpenWindow(StartWindow)->dpi, ExpectedDpi());
    ExpectFittedAndPlaced(StartWindowDeclaration(), FindOpenWindow(StartWindow)->dpi);
    EXPECT_NEAR(FontHeight(Handle(StartWindow, "按钮更新")), -14 * ClientFactor(StartWindowDeclaration()), 1)
        << "a 14 px font";
    ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    ExpectFittedAndPlaced(DesktopWindowDeclaration(), FindOpenWindow(DesktopWindow)->dpi);
    ExpectOutputBoxScaledBy(ClientFactor(DesktopWindowDeclaration()));
}

// Windows moved to a monitor of another DPI: the window stands where the system suggests, every
// control is re-placed and its font made anew, and moving back gives the first layout again. On a
// monitor whose DPI would make the window larger than its work area, the window shrinks to the
// largest factor that fits and is kept wholly inside.
TEST_F(DisplayScaling, DpiChangeReplacesControlsRemakesFontsAndFitsTheWorkArea)
{
    ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    HWND window = WindowHandle(DesktopWindow);
    int dpi = FindOpenWindow(DesktopWindow)->dpi;
    double factor = ClientFactor(DesktopWindowDeclaration());
    RECT before;
    GetWindowRect(window, &before);

    // A monitor of lower DPI, where the window fits on any test screen at that DPI's own factor.
    int other = dpi * 3 / 4;
    RECT suggested{10, 20, 10 + Width(before) * 3 / 4, 20 + Height(before) * 3 / 4};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    RECT moved;
    GetWindowRect(window, &moved);
    EXPECT_EQ(moved.left, 10);
    EXPECT_EQ(moved.top, 20);
    ExpectOutputBoxScaledBy(static_cast<double>(other) / kDeclaredDpi);

    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&before));
    RECT back;
    GetWindowRect(window, &back);
    EXPECT_TRUE(EqualRect(&back, &before));
    ExpectOutputBoxScaledBy(factor);

    other = dpi * 2;
    RECT work = WorkAreaOf(window);
    suggested = {work.left + 40, work.top + 30, work.left + 40 + Width(before) * 2, work.top + 30 + Height(before) * 2};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &moved);
    EXPECT_GE(moved.left, work.left);
    EXPECT_GE(moved.top, work.top);
    EXPECT_LE(moved.right, work.right);
    EXPECT_LE(moved.bottom, work.bottom);
    EXPECT_LE(std::min(Width(work) - Width(moved), Height(work) - Height(moved)), 2)
        << "the largest factor that fits fills the work area one way";
    double fitted = static_cast<double>(Height(moved) - Frame(window, other).cy) /
                    DeclaredClient(DesktopWindowDeclaration(), window).cy;
    EXPECT_LT(fitted, other / static_cast<double>(kDeclaredDpi));
    ExpectOutputBoxScaledBy(fitted);
}

}  // namespace
