// The end of the program on Win32: the last window closing posts the quit that ends the message loop.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include <array>

#include "platform/window_system.h"

namespace {

enum TestWindow : WindowId { OnlyWindow = 1 };

const ControlDeclaration kControls[] = {EditBox("编辑框", "", {8, 8, 100, 24})};
const WindowDeclaration kOnly{OnlyWindow, "唯一窗口", 300, 200, kNoColour, kControls, nullptr};
const std::array<const WindowDeclaration*, 1> kWindows{&kOnly};

bool QuitIsQueued()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

// One test, in order: the program can end only once per process.
TEST(ProgramEnd, EscInTheLastWindowEndsTheProgramAndTheLoop)
{
    InitialiseWindowSystem(kWindows);
    ASSERT_TRUE(OpenWindow(OnlyWindow, false));
    EXPECT_FALSE(IsProgramEnding());

    HWND window = FindWindowW(L"PellucorWindow", L"唯一窗口");
    ASSERT_NE(window, nullptr);
    PostMessageW(GetWindow(window, GW_CHILD), WM_KEYDOWN, VK_ESCAPE, 1);
    ProcessPendingEvents();

    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsProgramEnding());
    EXPECT_TRUE(QuitIsQueued());
    // Nothing new opens once the program is ending, and the quit stays for the outer loop.
    EXPECT_FALSE(OpenWindow(OnlyWindow, false));
    ShowMessage("不会显示");
    ProcessPendingEvents();
    EXPECT_TRUE(QuitIsQueued());
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(QuitIsQueued());
}

}  // namespace
