// The files beside the program on Windows, end to end: a click through the window's own message
// handling, the catalogue read through the Win32 file calls, cmd.exe and the fake adb.exe; the
// record in 操作记录.txt, its rotation, the operation-log window and its Yes/No question, and the
// user's local application-data folder. (What the catalogue's values may hold and what the journal
// plans are the native tests'.)
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/command_state.h"
#include "core/operation_log.h"
#include "core/window_names.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/win32/live_window.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/wide.h"
#include "platform/window_system.h"
#include "support/catalogue_file.h"
#include "support/fake_phone.h"
#include "support/message_box_answerer.h"
#include "support/program_start.h"
#include "support/win32_windows.h"
#include "ui/windows.h"
#include "ui/windows/desktop_window.h"

namespace {

using Lines = std::vector<std::string>;

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// The stand-in's phone, as the records of its changes name it.
#define ON_TEST_PHONE " | 手机：Pellucor_Test_Phone（FAKE0001）"
constexpr std::string_view kRecord = " | 华为 · 卸载 | adb shell pm uninstall --user 0 huawei.weather | Success | "
                                     "撤销：adb shell pm install-existing --user 0 huawei.weather" ON_TEST_PHONE "\r\n";

std::string FileBytes(const std::string& path)
{
    Bytes bytes = ReadFileTail(path, 64 * 1024 * 1024).bytes;
    return {bytes.begin(), bytes.end()};
}

HWND OwnQuestionBox()
{
    for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", L"信息："); box != nullptr;
         box = FindWindowExW(nullptr, box, L"#32770", L"信息：")) {
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (process == GetCurrentProcessId()) {
            return box;
        }
    }
    return nullptr;
}

class ProgramFilesOnWindows : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const WindowDeclaration* const windows[] = {&DesktopWindowDeclaration(),
                                                           &OperationLogWindowDeclaration()};
        StartWithWindows(windows);
        OpenWindow(DesktopWindow, false);
    }
    static void TearDownTestSuite() { ReleaseCommandState(); }

    void SetUp() override
    {
        ASSERT_FALSE(IsProgramEnding());
        catalogue_.UseSample();
        RemoveLogs();
    }
    void TearDown() override { RemoveLogs(); }

    static void RemoveLogs()
    {
        for (const std::string& path : {log_, oldLog_, OwnLog()}) {
            RemoveFile(path);
            RemoveDirectoryW(Utf8ToWide(path).c_str());
        }
    }
    static std::string OwnLog() { return JoinPath(UserStateDirectory(), "操作记录.txt"); }

    void ClickWeatherRemoval()
    {
        MessageBoxAnswerer user;
        Click(DesktopWindow, "天气卸");
        EXPECT_EQ(user.Texts(), Lines{"完成"});
    }

    static inline const std::string log_ = JoinPath(ProgramDirectory(), "操作记录.txt");
    static inline const std::string oldLog_ = JoinPath(ProgramDirectory(), "操作记录.old.txt");
    HWND desktop_ = FindOpenWindow(DesktopWindow)->handle;
    CatalogueFile catalogue_;
    FakePhone phone_;
};

// Which of the two the system reports is the backend's reading of the error CreateFileW gives.
TEST_F(ProgramFilesOnWindows, PackageRowRunsItsKeysAndTellsAMissingFromAnUnreadableCatalogue)
{
    MessageBoxAnswerer answerer;
    ClickDeclared(HonorPageControls(), "按钮114");
    EXPECT_EQ(phone_.Changes(), (Lines{"adb shell pm install-existing --user 0 honor.browser1",
                                        "adb shell pm install-existing --user 0 honor.browser2"}));
    catalogue_.Remove();
    ClickDeclared(HuaweiPageControls(), "天气卸");
    EXPECT_EQ(GetText(DesktopWindow, kOutputBox),
              "未找到 databank.ini（查找位置：" + catalogue_.Path() + "），未运行任何命令\r\n");
    catalogue_.ReplaceWithFolder();
    ClickDeclared(HuaweiPageControls(), "天气卸");
    EXPECT_EQ(GetText(DesktopWindow, kOutputBox),
              "未能读取 databank.ini（查找位置：" + catalogue_.Path() + "），未运行任何命令\r\n");
    EXPECT_EQ(phone_.Changes().size(), 2u);
}

// A full log of an earlier session is rotated away while the operation-log window of another
// Pellucor may be reading the rotated file: the rotation replaces it all the same, the reader goes
// on reading what it opened, and the file it held is gone once it lets go. The window scrolls to
// the newest record; 清空 asks a task-modal Yes/No question with No the default.
TEST_F(ProgramFilesOnWindows, ClickIsRecordedRotatedPastAReaderShownAndClearedOnlyOnYes)
{
    ASSERT_TRUE(AppendToTextFile(oldLog_, "older\r\n", kBom, kUnfinishedRecordMark));
    OwnedHandle reader(CreateFileW(Utf8ToWide(oldLog_).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader);
    std::string earlier;
    for (int i = 0; earlier.size() <= 1024 * 1024; ++i) {
        earlier += "2023-06-26 10:00:00 | 命令框 | adb shell echo " + std::to_string(i) + " | " + std::to_string(i) + "\r\n";
    }
    ASSERT_TRUE(AppendToTextFile(log_, earlier, kBom, kUnfinishedRecordMark));

    ClickWeatherRemoval();
    EXPECT_TRUE(FileBytes(oldLog_) == std::string(kBom) + earlier) << "the full log was not rotated";
    std::string current = FileBytes(log_);
    ASSERT_EQ(current.size(), kBom.size() + 19 + kRecord.size()) << current;
    EXPECT_TRUE(current.starts_with(kBom));
    EXPECT_TRUE(current.ends_with(kRecord));
    char held[16] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(reader.Get(), held, sizeof(held), &read, nullptr));
    EXPECT_EQ(std::string(held, read), std::string(kBom) + "older\r\n");
    reader.Close();
    Lines logs;
    for (const auto& entry : std::filesystem::directory_iterator(Utf8ToWide(ProgramDirectory()))) {
        if (std::string name = WideToUtf8(entry.path().filename().wstring()); name.starts_with("操作记录")) {
            logs.push_back(name);
        }
    }
    std::sort(logs.begin(), logs.end());
    EXPECT_EQ(logs, (Lines{"操作记录.old.txt", "操作记录.txt"}));

    ASSERT_TRUE(OpenWindow(OperationLogWindow, false));
    HWND logWindow = FindOpenWindow(OperationLogWindow)->handle;
    HWND box = FindControl(OperationLogWindow, kLogBox)->handle;
    EXPECT_TRUE(GetText(OperationLogWindow, kLogBox).ends_with(kRecord.substr(0, kRecord.size() - 2)));
    EXPECT_GT(SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0), 10000) << "scrolled to the newest record";

    bool yesAndNoOnly = false;
    bool noIsDefault = false;
    bool windowsDisabled = false;
    {
        MessageBoxAnswerer user([&](const std::string&) {
            HWND question = OwnQuestionBox();
            yesAndNoOnly = GetDlgItem(question, IDYES) && GetDlgItem(question, IDNO) && !GetDlgItem(question, IDOK);
            // The button style, not DM_GETDEFID, which Wine's message box answers with IDOK.
            noIsDefault = (GetWindowLongW(GetDlgItem(question, IDNO), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            windowsDisabled = !IsWindowEnabled(desktop_) && !IsWindowEnabled(logWindow);
        });
        Click(OperationLogWindow, "按钮1");
        EXPECT_EQ(user.Texts(), Lines{"确定清空全部操作记录吗？"});
    }
    EXPECT_TRUE(yesAndNoOnly);
    EXPECT_TRUE(noIsDefault);
    EXPECT_TRUE(windowsDisabled) << "task-modal";
    EXPECT_EQ(FileBytes(log_), current);
    {
        MessageBoxAnswerer user({}, GetCurrentProcessId(), MessageBoxAnswerer::Questions::Yes);
        Click(OperationLogWindow, "按钮1");
    }
    EXPECT_FALSE(LastWriteTime(log_).has_value());
    EXPECT_EQ(GetText(OperationLogWindow, kLogBox), "对设备造成影响的操作都会记录在此，当前无记录");
    HWND sentenceBox = FindControl(OperationLogWindow, kLogBox)->handle;
    EXPECT_NE(GetWindowLongW(sentenceBox, GWL_STYLE) & ES_CENTER, 0) << "the sentence is centred again";
    EXPECT_EQ(GetWindowLongW(sentenceBox, GWL_STYLE) & WS_VSCROLL, WS_VSCROLL) << "made afresh as declared";
    CloseWindowLater(OperationLogWindow);
    ProcessPendingEvents();
}

// 撤销 takes the record the user clicks into, after a Yes. (重新应用 finds its record the same way.)
TEST_F(ProgramFilesOnWindows, UndoRunsFromTheRecordClickedInto)
{
    ClickWeatherRemoval();
    ASSERT_TRUE(OpenWindow(OperationLogWindow, false));
    HWND box = FindControl(OperationLogWindow, kLogBox)->handle;
    EXPECT_EQ(GetWindowLongW(box, GWL_STYLE) & ES_CENTER, 0) << "records are left-aligned";
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 6));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
    {
        MessageBoxAnswerer user({}, GetCurrentProcessId(), MessageBoxAnswerer::Questions::Yes);
        Click(OperationLogWindow, "撤销按钮");
        ASSERT_EQ(user.Texts().size(), 2u);  // the question's words are the native tests'
        EXPECT_EQ(user.Texts()[1], "已撤销 1 项，失败 0 项，跳过 0 项");
    }
    EXPECT_EQ(phone_.Packages().at("huawei.weather"), "installed");
    std::string records = GetText(OperationLogWindow, kLogBox);
    EXPECT_TRUE(records.ends_with(" | 操作记录 · 撤销 | adb shell pm install-existing --user 0 huawei.weather | "
                                  "Package huawei.weather installed for user: 0 | "
                                  "撤销：adb shell pm uninstall --user 0 huawei.weather" ON_TEST_PHONE)) << records;
    CloseWindowLater(OperationLogWindow);
    ProcessPendingEvents();
}

// The local application-data folder, as the shell names it, takes the records when the file
// beside the program cannot be written (here a folder stands in its way).
TEST_F(ProgramFilesOnWindows, UnwritableProgramFolderSendsRecordsToLocalAppData)
{
    const char* localAppData = std::getenv("LOCALAPPDATA");
    ASSERT_NE(localAppData, nullptr);
    EXPECT_EQ(UserStateDirectory(), std::string(localAppData) + "\\Pellucor");
    ASSERT_TRUE(CreateDirectoryW(Utf8ToWide(log_).c_str(), nullptr));
    ClickWeatherRemoval();
    EXPECT_TRUE(FileBytes(OwnLog()).ends_with(kRecord));
}

}  // namespace
