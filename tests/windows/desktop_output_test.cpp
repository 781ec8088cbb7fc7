// The desktop window keeps answering while its output box shows a line of megabytes, and the box keeps all of it.
#include "platform/win32/windows_api.h"

#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <string_view>
#include <thread>

#include <gtest/gtest.h>

#include "core/window_names.h"
#include "platform/win32/live_window.h"
#include "platform/window_system.h"
#include "support/program_start.h"
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

// From a thread of its own, asks the window every 200 ms for an answer within a second, as Windows
// does to tell a hung window; counts the questions and those left unanswered.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window) : window_(window), thread_([this] { Ask(); }) {}
    ~AnswerProbe() { Stop(); }
    void Stop()
    {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    int Asked() const { return asked_; }
    int Unanswered() const { return unanswered_; }

private:
    void Ask()
    {
        while (!stop_) {
            DWORD_PTR result = 0;
            ++asked_;
            if (SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) == 0) {
                ++unanswered_;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    }

    HWND window_;
    std::atomic<bool> stop_ = false;
    std::atomic<int> asked_ = 0;
    std::atomic<int> unanswered_ = 0;
    std::thread thread_;
};

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
    EXPECT_GT(probe.Asked(), 0);
    EXPECT_EQ(probe.Unanswered(), 0) << "of " << probe.Asked() << " questions";

    // Compared whole but not printed: a failure would print megabytes.
    std::string shown = WithoutLineEnds(GetText(DesktopWindow, kOutputBox));
    std::string written = NumberLine(kLineBytes);
    EXPECT_EQ(shown.size(), written.size());
    EXPECT_TRUE(shown == written) << "the box shows the line's characters out of order or changed";
}

}  // namespace
