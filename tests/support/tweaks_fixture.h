// The fixture of the device-tweak tests: the desktop window with the pages that hold the tweaks, the
// run-status window, the command state and a fake phone, on the headless window system.
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
#include "platform/headless/driver.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/fake_phone.h"
#include "support/program_start.h"
#include "tweaks/scripts.h"
#include "ui/window_ids.h"
#include "ui/windows/desktop_window.h"

namespace tweaks_test {

inline constexpr std::array<std::string_view, 8> kPageCaptions = {"主菜单", "华为", "新荣耀", "小米",
                                                                    "功能", "动画", "瘦身", "ROOT"};

// The desktop window reduced to what the tweaks touch: the output box, the tab control and the
// five page modules that hold them, declared exactly as the program declares them.
inline const WindowDeclaration& TweakPagesDesktopDeclaration()
{
    static const std::vector<ControlDeclaration> controls = [] {
        std::vector<ControlDeclaration> all = {
            EditBox("回显编辑框", "", {496, 16, 600, 144}).MultiLine().ReadOnly(),
            PageControl(kDesktopTabs, kPageCaptions, {-1, 215, 1112, 458}),
        };
        for (auto page : {XiaomiPageControls, FunctionPageControls, AnimationPageControls, SlimmingPageControls,
                          RootPageControls}) {
            auto declared = page();
            all.insert(all.end(), declared.begin(), declared.end());
        }
        return all;
    }();
    static const WindowDeclaration window = {DesktopWindow, "Pellucor", 1114, 701, 0xFFFFFF, controls, nullptr};
    return window;
}

// The run-status window as its handlers address it: the report box, "刷新" and the Created event.
inline const WindowDeclaration& RunStatusDeclaration()
{
    static constexpr std::array controls = {
        Button("刷新", "刷新", {660, 456, 200, 32}).On(Event::Clicked, RefreshRunStatusReport),
        EditBox("编辑框运行", "请检查设备连接（无设备或多设备）", {16, 8, 888, 448}).MultiLine().ReadOnly(),
    };
    static constexpr WindowDeclaration window = {RunStatusWindow, "", 925, 524, kNoColour, controls, LoadRunStatusReport};
    return window;
}

class TweaksTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 2> windows = {&TweakPagesDesktopDeclaration(),
                                                                        &RunStatusDeclaration()};
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
    static std::string Output() { return GetText(DesktopWindow, "回显编辑框"); }
    static std::vector<std::string> Messages() { return headless::Messages(); }
    static std::vector<headless::StartedProgram> Started() { return headless::StartedPrograms(); }
    std::vector<std::string> Commands() const { return phone_.Commands(); }

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
