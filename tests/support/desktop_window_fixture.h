// Test fixtures with the desktop window open on the headless window system, as after entering it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/command_state.h"
#include "core/window_names.h"
#include "platform/headless/driver.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/program_start.h"
#include "ui/windows.h"

// The window system knows only the windows that a derived fixture's SetUpTestSuite starts with, so
// that a test links no other window's module; the program's directory is the current directory,
// as at start-up.
class DesktopWindowFixture : public ::testing::Test {
protected:
    static void TearDownTestSuite() { ReleaseCommandState(); }

    void SetUp() override
    {
        headless::Reset();
        ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    }
    void TearDown() override { headless::Reset(); }

    static std::string Output() { return GetText(DesktopWindow, kOutputBox); }
    static std::vector<std::string> Messages() { return headless::Messages(); }
};

// The start window, the desktop window and the phone choice that its 刷新 opens.
class DesktopWindowTest : public DesktopWindowFixture {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 3> windows = {
            &StartWindowDeclaration(), &DesktopWindowDeclaration(), &PhoneChoiceWindowDeclaration()};
        StartWithWindows(windows);
    }
};
