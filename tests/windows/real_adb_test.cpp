// The program on Windows against the real adb client: the bridge beside the test program hands
// every adb command, whether the program runs it through cmd.exe or a companion script does, to
// Debian's adb client, which talks to simulated phones through a private adb server.
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "core/command_state.h"
#include "core/window_names.h"
#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/system.h"
#include "platform/win32/wide.h"
#include "platform/window_system.h"
#include "support/catalogue_file.h"
#include "support/message_box_answerer.h"
#include "support/program_start.h"
#include "support/phone_lab.h"
#include "ui/windows.h"
#include "support/win32_windows.h"
#include "ui/windows/desktop_window.h"

namespace {

using Lines = std::vector<std::string>;

class RealAdbOnWindows : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const WindowDeclaration* const windows[] = {&DesktopWindowDeclaration(), &PhoneChoiceWindowDeclaration()};
        StartWithWindows(windows);
        OpenWindow(DesktopWindow, false);
    }
    static void TearDownTestSuite() { ReleaseCommandState(); }

    void SetUp() override { ASSERT_FALSE(IsProgramEnding()); }

    static void Refresh() { ClickDeclared(MainMenuPageControls(), "按钮5"); }
    static std::string LinkBox() { return GetText(DesktopWindow, kLinkBox); }
    static std::string Output() { return GetText(DesktopWindow, kOutputBox); }

    PhoneLab adb_;
};

// As the program's buttons start a waited companion script: hidden, waited for, its output decoded.
ProgramRun RunAsAButtonDoes(std::string_view stem)
{
    ProgramRun run = RunProgram(ScriptFileName(stem), true, ShowHidden);
    EXPECT_EQ(run.end, ProgramEnd::Ended);
    OutputDecoder decoder;
    run.output = decoder.Decode(run.output) + decoder.Finish();
    return run;
}

// A user at the 选择手机 window: a second thread that waits for this program's window and clicks
// the button with the caption, as a user would, while the window's modal loop runs.
class PhoneChooser {
public:
    explicit PhoneChooser(const std::string& caption) : caption_(Utf8ToWide(caption)), thread_([this] { Choose(); }) {}
    ~PhoneChooser()
    {
        stop_ = true;
        thread_.join();
    }
    PhoneChooser(const PhoneChooser&) = delete;
    PhoneChooser& operator=(const PhoneChooser&) = delete;

private:
    void Choose()
    {
        for (; !stop_; Sleep(20)) {
            HWND window = FindWindowW(nullptr, L"选择手机");
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            HWND button = process == GetCurrentProcessId() ? FindWindowExW(window, nullptr, L"Button", caption_.c_str())
                                                           : nullptr;
            if (button != nullptr) {
                PostMessageW(button, BM_CLICK, 0, 0);
                return;
            }
        }
    }

    std::wstring caption_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// One visit, first without a phone, then with one that is not ready, then with one, then with two:
// 刷新 (按钮5) runs "adb get-state" through cmd.exe and the bridge (the verdicts of every answer are
// the native link check's tests); check_phone.bat reads the client's own words on both streams
// ("adb get-state 2>&1") and explains what stops it; a removal's answer reaches the output box and
// its message follows it. Of several phones the one chosen in the modal window takes the
// commands, through ANDROID_SERIAL, which Wine hands to the Linux client as it stands.
TEST_F(RealAdbOnWindows, LinkCheckScriptsRemovalAndChoiceGoOnOnlyOnceAPhoneIsThere)
{
    CatalogueFile catalogue;
    catalogue.UseSample();
    adb_.StartServer();  // no notice of its start precedes the first answer
    const std::tuple<const char*, const char*, const char*> notReady[] = {
        {nullptr, "无连接", "没有找到手机"},
        {"unauthorized", "error: device unauthorized.", "没有允许这台电脑调试"},
        {"offline", "连接异常", "离线状态"},
        {"recovery", "recovery", "恢复模式"}};
    for (const auto& [state, linkBox, explained] : notReady) {
        SCOPED_TRACE(state != nullptr ? state : "none");
        SimPhone* notReadyPhone = state != nullptr ? &adb_.Attach({.state = state}) : nullptr;
        ASSERT_TRUE(notReadyPhone == nullptr || !notReadyPhone->Serial().empty());
        Refresh();
        EXPECT_EQ(LinkBox(), linkBox);
        ProgramRun ending = RunAsAButtonDoes("hwread_UN");
        EXPECT_EQ(ending.exitCode, 1u) << ending.output;
        EXPECT_NE(ending.output.find(explained), std::string::npos) << ending.output;
        EXPECT_NE(ending.output.find("本次没有对手机做任何操作"), std::string::npos) << ending.output;
        if (notReadyPhone != nullptr) {
            adb_.Detach(*notReadyPhone);
        }
    }

    SimPhone& phone = adb_.Attach();
    ASSERT_FALSE(phone.Serial().empty());
    Refresh();
    EXPECT_EQ(LinkBox(), "已连接");
    EXPECT_TRUE(Output().starts_with("device\r\n\r\n")) << Output();  // the notice's words: native tests
    phone.SeedPackage("com.huawei.hwireader", "installed");
    phone.SeedPackage("huawei.weather", "installed");
    ProgramRun ready = RunAsAButtonDoes("hwread_UN");
    EXPECT_EQ(ready.exitCode, 0u) << ready.output;
    EXPECT_EQ(phone.Packages()["com.huawei.hwireader"], "uninstalled");

    phone.ClearCommands();
    MessageBoxAnswerer answerer;
    ClickDeclared(HuaweiPageControls(), "天气卸");
    EXPECT_EQ(Output(), "Success\r\n");
    EXPECT_EQ(phone.Packages()["huawei.weather"], "uninstalled");
    EXPECT_EQ(phone.Changes(), Lines{"adb shell pm uninstall --user 0 huawei.weather"});
    ClickDeclared(HuaweiPageControls(), "天气卸");
    EXPECT_EQ(Output(), "Failure [not installed for 0]\r\n");
    ASSERT_EQ(answerer.Texts().size(), 2u);
    EXPECT_EQ(answerer.Texts()[0], "完成");
    EXPECT_NE(answerer.Texts()[1].find("这部手机上没有这个应用"), std::string::npos) << answerer.Texts()[1];

    SimPhone& emulator = adb_.Attach({.model = "MuMu"});
    ASSERT_FALSE(emulator.Serial().empty());
    phone.ClearCommands();
    {
        PhoneChooser chooser("MuMu  " + emulator.Serial() + "  device");
        Refresh();
    }
    EXPECT_EQ(LinkBox(), "已连接");
    ClickDeclared(HuaweiPageControls(), "天气卸");
    EXPECT_EQ(emulator.Changes(), Lines{"adb shell pm uninstall --user 0 huawei.weather"});
    EXPECT_TRUE(phone.Commands().empty());
}

// The bridge's own contract, with /bin/sh standing in for the client: the words arrive as the
// command line gave them, what the client wrote on standard error comes before its standard
// output, LF becomes CR LF and the exit code comes back; a client that cannot be started is said so.
TEST(AdbBridge, HandsOverWordsStreamsAndExitCodeAndSaysWhenNoClientCanStart)
{
    std::string bridge = "\"" + JoinPath(ProgramDirectory(), "adb.exe") + "\" ";
    SetEnvironmentVariableW(L"PELLUCOR_ADB_CLIENT", L"/bin/sh");
    ProgramRun shell = RunProgram(bridge + R"(-c "printf '[%s]\n' \"$@\"; echo notice >&2; exit 3" sh "中文 空格" a\"b "")",
                                  true, ShowHidden);
    EXPECT_EQ(shell.exitCode, 3u);
    EXPECT_EQ(shell.output, "notice\r\n[中文 空格]\r\n[a\"b]\r\n[]\r\n");
    SetEnvironmentVariableW(L"PELLUCOR_ADB_CLIENT", L"/nonexistent/adb");
    ProgramRun missing = RunProgram(bridge + "version", true, ShowHidden);
    SetEnvironmentVariableW(L"PELLUCOR_ADB_CLIENT", nullptr);
    EXPECT_NE(missing.exitCode, 0u);
    EXPECT_NE(missing.output.find("adb bridge: no adb client can be started from /nonexistent/adb"), std::string::npos)
        << missing.output;
}

}  // namespace
