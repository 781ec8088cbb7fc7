// Finding adb on Windows when the program's folder has none: what children started either way inherit.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include "core/adb_location.h"
#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/search_path.h"
#include "platform/system.h"
#include "platform/win32/wide.h"
#include "support/captured_output.h"
#include "support/fake_phone.h"

namespace {

namespace fs = std::filesystem;

void SetVariable(const wchar_t* name, const fs::path& value) { SetEnvironmentVariableW(name, value.wstring().c_str()); }

// Windows names folders without regard to case: "C:\windows" and "C:\Windows" are one.
std::string Lowered(std::string text)
{
    for (char& c : text) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

// One story, since a found adb stays found for the rest of the run.
TEST(AdbElsewhere, CmdAndDirectStartsBothRunTheAdbInTheUsersPlatformTools)
{
    InitialisePlatform();
    ASSERT_FALSE(fs::exists(fs::u8path(ProgramDirectory()) / "adb.exe")) << "this test's folder must hold no adb";
    fs::path root = fs::temp_directory_path() / fs::u8path("pellucor adb 查找 !%& " + std::to_string(std::random_device{}()));
    fs::path profile = root / fs::u8path("用户 甲!%&");
    fs::path folder = profile / "platform-tools";
    fs::create_directories(folder);
    fs::copy_file(fs::u8path(FAKE_ADB_PROGRAM), folder / "adb.exe");
    SetVariable(L"USERPROFILE", profile);
    SetVariable(L"LOCALAPPDATA", root);
    SetVariable(L"SCOOP", root);
    SetVariable(L"ChocolateyInstall", root);
    // A share that may not answer for seconds is not looked in.
    const std::string share = "\\\\pellucor-nowhere\\tools";
    std::wstring searchPath = Utf8ToWide(share) + L";" + Utf8ToWide(EnvironmentVariable("PATH").value_or(""));
    SetEnvironmentVariableW(L"PATH", searchPath.c_str());
    std::string before = DecodedRunToEnd("set PATH");
    FakePhone phone("device");

    std::string program = WideToUtf8((folder / "adb.exe").wstring());
    EXPECT_EQ(LocateAdb().program, program);
    EXPECT_FALSE(LocateAdb().besideProgram);
    const std::vector<std::string>& searched = LocateAdb().searched;
    EXPECT_EQ(std::find(searched.begin(), searched.end(), share), searched.end());

    // cmd.exe's own environment: the system folders first, so that no program of the found folder
    // stands in for one of the system's, then the folder, then the PATH it had before. (Who owns
    // a folder is proven natively: Wine reports the user as the owner of every folder.)
    std::string after = DecodedRunToEnd("set PATH");
    std::string firstLine = after.substr(0, after.find("\r\n"));
    std::string previous = before.substr(0, before.find("\r\n"));
    wchar_t system[MAX_PATH];
    wchar_t windows[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(Lowered(firstLine), Lowered(previous.substr(0, previous.find('=') + 1) + WideToUtf8(system) + ";" +
                                          WideToUtf8(windows) + ";" + WideToUtf8(folder.wstring()) + ";" +
                                          previous.substr(previous.find('=') + 1)));

    EXPECT_EQ(DecodedRunToEnd("adb get-state"), "device\r\n");
    // CreateProcessW resolves a bare name itself, through this process's PATH.
    ProgramRun direct = RunProgram("adb get-state", true, ShowHidden);
    EXPECT_EQ(direct.end, ProgramEnd::Ended);
    EXPECT_EQ(direct.output, "device\r\n");
    EXPECT_EQ(phone.Commands(), (std::vector<std::string>{"adb get-state", "adb get-state"}));

    EXPECT_EQ(AdbNoteOnce(), "使用的 adb：" + program + "（程序文件夹中没有 adb.exe）");
    EXPECT_EQ(AdbNoteOnce(), std::nullopt);

    std::error_code ignored;
    fs::remove_all(root, ignored);
}

}  // namespace
