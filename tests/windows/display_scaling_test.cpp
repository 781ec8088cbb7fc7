// The real start and desktop windows at the display's DPI: run once at 96 DPI and once in a Wine
// prefix set to 144 DPI (150 %), where every size and every text must be 1.5 times as large.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include <array>
#include <cstdlib>

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

// The frame that a declared outer size holds: the one at 96 DPI.
SIZE DeclaredFrame(HWND window)
{
    using Adjust = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    auto* adjust = reinterpret_cast<Adjust*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT frame{0, 0, 0, 0};
    adjust(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
           static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), kDeclaredDpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

HWND WindowHandle(WindowId id) { return FindOpenWindow(id)->handle; }
HWND Handle(WindowId id, std::string_view control) { return FindControl(id, control)->handle; }

LONG FontHeight(HWND control) { return FontOf(control).lfHeight; }

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

    // The client area is the declared one scaled; the window stands centred on the work area, or
    // at its top-left corner where it is larger.
    static void ExpectScaledAndPlaced(const WindowDeclaration& declaration, int dpi)
    {
        HWND window = WindowHandle(declaration.id);
        SIZE frame = DeclaredFrame(window);
        RECT client;
        GetClientRect(window, &client);
        EXPECT_NEAR(client.right, Scaled(declaration.width - frame.cx, dpi), 2) << declaration.title;
        EXPECT_NEAR(client.bottom, Scaled(declaration.height - frame.cy, dpi), 2) << declaration.title;

        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        RECT outer;
        GetWindowRect(window, &outer);
        for (auto [start, end, workStart, workEnd] : {std::array{outer.left, outer.right, work.left, work.right},
                                                      std::array{outer.top, outer.bottom, work.top, work.bottom}}) {
            if (end - start <= workEnd - workStart) {
                EXPECT_NEAR(start - workStart, workEnd - end, 1) << declaration.title << ": centred";
            } else {
                EXPECT_EQ(start, workStart) << declaration.title << ": title bar inside the work area";
            }
        }
    }
};

TEST_F(DisplayScaling, WindowsRunAtTheDisplaysDpi)
{
    ASSERT_TRUE(OpenWindow(StartWindow, false));
    EXPECT_EQ(FindOpenWindow(StartWindow)->dpi, ExpectedDpi());
}

TEST_F(DisplayScaling, StartWindowScalesAndStandsOnTheWorkArea)
{
    ASSERT_TRUE(OpenWindow(StartWindow, false));
    int dpi = FindOpenWindow(StartWindow)->dpi;
    ExpectScaledAndPlaced(StartWindowDeclaration(), dpi);
    EXPECT_EQ(FontHeight(Handle(StartWindow, "按钮更新")), -Scaled(14, dpi)) << "a 14 px font";
}

TEST_F(DisplayScaling, DesktopWindowScalesControlsFontsAndPlace)
{
    ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    int dpi = FindOpenWindow(DesktopWindow)->dpi;
    ExpectScaledAndPlaced(DesktopWindowDeclaration(), dpi);
    HWND output = Handle(DesktopWindow, kOutputBox);
    POINT corner = ClientOffset(output, WindowHandle(DesktopWindow));
    EXPECT_EQ(corner.x, Scaled(496, dpi));
    EXPECT_EQ(corner.y, Scaled(16, dpi));
    RECT box;
    GetWindowRect(output, &box);
    EXPECT_EQ(box.right - box.left, Scaled(600, dpi));
    EXPECT_EQ(FontHeight(output), -Scaled(14, dpi)) << "a 14 px font";
}

// Windows moved to a monitor of another DPI: the suggested rectangle is taken, every control is
// re-placed and its font made anew, and moving back gives the first layout again.
TEST_F(DisplayScaling, DpiChangeReplacesControlsAndRemakesFonts)
{
    ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    HWND window = WindowHandle(DesktopWindow);
    HWND output = Handle(DesktopWindow, kOutputBox);
    int dpi = FindOpenWindow(DesktopWindow)->dpi;
    RECT before;
    GetWindowRect(window, &before);
    LONG fontBefore = FontHeight(output);

    // A monitor of lower DPI, so that the window fits on any test screen.
    int other = dpi * 3 / 4;
    RECT suggested{10, 20, 10 + (before.right - before.left) * 3 / 4, 20 + (before.bottom - before.top) * 3 / 4};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    RECT moved;
    GetWindowRect(window, &moved);
    EXPECT_EQ(moved.left, 10);
    EXPECT_EQ(moved.right - moved.left, suggested.right - suggested.left);
    EXPECT_EQ(ClientOffset(output, window).x, Scaled(496, other));
    EXPECT_EQ(FontHeight(output), -Scaled(14, other));
    EXPECT_EQ(FontHeight(Handle(DesktopWindow, "高级选择夹1")), -Scaled(19, other)) << "the page headers";

    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&before));
    EXPECT_EQ(ClientOffset(output, window).x, Scaled(496, dpi));
    EXPECT_EQ(FontHeight(output), fontBefore);
}

}  // namespace
