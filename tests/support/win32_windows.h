// Real Win32 windows in the Windows tests: where a control stands, which font it has, and a
// window kept open for the whole run.
#pragma once

#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <span>

#include "platform/window_system.h"

// The control's top-left corner in the window's client area.
inline POINT ClientOffset(HWND control, HWND window)
{
    RECT r;
    GetWindowRect(control, &r);
    POINT corner{r.left, r.top};
    ScreenToClient(window, &corner);
    return corner;
}

inline LOGFONTW FontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

// Makes the windows known and opens the keeper, which stays open for the whole run, so that no
// test ends the program by closing its last window.
class KeeperEnvironment : public ::testing::Environment {
public:
    KeeperEnvironment(std::span<const WindowDeclaration* const> windows, WindowId keeper)
        : windows_(windows), keeper_(keeper)
    {
    }
    void SetUp() override
    {
        InitialiseWindowSystem(windows_);
        ASSERT_TRUE(OpenWindow(keeper_, false));
    }

private:
    std::span<const WindowDeclaration* const> windows_;
    WindowId keeper_;
};
