// A package row end to end on Windows: the declared button's handler, the catalogue read through
// the Win32 file calls, cmd.exe, the fake adb.exe and the message box, which a watcher answers as
// a user would. (What the catalogue's values may hold is the native package actions' tests.)
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "core/command_state.h"
#include "core/window_names.h"
#include "platform/window_system.h"
#include "support/catalogue_file.h"
#include "support/fake_phone.h"
#include "support/message_box_answerer.h"
#include "support/program_start.h"
#include "ui/windows.h"
#include "support/win32_windows.h"
#include "ui/windows/desktop_window.h"

namespace {

using Lines = std::vector<std::string>;

class PackageRowOnWindows : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const WindowDeclaration* const windows[] = {&DesktopWindowDeclaration()};
        StartWithWindows(windows);
        OpenWindow(DesktopWindow, false);
    }
    static void TearDownTestSuite() { ReleaseCommandState(); }

    void SetUp() override
    {
        ASSERT_FALSE(IsProgramEnding());
        catalogue_.UseSample();
    }

    CatalogueFile catalogue_;
    FakePhone phone_;
};

TEST_F(PackageRowOnWindows, HonorBrowserRestoreRunsBothKeysAndItsOwnMessage)
{
    MessageBoxAnswerer answerer;
    ClickDeclared(HonorPageControls(), "按钮114");
    EXPECT_EQ(phone_.Changes(), (Lines{"adb shell pm install-existing --user 0 honor.browser1",
                                        "adb shell pm install-existing --user 0 honor.browser2"}));
    EXPECT_EQ(answerer.Texts(), Lines{"完成，如不生效，尝试前往华为板块卸载"});
}

// Which of the two the system reports is the backend's reading of the error CreateFileW gives.
TEST_F(PackageRowOnWindows, MissingAndUnreadableCataloguesAreToldApartWithTheFullPath)
{
    MessageBoxAnswerer answerer;
    catalogue_.Remove();
    ClickDeclared(HuaweiPageControls(), "天气卸");
    EXPECT_EQ(GetText(DesktopWindow, kOutputBox),
              "未找到 databank.ini（查找位置：" + catalogue_.Path() + "），未运行任何命令\r\n");
    catalogue_.ReplaceWithFolder();
    ClickDeclared(HuaweiPageControls(), "天气卸");
    EXPECT_EQ(GetText(DesktopWindow, kOutputBox),
              "未能读取 databank.ini（查找位置：" + catalogue_.Path() + "），未运行任何命令\r\n");
    EXPECT_TRUE(phone_.Changes().empty());
    EXPECT_EQ(answerer.Texts().size(), 2u);
}

}  // namespace
