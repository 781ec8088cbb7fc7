// The fixture of the device-tweak tests: the desktop and run-status windows, the command state and a
// fake phone, on the headless window system.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/command_state.h"
#include "core/window_names.h"
#include "platform/headless/driver.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/fake_phone.h"
#include "support/program_start.h"
#include "ui/windows.h"
#include "ui/windows/desktop_window.h"

namespace tweaks_test {

class TweaksTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 2> windows = {&DesktopWindowDeclaration(),
                                                                        &RunStatusWindowDeclaration()};
        StartWithWindows(windows);
    }
    static void TearDownTestSuite() { ReleaseCommandState(); }

    void SetUp() override
    {
        headless::Reset();
        State().currentCommand = "earlier command";
        ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    }
    void TearDown() override { headless::Reset(); }

    static void Click(std::string_view control) { headless::Click(DesktopWindow, control); }
    static void Enter(std::string_view box, std::string_view text) { SetText(DesktopWindow, box, text); }
    static std::string Output() { return GetText(DesktopWindow, kOutputBox); }
    static std::vector<std::string> Messages() { return headless::Messages(); }
    static std::vector<headless::StartedProgram> Started() { return headless::StartedPrograms(); }
    std::vector<std::string> Commands() const { return phone_.Changes(); }

    // For processes started without waiting: their adb lines reach the log when they run. Gives
    // up after half a minute, leaving the comparison that follows to report what arrived.
    std::vector<std::string> CommandsOnceThereAre(std::size_t count) const
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::vector<std::string> commands = phone_.Commands();
        while (commands.size() < count && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            commands = phone_.Commands();
        }
        return commands;
    }

    FakePhone phone_;
};

}  // namespace tweaks_test
