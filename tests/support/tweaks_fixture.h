// The fixture of the device-tweak tests: the desktop and run-status windows, the command state and a
// fake phone, on the headless window system.
#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/desktop_window_fixture.h"
#include "support/fake_phone.h"
#include "ui/windows/desktop_window.h"

namespace tweaks_test {

class TweaksTest : public DesktopWindowFixture {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 2> windows = {&DesktopWindowDeclaration(),
                                                                        &RunStatusWindowDeclaration()};
        StartWithWindows(windows);
    }

    void SetUp() override
    {
        State().currentCommand = "earlier command";
        DesktopWindowFixture::SetUp();
    }

    static void Click(std::string_view control) { headless::Click(DesktopWindow, control); }
    static void Enter(std::string_view box, std::string_view text) { SetText(DesktopWindow, box, text); }
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
