// End to end on Windows: the desktop window's console and the link check's line ends through cmd.exe and
// the fake adb.exe (real_adb_test runs the link check's verdicts against the real client).
#include "platform/win32/windows_api.h"

#include <array>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "core/command_state.h"
#include "core/console.h"
#include "core/window_names.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/fake_phone.h"
#include "support/program_start.h"
#include "ui/navigation.h"
#include "ui/windows.h"

namespace {

const wchar_t kDesktopTitle[] = L"Pellucor-桌面版【2023.06.26】";
const wchar_t kStartTitle[] = L"Pellucor-宠粉界面版";

std::wstring Wide(std::string_view utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

struct ChildSearch {
    const wchar_t* className;
    std::wstring text;
    HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data)
{
    auto& search = *reinterpret_cast<ChildSearch*>(data);
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    if (lstrcmpiW(className, search.className) == 0 && text == search.text) {
        search.found = child;
        return FALSE;
    }
    return TRUE;
}

struct TitleSearch {
    const wchar_t* title;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<TitleSearch*>(data);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (IsWindowVisible(window) && std::wstring_view(title) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// This test's own top-level window with that title, never another program's under the same Wine.
HWND OwnWindow(const wchar_t* title)
{
    TitleSearch search{title};
    EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The desktop window's control of that class that shows exactly that text, at any depth.
HWND FindControlShowing(const wchar_t* className, std::string_view text)
{
    ChildSearch search{className, Wide(text)};
    if (HWND desktop = OwnWindow(kDesktopTitle)) {
        EnumChildWindows(desktop, MatchChild, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

std::string Output() { return GetText(DesktopWindow, kOutputBox); }
std::string CommandBox() { return GetText(DesktopWindow, kCommandBox); }
std::string LinkBox() { return GetText(DesktopWindow, "连接编辑框"); }

// Keys go through the program's own message dispatch, as the user's keys do.
void PressKey(HWND control, WPARAM key)
{
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
    ProcessPendingEvents();
}

void TypeInto(HWND edit, std::string_view text)
{
    for (wchar_t unit : Wide(text)) {
        SendMessageW(edit, WM_CHAR, unit, 1);
    }
}

// One fixture for the whole program: the windows are real, and closing the desktop window (the
// last test) ends the program for good.
class DesktopConsole : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 2> windows = {&StartWindowDeclaration(), &DesktopWindowDeclaration()};
        StartWithWindows(windows);
    }

    // The boxes are found once, by what they show on opening: the output box the welcome text,
    // the command box its hint.
    void SetUp() override
    {
        if (OwnWindow(kDesktopTitle) == nullptr) {
            ASSERT_TRUE(OpenWindow(StartWindow, false));
            OpenDesktopWindow(EventArgs{});
            ProcessPendingEvents();
            outputBox_ = FindControlShowing(L"Edit", kWelcomeText);
            commandBox_ = FindControlShowing(L"Edit", kCommandPrompt);
            refreshButton_ = FindControlShowing(L"Button", "刷新");
        }
        ASSERT_NE(outputBox_, nullptr);
        ASSERT_NE(commandBox_, nullptr);
        ASSERT_NE(refreshButton_, nullptr);
        SetFocus(outputBox_);
        ProcessPendingEvents();
        ASSERT_EQ(CommandBox(), kCommandPrompt);
    }

    void RunTyped(std::string_view command)
    {
        SetFocus(commandBox_);
        TypeInto(commandBox_, command);
        PressKey(commandBox_, VK_RETURN);
    }

    void Refresh()
    {
        SendMessageW(refreshButton_, BM_CLICK, 0, 0);
        ProcessPendingEvents();
    }

    static inline HWND outputBox_ = nullptr;
    static inline HWND commandBox_ = nullptr;
    static inline HWND refreshButton_ = nullptr;
};

TEST_F(DesktopConsole, EnteringClosesTheStartWindowAndShowsTheWelcomeText)
{
    EXPECT_EQ(OwnWindow(kStartTitle), nullptr);
    EXPECT_EQ(Output(), kWelcomeText);
    EXPECT_FALSE(IsProgramEnding());
}

TEST_F(DesktopConsole, HintGivesWayToTypingAndComesBackWhenLeftEmpty)
{
    SetFocus(commandBox_);
    ProcessPendingEvents();
    EXPECT_EQ(CommandBox(), "");
    SetFocus(outputBox_);
    ProcessPendingEvents();
    EXPECT_EQ(CommandBox(), kCommandPrompt);
}

TEST_F(DesktopConsole, TypedAdbCommandShowsThePhoneAnswerAndEmptiesTheBox)
{
    FakePhone phone;
    RunTyped("adb devices");
    EXPECT_EQ(Output(), "List of devices attached\r\nFAKE0001\tdevice\r\n\r\n");
    EXPECT_EQ(CommandBox(), "");
    EXPECT_EQ(phone.Commands(), std::vector<std::string>{"adb devices"});
}

TEST_F(DesktopConsole, InterpreterCommandRunsInTheProgramDirectory)
{
    RunTyped("cd");
    EXPECT_EQ(Output(), ProgramDirectory() + "\r\n");
}

TEST_F(DesktopConsole, EnterInTheEmptyBoxLeavesTheOutputBoxEmpty)
{
    RunTyped("");
    EXPECT_EQ(Output(), "");
}

// Captured output keeps its line ends on Windows: an answer ending in a lone LF or CR is not one
// of the known answers, and the raw answer stays.
TEST_F(DesktopConsole, LinkCheckAnswerLineEnds)
{
    FakePhone phone("offline");
    phone.Set("FAKE_ADB_LINE_END", "crlf");
    Refresh();
    EXPECT_EQ(LinkBox(), "连接异常");

    phone.Set("FAKE_ADB_LINE_END", "lf");
    Refresh();
    EXPECT_EQ(LinkBox(), "offline");

    phone.Set("FAKE_ADB_LINE_END", "cr");
    Refresh();
    EXPECT_EQ(LinkBox(), "offline");
}

TEST_F(DesktopConsole, TabNeverLandsOnTheCommandBox)
{
    std::set<HWND> reached;
    for (std::size_t step = 0; step <= DesktopWindowDeclaration().controls.size(); ++step) {
        PressKey(GetFocus() != nullptr ? GetFocus() : outputBox_, VK_TAB);
        ASSERT_NE(GetFocus(), commandBox_) << "after " << step + 1 << " Tabs";
        reached.insert(GetFocus());
    }
    EXPECT_GT(reached.size(), 5u) << "Tab walks the tab stops";
}

// Last: it ends the program.
TEST_F(DesktopConsole, EscInTheCommandBoxClosesTheWindowAndEndsTheProgram)
{
    SetFocus(commandBox_);
    TypeInto(commandBox_, "adb devices");
    PressKey(commandBox_, VK_ESCAPE);
    EXPECT_EQ(OwnWindow(kDesktopTitle), nullptr);
    EXPECT_TRUE(IsProgramEnding());
}

}  // namespace
