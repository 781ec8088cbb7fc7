// Finding adb when the program's folder has none: the order of the places, PATH handed on, the link check.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "core/adb_location.h"
#include "core/runner.h"
#include "platform/search_path.h"
#include "support/desktop_window_fixture.h"
#include "support/fake_phone.h"

namespace {

namespace fs = std::filesystem;

// Folders named as users' folders are: blanks, characters the interpreter treats specially, Chinese.
struct Places {
    fs::path root, profile, localAppData, scoop, chocolatey, pathOne, pathTwo;
};

const Places& Seeded()
{
    static const Places places = [] {
        fs::path root = fs::temp_directory_path() / ("pellucor adb 查找 !%& " + std::to_string(std::random_device{}()));
        Places p{root,           root / "用户 甲!%&", root / "AppData Local", root / "scoop & 乙",
                 root / "choco %PATH%", root / "path 一",   root / "path!二"};
        for (const fs::path* folder : {&p.profile, &p.localAppData, &p.scoop, &p.chocolatey, &p.pathOne, &p.pathTwo}) {
            fs::create_directories(*folder);
        }
        return p;
    }();
    return places;
}

// An empty entry among them, as PATH often has.
std::string SearchPath() { return Seeded().pathOne.string() + "::" + Seeded().pathTwo.string(); }

void PlaceAdb(const fs::path& folder)
{
    fs::create_directories(folder);
    fs::copy_file(FAKE_ADB_PROGRAM, folder / "adb", fs::copy_options::overwrite_existing);
}

class AdbElsewhere : public DesktopWindowTest {
protected:
    // Before the desktop window first opens, since opening it looks for adb.
    static void SetUpTestSuite()
    {
        const Places& p = Seeded();
        setenv("USERPROFILE", p.profile.c_str(), 1);
        setenv("LOCALAPPDATA", p.localAppData.c_str(), 1);
        setenv("SCOOP", p.scoop.c_str(), 1);
        setenv("ChocolateyInstall", p.chocolatey.c_str(), 1);
        setenv("PATH", SearchPath().c_str(), 1);
        DesktopWindowTest::SetUpTestSuite();
    }
    static void TearDownTestSuite()
    {
        DesktopWindowTest::TearDownTestSuite();
        std::error_code ignored;
        fs::remove_all(Seeded().root, ignored);
    }
    static std::string LinkBox() { return GetText(DesktopWindow, "连接编辑框"); }
};

// Facts about a folder as the platform would give them, and whether the owner was asked.
struct FolderCase {
    const char* name;
    std::string folder;
    FolderOwner owner;
    bool used;
    bool ownerAsked;
};

TEST(AdbFolderTrust, OutsideTheProfileAndProgramFilesOnlyTheUserTheSystemAndAdministratorsAreTrusted)
{
    const std::vector<std::string> protectedFolders = {"C:\\Users\\甲", "C:\\Program Files\\",
                                                       "C:\\Program Files (x86)"};
    const FolderCase cases[] = {
        {"in the profile, whoever owns it", "C:\\Users\\甲\\Desktop\\platform-tools", FolderOwner::Another, true, false},
        {"in the profile, named in another case", "c:\\users\\甲\\platform-tools", FolderOwner::Unknown, true, false},
        {"in Program Files", "C:\\Program Files\\Android\\platform-tools", FolderOwner::Another, true, false},
        {"a sibling of the profile is outside it", "C:\\Users\\甲乙\\platform-tools", FolderOwner::Another, false, true},
        {"made by another user at a drive's root", "C:\\platform-tools", FolderOwner::Another, false, true},
        {"owner unreadable", "D:\\platform-tools", FolderOwner::Unknown, false, true},
        {"made by the user", "C:\\platform-tools", FolderOwner::ThisUser, true, true},
        {"made by an administrator", "C:\\ProgramData\\chocolatey\\bin", FolderOwner::Administrators, true, true},
        {"the system's", "C:\\Windows\\System32", FolderOwner::TrustedInstaller, true, true},
        {"SYSTEM's", "C:\\Android", FolderOwner::System, true, true},
    };
    for (const FolderCase& row : cases) {
        SCOPED_TRACE(row.name);
        bool asked = false;
        std::optional<std::string> refusal =
            AdbFolderRefusal(row.folder, protectedFolders, [&](std::string_view folder) {
                asked = true;
                EXPECT_EQ(folder, row.folder);
                return row.owner;
            });
        EXPECT_EQ(!refusal.has_value(), row.used) << refusal.value_or("");
        EXPECT_EQ(asked, row.ownerAsked);
        if (refusal) {
            EXPECT_FALSE(refusal->empty());
        }
    }
}

// One story, since a found adb stays found for the rest of the run: the places in their order,
// none holding adb, then the user puts platform-tools on the desktop and presses 刷新 again.
TEST_F(AdbElsewhere, LinkCheckSaysWhereItLookedInOrderThenUsesTheAdbPutInPlace)
{
    ASSERT_FALSE(fs::exists(fs::path(ProgramDirectory()) / "adb")) << "this test's program folder must hold no adb";
    const Places& p = Seeded();
    std::vector<std::string> expected = {
        ProgramDirectory(),
        p.pathOne.string(),
        p.pathTwo.string(),
        (p.localAppData / "Android/Sdk/platform-tools").string(),
        (p.profile / "platform-tools").string(),
        (p.profile / "Downloads/platform-tools").string(),
        (p.profile / "Desktop/platform-tools").string(),
        "C:\\platform-tools",
        "D:\\platform-tools",
        (p.scoop / "apps/adb/current/platform-tools").string(),
        (p.scoop / "shims").string(),
        (p.chocolatey / "lib/adb/tools/platform-tools").string(),
        (p.chocolatey / "bin").string(),
    };
    EXPECT_EQ(AdbSearchFolders(), expected);

    // A folder named twice on PATH is looked in once; a shim folder on PATH waits behind its
    // package's own folder.
    std::string shimsFirst = (p.scoop / "shims").string() + ":" + (p.chocolatey / "bin").string() + ":";
    setenv("PATH", (shimsFirst + SearchPath() + ":" + p.pathOne.string()).c_str(), 1);
    EXPECT_EQ(AdbSearchFolders(), expected);
    setenv("PATH", SearchPath().c_str(), 1);

    FakePhone phone("device");
    headless::Click(DesktopWindow, "按钮5");
    EXPECT_EQ(LinkBox(), "未找到adb");
    std::string listed = "未找到 adb：下面这些文件夹里都没有可用的 adb。\r\n";
    for (const std::string& folder : AdbSearchFolders()) {
        listed += "    " + folder + (folder == ProgramDirectory() ? "（程序所在的文件夹）" : "") + "\r\n";
    }
    EXPECT_TRUE(Output().starts_with(listed + "\r\n")) << Output();
    EXPECT_TRUE(Output().ends_with("详见程序文件夹中“遇到问题请看.txt”的第一节。"));
    EXPECT_TRUE(phone.Commands().empty()) << "nothing to run without an adb";
    EXPECT_EQ(std::getenv("PATH"), SearchPath()) << "PATH is left as it was";

    // An adb in a folder outside the profile that another account owns is passed over, and
    // said so (root alone can give a folder away).
    std::string refusedLine;
    if (chown(p.pathTwo.c_str(), 65534, 65534) == 0) {
        PlaceAdb(p.pathTwo);
        headless::Click(DesktopWindow, "按钮5");
        EXPECT_EQ(LinkBox(), "未找到adb");
        refusedLine = "找到但没有使用的 adb：" + (p.pathTwo / "adb").string() + "（这个文件夹属于另一个用户账户，" +
                      "别人放在这里的程序不能代您运行）";
        EXPECT_TRUE(Output().ends_with("\r\n\r\n" + refusedLine)) << Output();
        EXPECT_TRUE(phone.Commands().empty());
    }

    // The earlier of two places wins; its folder goes first on PATH, and a child finds that adb.
    fs::path desktop = p.profile / "Desktop/platform-tools";
    PlaceAdb(p.chocolatey / "bin");
    PlaceAdb(desktop);
    headless::Click(DesktopWindow, "按钮5");
    EXPECT_EQ(LinkBox(), "已连接");
    EXPECT_EQ(phone.Commands(), std::vector<std::string>{"adb get-state"});
    std::string note = (refusedLine.empty() ? "" : refusedLine + "\r\n") + "使用的 adb：" +
                       (desktop / "adb").string() + "（程序文件夹中没有 adb）";
    EXPECT_TRUE(Output().starts_with("device\r\n")) << Output();
    EXPECT_TRUE(Output().ends_with("\r\n\r\n" + note)) << Output();
    EXPECT_TRUE(std::getenv("PATH") == desktop.string() + ":" + SearchPath());
    EXPECT_EQ(RunCommandLine("command -v adb").output, (desktop / "adb").string() + "\r\n");

    // Said once: neither the next check nor the desktop window opened again names it.
    headless::Click(DesktopWindow, "按钮5");
    EXPECT_EQ(Output().find("使用的 adb"), std::string::npos);
    headless::Reset();
    ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    EXPECT_EQ(Output().find("使用的 adb"), std::string::npos);
}

}  // namespace
