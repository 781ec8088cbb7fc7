// The desktop window keeps answering while its output box shows a line of megabytes, and the box keeps all of it.
#include "platform/win32/windows_api.h"

#include <array>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "core/window_names.h"
#include "platform/win32/live_window.h"
#include "platform/window_system.h"
#include "support/program_start.h"
#include "support/win32_windows.h"
#include "ui/navigation.h"
#include "ui/windows.h"

namespace {

// What line_writer writes: the numbers from 0 on one after another, cut to that many bytes. Digits
// give the box no place to wrap a word at, as the long lines of hex dumps and encoded data.
std::string NumberLine(std::size_t bytes)
{
    std::string line;
    for (unsigned number = 0; line.size() < bytes; ++number) {
        line += std::to_string(number);
    }
    line.resize(bytes);
    return line;
}

std::string WithoutLineEnds(std::string text)
{
    std::erase(text, '\r');
    std::erase(text, '\n');
    return text;
}

class DesktopOutput : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 2> windows = {&StartWindowDeclaration(), &DesktopWindowDeclaration()};
        StartWithWindows(windows);
        ASSERT_TRUE(OpenWindow(StartWindow, false));
        OpenDesktopWindow(EventArgs{});
        ProcessPendingEvents();
    }

    static HWND Handle(std::string_view control) { return FindControl(DesktopWindow, control)->handle; }

    // Typed into the command box and entered, as a user runs a command of their own.
    static void RunTyped(std::string_view command)
    {
        HWND box = Handle(kCommandBox);
        SetFocus(box);
        ProcessPendingEvents();
        for (char c : command) {
            SendMessageW(box, WM_CHAR, static_cast<WPARAM>(c), 1);
        }
        PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(box, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));
        ProcessPendingEvents();
    }
};

TEST_F(DesktopOutput, WindowAnswersWhileALineOfTwoMegabytesIsShownAndTheBoxKeepsAllOfIt)
{
    constexpr std::size_t kLineBytes = 2 * 1024 * 1024;
    AnswerProbe probe(FindOpenWindow(DesktopWindow)->handle);
    RunTyped("line_writer " + std::to_string(kLineBytes));
    probe.Stop();
    EXPECT_GT(probe.Answered(), 0);
    EXPECT_EQ(probe.Unanswered(), 0) << "with " << probe.Answered() << " answered";

    // Compared whole but not printed: a failure would print megabytes.
    std::string shown = WithoutLineEnds(GetText(DesktopWindow, kOutputBox));
    std::string written = NumberLine(kLineBytes);
    EXPECT_EQ(shown.size(), written.size());
    EXPECT_TRUE(shown == written) << "the box shows the line's characters out of order or changed";
}

}  // namespace
