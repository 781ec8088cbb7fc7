// The desktop window as a console: entering it, the command box's hint and colours, typed commands, Esc.
#include <fstream>
#include <map>

#include <gtest/gtest.h>

#include "core/console.h"
#include "support/desktop_window_fixture.h"
#include "support/fake_phone.h"
#include "ui/windows/desktop_window.h"

namespace {

constexpr int kEnter = 13;
constexpr int kEsc = 27;
constexpr int kTab = 9;
constexpr Rgb kLightGrey = 0xC0C0C0;
constexpr Rgb kGrey = 0x808080;
constexpr Rgb kBlack = 0x000000;

std::string CommandBox() { return GetText(DesktopWindow, kCommandBox); }
Rgb CommandColour() { return headless::TextColour(DesktopWindow, kCommandBox); }
void EnterCommandBox() { headless::Focus(DesktopWindow, kCommandBox); }
void LeaveCommandBox() { headless::Focus(DesktopWindow, kOutputBox); }

void TypeCommand(std::string_view text)
{
    EnterCommandBox();
    headless::Type(DesktopWindow, text);
    headless::PressKey(DesktopWindow, kEnter);
}

using EnteringTheDesktop = DesktopWindowTest;

TEST_F(EnteringTheDesktop, EntryPictureClosesStartWindowAndLeavesWelcomeTextOnTheMainMenu)
{
    headless::Reset();
    ASSERT_TRUE(OpenWindow(StartWindow, false));
    headless::PressMouse(StartWindow, "图片框2");
    EXPECT_FALSE(headless::IsOpen(StartWindow));
    EXPECT_EQ(headless::OpenWindows(), std::vector<WindowId>{DesktopWindow});
    EXPECT_FALSE(IsProgramEnding()) << "the desktop window keeps the program going";
    EXPECT_EQ(Output(), kWelcomeText);
    EXPECT_EQ(State().introText, kWelcomeText);
    EXPECT_EQ(headless::VisiblePage(DesktopWindow, kDesktopTabs), MainMenuPage);
}

// The hint is light grey at first and grey when it comes back; typing is black. Text that equals
// the hint is taken for it when the box is entered again.
TEST_F(EnteringTheDesktop, CommandBoxHintGivesWayToTypingAndComesBackWhenLeftEmpty)
{
    EXPECT_EQ(CommandBox(), kCommandPrompt);
    EXPECT_EQ(CommandColour(), kLightGrey);
    EnterCommandBox();
    EXPECT_EQ(CommandBox(), "");
    EXPECT_EQ(CommandColour(), kBlack);
    LeaveCommandBox();
    EXPECT_EQ(CommandBox(), kCommandPrompt);
    EXPECT_EQ(CommandColour(), kGrey);

    EnterCommandBox();
    headless::Type(DesktopWindow, kCommandPrompt);
    LeaveCommandBox();
    EXPECT_EQ(CommandColour(), kBlack);
    EnterCommandBox();
    EXPECT_EQ(CommandBox(), "");

    headless::Type(DesktopWindow, "adb devices");
    LeaveCommandBox();
    EXPECT_EQ(CommandBox(), "adb devices");
    EXPECT_EQ(CommandColour(), kBlack);
    EnterCommandBox();
    EXPECT_EQ(CommandBox(), "adb devices");
}

// Tab and Shift+Tab walk every stop of the window, and the command box is never one of them.
TEST_F(EnteringTheDesktop, TabNeverLandsOnTheCommandBox)
{
    const std::size_t controls = DesktopWindowDeclaration().controls.size();
    for (int modifiers : {0, ModifierShift}) {
        LeaveCommandBox();
        for (std::size_t step = 0; step <= controls; ++step) {
            headless::PressKey(DesktopWindow, kTab, modifiers);
            ASSERT_NE(headless::FocusedControl(DesktopWindow), kCommandBox) << "after " << step + 1 << " Tabs";
        }
    }
}

using TypedCommands = DesktopWindowTest;

// Keys other than Enter run nothing. Enter runs the text exactly as typed, empties the box and
// replaces the last output with the command's, errors and other programs' output alike, in the
// program's directory; an empty box only clears the output. No message box appears. Esc in the
// command box ends the program.
TEST_F(TypedCommands, EnterRunsTheTextAsTypedInPlaceOfTheLastOutputAndEscEndsTheProgram)
{
    FakePhone phone;
    EnterCommandBox();
    headless::Type(DesktopWindow, "adb devices");
    headless::PressKey(DesktopWindow, 'A');
    headless::PressKey(DesktopWindow, kTab);
    EXPECT_EQ(CommandBox(), "adb devices");
    EXPECT_EQ(Output(), kWelcomeText);
    EXPECT_TRUE(phone.Commands().empty());

    EnterCommandBox();
    headless::PressKey(DesktopWindow, kEnter);
    EXPECT_EQ(Output(), "List of devices attached\r\nFAKE0001\tdevice\r\n\r\n");
    EXPECT_EQ(CommandBox(), "");
    TypeCommand("  adb shell getprop ro.build.version.release ");
    EXPECT_EQ(State().currentCommand, "  adb shell getprop ro.build.version.release ");
    EXPECT_EQ(Output(), "12\r\n");
    EXPECT_EQ(phone.Commands(), (std::vector<std::string>{"adb devices", "adb shell getprop ro.build.version.release"}));
    TypeCommand("");
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(phone.Commands().size(), 2u);
    phone.SetState("none");
    TypeCommand("adb shell settings put global x 1");
    EXPECT_EQ(Output(), "error: no devices/emulators found\r\n");
    TypeCommand("pwd");
    EXPECT_EQ(Output(), ProgramDirectory() + "\r\n") << "runs in the program's directory";
    EXPECT_TRUE(headless::Messages().empty()) << "the console shows no message box";

    EnterCommandBox();
    headless::PressKey(DesktopWindow, kEsc);
    EXPECT_FALSE(headless::IsOpen(DesktopWindow));
    EXPECT_TRUE(IsProgramEnding());
}

// The fake phone answers in Android's words, also when its file holds damaged lines.
using PhoneThroughTheConsole = DesktopWindowTest;

std::string Typed(std::string_view command)
{
    TypeCommand(command);
    return GetText(DesktopWindow, kOutputBox);
}

TEST_F(PhoneThroughTheConsole, SeededPhoneFailsInAndroidsWordsAndSkipsDamagedLines)
{
    FakePhone phone;
    phone.SeedPackage("com.example.gone", "uninstalled");
    phone.ProtectPackage("com.example.core");
    std::ofstream(phone.PhonePath(), std::ios::app) << "package\npackage com.x sideways\nsetting secure\n\xff\xfe\n";

    EXPECT_EQ(Typed("adb shell pm uninstall --user 0 com.example.core"), "Failure [DELETE_FAILED_INTERNAL_ERROR]\r\n");
    EXPECT_EQ(Typed("adb shell pm uninstall --user 0 com.example.other"), "Failure [not installed for 0]\r\n");
    EXPECT_EQ(Typed("adb shell pm install-existing com.example.other"),
              "android.content.pm.PackageManager$NameNotFoundException: Package com.example.other doesn't exist\r\n");
    EXPECT_EQ(Typed("adb shell pm enable com.example.gone"),
              "\r\nException occurred while executing 'enable':\r\n"
              "java.lang.IllegalArgumentException: Unknown package: com.example.gone\r\n");
    EXPECT_EQ(Typed("adb shell pm list packages -u"), "package:com.example.core\r\npackage:com.example.gone\r\n");
    EXPECT_EQ(Typed("adb shell settings put secure icon_blacklist"), "Bad arguments\r\n");
    EXPECT_EQ(Typed("adb shell settings get Secur icon_blacklist"), "Invalid namespace 'Secur'\r\n");

    phone.ReinstallRemoved();
    EXPECT_EQ(phone.Packages(),
              (std::map<std::string, std::string>{{"com.example.core", "installed"}, {"com.example.gone", "installed"}}));
}

}  // namespace
