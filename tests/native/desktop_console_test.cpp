// The desktop window as a console: entering it, the command box's hint and colours, typed commands, Esc and Tab.
#include <algorithm>
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

TEST_F(EnteringTheDesktop, EntryPictureClosesStartWindowAndLeavesWelcomeText)
{
    headless::Reset();
    ASSERT_TRUE(OpenWindow(StartWindow, false));
    headless::PressMouse(StartWindow, "图片框2");
    EXPECT_FALSE(headless::IsOpen(StartWindow));
    EXPECT_EQ(headless::OpenWindows(), std::vector<WindowId>{DesktopWindow});
    EXPECT_FALSE(IsProgramEnding()) << "the desktop window keeps the program going";
    EXPECT_EQ(Output(), kWelcomeText);
    EXPECT_EQ(State().introText, kWelcomeText);
}

TEST_F(EnteringTheDesktop, OpensOnTheMainMenuPage)
{
    EXPECT_EQ(headless::VisiblePage(DesktopWindow, kDesktopTabs), MainMenuPage);
}

using CommandBoxHint = DesktopWindowTest;

TEST_F(CommandBoxHint, StartsAsLightGreyHint)
{
    EXPECT_EQ(CommandBox(), kCommandPrompt);
    EXPECT_EQ(CommandColour(), kLightGrey);
}

TEST_F(CommandBoxHint, FocusClearsTheHintForBlackTyping)
{
    EnterCommandBox();
    EXPECT_EQ(CommandBox(), "");
    EXPECT_EQ(CommandColour(), kBlack);
}

TEST_F(CommandBoxHint, LeavingEmptyBringsTheHintBackInGrey)
{
    EnterCommandBox();
    LeaveCommandBox();
    EXPECT_EQ(CommandBox(), kCommandPrompt);
    EXPECT_EQ(CommandColour(), kGrey);
}

TEST_F(CommandBoxHint, TypedHintTextIsTakenForTheHintOnReentry)
{
    EnterCommandBox();
    headless::Type(DesktopWindow, kCommandPrompt);
    LeaveCommandBox();
    EXPECT_EQ(CommandColour(), kBlack);
    EnterCommandBox();
    EXPECT_EQ(CommandBox(), "");
}

TEST_F(CommandBoxHint, LeavingWithTextKeepsTextAndBlack)
{
    EnterCommandBox();
    headless::Type(DesktopWindow, "adb devices");
    LeaveCommandBox();
    EXPECT_EQ(CommandBox(), "adb devices");
    EXPECT_EQ(CommandColour(), kBlack);
    EnterCommandBox();
    EXPECT_EQ(CommandBox(), "adb devices");
}

using TypedCommands = DesktopWindowTest;

TEST_F(TypedCommands, EnterInEmptyBoxClearsTheOutputBox)
{
    FakePhone phone;
    TypeCommand("");
    EXPECT_EQ(Output(), "");
    EXPECT_TRUE(phone.Commands().empty());
}

TEST_F(TypedCommands, AdbCommandOutputIsShownAndTheBoxEmptied)
{
    FakePhone phone;
    TypeCommand("adb devices");
    EXPECT_EQ(Output(), "List of devices attached\r\nFAKE0001\tdevice\r\n\r\n");
    EXPECT_EQ(CommandBox(), "");
    EXPECT_EQ(phone.Commands(), std::vector<std::string>{"adb devices"});
    EXPECT_TRUE(headless::Messages().empty()) << "the console shows no message box";
}

TEST_F(TypedCommands, TextRunsExactlyAsTyped)
{
    FakePhone phone;
    TypeCommand("  adb shell getprop ro.build.version.release ");
    EXPECT_EQ(State().currentCommand, "  adb shell getprop ro.build.version.release ");
    EXPECT_EQ(Output(), "12\r\n");
}

TEST_F(TypedCommands, ErrorOutputIsShownLikeAnyOutput)
{
    FakePhone phone("none");
    TypeCommand("adb shell settings put global x 1");
    EXPECT_EQ(Output(), "error: no devices/emulators found\r\n");
}

TEST_F(TypedCommands, NonAdbCommandRunsInTheProgramDirectory)
{
    TypeCommand("pwd");
    EXPECT_EQ(Output(), ProgramDirectory() + "\r\n");
}

TEST_F(TypedCommands, OtherKeysRunNothing)
{
    FakePhone phone;
    EnterCommandBox();
    headless::Type(DesktopWindow, "adb devices");
    headless::PressKey(DesktopWindow, 'A');
    headless::PressKey(DesktopWindow, kTab);
    EXPECT_EQ(CommandBox(), "adb devices");
    EXPECT_EQ(Output(), kWelcomeText);
    EXPECT_TRUE(phone.Commands().empty());
}

TEST_F(TypedCommands, NextCommandReplacesTheLastOutput)
{
    FakePhone phone;
    TypeCommand("adb tcpip 5555");
    TypeCommand("adb get-state");
    EXPECT_EQ(Output(), "device\r\n");
    EXPECT_EQ(phone.Commands(), (std::vector<std::string>{"adb tcpip 5555", "adb get-state"}));
}

// The fake phone remembers what earlier adb calls did: the program's own round trips rely on it.
using PhoneThroughTheConsole = DesktopWindowTest;

std::string Typed(std::string_view command)
{
    TypeCommand(command);
    return GetText(DesktopWindow, kOutputBox);
}

TEST_F(PhoneThroughTheConsole, PackagesAndSettingsKeepWhatEarlierCommandsDid)
{
    FakePhone phone;
    EXPECT_EQ(Typed("adb shell pm list packages --user 0 com.example.app"), "package:com.example.app\r\n");
    EXPECT_EQ(Typed("adb shell pm uninstall --user 0 com.example.app"), "Success\r\n");
    EXPECT_EQ(Typed("adb shell pm uninstall --user 0 com.example.app"), "Failure [not installed for 0]\r\n");
    EXPECT_EQ(Typed("adb shell pm list packages --user 0 com.example.app"), "");
    EXPECT_EQ(Typed("adb shell pm install-existing --user 0 com.example.app"),
              "Package com.example.app installed for user: 0\r\n");
    EXPECT_EQ(Typed("adb shell pm disable-user com.example.app"), "Package com.example.app new state: disabled-user\r\n");
    EXPECT_EQ(Typed("adb shell pm list packages --user 0 -d com.example.app"), "package:com.example.app\r\n");
    EXPECT_EQ(phone.Packages(), (std::map<std::string, std::string>{{"com.example.app", "disabled-user"}}));

    EXPECT_EQ(Typed("adb shell settings get system screen_off_timeout"), "null\r\n");
    EXPECT_EQ(Typed("adb shell settings put system screen_off_timeout 15000"), "");
    EXPECT_EQ(Typed("adb shell settings get system screen_off_timeout"), "15000\r\n");
    EXPECT_EQ(Typed("adb shell settings delete system screen_off_timeout"), "Deleted 1 rows\r\n");
    EXPECT_EQ(Typed("adb shell settings get system screen_off_timeout"), "null\r\n");
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

using DesktopKeys = DesktopWindowTest;

TEST_F(DesktopKeys, EscInCommandBoxClosesTheWindowAndEndsTheProgram)
{
    EnterCommandBox();
    headless::Type(DesktopWindow, "adb devices");
    headless::PressKey(DesktopWindow, kEsc);
    EXPECT_FALSE(headless::IsOpen(DesktopWindow));
    EXPECT_TRUE(IsProgramEnding());
}

TEST_F(DesktopKeys, TabNeverLandsOnTheCommandBox)
{
    const std::size_t controls = DesktopWindowDeclaration().controls.size();
    for (int modifiers : {0, ModifierShift}) {
        headless::Focus(DesktopWindow, kOutputBox);
        for (std::size_t step = 0; step <= controls; ++step) {
            headless::PressKey(DesktopWindow, kTab, modifiers);
            ASSERT_NE(headless::FocusedControl(DesktopWindow), kCommandBox) << "after " << step + 1 << " Tabs";
        }
    }
}

// The window is composed from the page modules when first asked for: a module left out would
// leave its page empty.
TEST(DesktopLayout, HoldsTheControlsOfEveryPageModule)
{
    const std::span<const ControlDeclaration> window = DesktopWindowDeclaration().controls;
    for (auto page : {MainMenuPageControls, HuaweiPageControls, HonorPageControls, XiaomiPageControls,
                      FunctionPageControls, AnimationPageControls, SlimmingPageControls, RootPageControls}) {
        for (const ControlDeclaration& control : page()) {
            auto held = std::find_if(window.begin(), window.end(), [&](const ControlDeclaration& c) {
                return c.name == control.name && c.container == control.container && c.page == control.page;
            });
            EXPECT_NE(held, window.end()) << control.name;
        }
    }
}

// Group children are placed relative to their group, page children relative to the tab control:
// a position taken from the wrong corner puts the control outside its container.
TEST(MainMenuLayout, EveryControlLiesInsideItsContainer)
{
    const auto controls = MainMenuPageControls();
    const Rect tabs{0, 0, 1112, 458};
    for (const ControlDeclaration& control : controls) {
        Rect container = tabs;
        if (control.container != kDesktopTabs) {
            auto group = std::find_if(controls.begin(), controls.end(), [&](const auto& c) { return c.name == control.container; });
            ASSERT_NE(group, controls.end()) << control.name;
            container = group->rect;
            EXPECT_EQ(group->page, MainMenuPage) << control.name;
        } else {
            EXPECT_EQ(control.page, MainMenuPage) << control.name;
        }
        EXPECT_GE(control.rect.left, 0) << control.name;
        EXPECT_GE(control.rect.top, 0) << control.name;
        EXPECT_LE(control.rect.left + control.rect.width, container.width) << control.name;
        EXPECT_LE(control.rect.top + control.rect.height, container.height) << control.name;
    }
}

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

// The page's buttons and the translation line lie over the groups; declared behind a group, they
// would be hidden by it.
TEST(MainMenuLayout, PageControlsOverAGroupStandInFrontOfIt)
{
    const auto controls = MainMenuPageControls();
    int overlaying = 0;
    for (std::size_t front = 0; front < controls.size(); ++front) {
        for (std::size_t group = 0; group < controls.size(); ++group) {
            const bool bothOnPage = controls[front].container == kDesktopTabs && controls[group].container == kDesktopTabs;
            if (bothOnPage && controls[group].kind == ControlKind::GroupBox && controls[front].kind != ControlKind::GroupBox &&
                Overlap(controls[front].rect, controls[group].rect)) {
                ++overlaying;
                EXPECT_LT(front, group) << controls[front].name << " behind " << controls[group].name;
            }
        }
    }
    EXPECT_EQ(overlaying, 8);
}

}  // namespace
