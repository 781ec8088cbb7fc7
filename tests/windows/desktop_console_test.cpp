// The desktop window's console end to end on Windows, one program run in order: entering from the
// start window, commands typed into the real edit control and entered, the link check's answers
// with the line ends cmd.exe hands over as written, and a line of megabytes shown while the window
// keeps answering. (The console's logic is the native desktop console tests'; real_adb_test runs
// the link check's verdicts against the real client.)
#include "platform/win32/windows_api.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/console.h"
#include "core/window_names.h"
#include "platform/win32/live_window.h"
#include "platform/window_system.h"
#include "support/fake_phone.h"
#include "support/program_start.h"
#include "support/win32_windows.h"
#include "ui/navigation.h"
#include "ui/windows.h"

namespace {

HWND Handle(std::string_view control) { return FindControl(DesktopWindow, control)->handle; }
std::string Output() { return GetText(DesktopWindow, kOutputBox); }

// Typed into the command box through the program's own message dispatch, as the user types.
void Type(std::string_view text)
{
    SetFocus(Handle(kCommandBox));
    ProcessPendingEvents();
    for (char c : text) {
        SendMessageW(Handle(kCommandBox), WM_CHAR, static_cast<WPARAM>(c), 1);
    }
}

void PressKey(WPARAM key)
{
    PostMessageW(Handle(kCommandBox), WM_KEYDOWN, key, 1);
    PostMessageW(Handle(kCommandBox), WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
    ProcessPendingEvents();
}

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

class DesktopConsole : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 2> windows = {&StartWindowDeclaration(),
                                                                        &DesktopWindowDeclaration()};
        StartWithWindows(windows);
        ASSERT_TRUE(OpenWindow(StartWindow, false));
        OpenDesktopWindow(EventArgs{});
        ProcessPendingEvents();
    }
};

TEST_F(DesktopConsole, EnteringThenATypedCommandAndTheLinkCheckThroughTheRealWindow)
{
    EXPECT_EQ(FindOpenWindow(StartWindow), nullptr);
    EXPECT_EQ(Output(), kWelcomeText);

    FakePhone phone;
    Type("adb devices");
    PressKey(VK_RETURN);
    EXPECT_EQ(Output(), "List of devices attached\r\nFAKE0001\tdevice\r\n\r\n");
    EXPECT_EQ(GetText(DesktopWindow, kCommandBox), "");
    EXPECT_EQ(phone.Commands(), std::vector<std::string>{"adb devices"});

    // An answer ending in a lone LF or CR is not one of the known answers: the raw answer stays.
    phone.SetState("offline");
    const std::pair<const char*, const char*> lineEnds[] = {{"crlf", "连接异常"}, {"lf", "offline"}, {"cr", "offline"}};
    for (const auto& [lineEnd, shown] : lineEnds) {
        phone.Set("FAKE_ADB_LINE_END", lineEnd);
        Click(DesktopWindow, "按钮5");  // 刷新
        EXPECT_EQ(GetText(DesktopWindow, kLinkBox), shown) << lineEnd;
    }
}

// line_writer (helpers/line_writer.cpp) writes one line without a break, half on each stream.
TEST_F(DesktopConsole, WindowAnswersWhileALineOfTwoMegabytesIsShownAndTheBoxKeepsAllOfIt)
{
    constexpr std::size_t kLineBytes = 2 * 1024 * 1024;
    AnswerProbe probe(FindOpenWindow(DesktopWindow)->handle);
    Type("line_writer " + std::to_string(kLineBytes));
    PressKey(VK_RETURN);
    probe.Stop();
    EXPECT_GT(probe.Answered(), 0);
    EXPECT_EQ(probe.Unanswered(), 0) << "with " << probe.Answered() << " answered";

    // Compared whole but not printed: a failure would print megabytes.
    std::string shown = Output();
    std::erase(shown, '\r');
    std::erase(shown, '\n');
    EXPECT_EQ(shown.size(), kLineBytes);
    EXPECT_TRUE(shown == NumberLine(kLineBytes)) << "the box shows the line's characters out of order or changed";
}

}  // namespace
