// Looking for adb at start-up, handing its folder on through PATH, and what the program says about it.
#include "core/adb_location.h"

#include <algorithm>
#include <initializer_list>

#include "platform/search_path.h"
#include "platform/system.h"
#include "platform/text.h"

namespace {

// base + each name with the system's separator, or nothing without a base.
std::optional<std::string> Below(const std::optional<std::string>& base, std::initializer_list<std::string_view> names)
{
    if (!base) {
        return std::nullopt;
    }
    std::string path = *base;
    for (std::string_view name : names) {
        path = JoinPath(path, name);
    }
    return path;
}

void AddFolder(std::vector<std::string>& folders, const std::optional<std::string>& folder)
{
    if (folder && !folder->empty() && std::find(folders.begin(), folders.end(), *folder) == folders.end()) {
        folders.push_back(*folder);
    }
}

std::string AdbFileName() { return ProgramFileName("adb"); }

// Whether the output box has named the adb in use: it does so once a run of the program.
bool noteGiven = false;

}  // namespace

std::vector<std::string> AdbSearchFolders()
{
    std::vector<std::string> folders;
    AddFolder(folders, ProgramDirectory());
    for (const std::string& folder : SearchPathFolders()) {
        AddFolder(folders, folder);
    }
    std::optional<std::string> profile = EnvironmentVariable("USERPROFILE");
    AddFolder(folders, Below(EnvironmentVariable("LOCALAPPDATA"), {"Android", "Sdk", "platform-tools"}));
    AddFolder(folders, Below(profile, {"platform-tools"}));
    AddFolder(folders, Below(profile, {"Downloads", "platform-tools"}));
    AddFolder(folders, Below(profile, {"Desktop", "platform-tools"}));
    AddFolder(folders, "C:\\platform-tools");
    AddFolder(folders, "D:\\platform-tools");
    // Scoop unpacks the package and puts a shim, itself an adb.exe, among its shims; Chocolatey
    // likewise, with its shims in bin. The package's own folder comes first: putting a shim folder
    // first on PATH would put every other shim there ahead of the user's own order too.
    std::optional<std::string> scoop = EnvironmentVariable("SCOOP");
    if (!scoop) {
        scoop = Below(profile, {"scoop"});
    }
    AddFolder(folders, Below(scoop, {"apps", "adb", "current", "platform-tools"}));
    AddFolder(folders, Below(scoop, {"shims"}));
    std::optional<std::string> chocolatey = EnvironmentVariable("ChocolateyInstall");
    if (!chocolatey) {
        chocolatey = "C:\\ProgramData\\chocolatey";
    }
    AddFolder(folders, Below(chocolatey, {"lib", "adb", "tools", "platform-tools"}));
    AddFolder(folders, Below(chocolatey, {"bin"}));
    return folders;
}

const AdbLocation& LocateAdb()
{
    static AdbLocation location;
    if (!location.program.empty()) {
        return location;
    }
    location = {};
    std::string programDirectory = ProgramDirectory();
    for (const std::string& folder : AdbSearchFolders()) {
        location.searched.push_back(folder);
        std::string program = JoinPath(folder, AdbFileName());
        if (!IsProgramFile(program)) {
            continue;
        }
        bool beside = folder == programDirectory;
        if (beside || PutFirstOnSearchPath(folder)) {
            location.program = program;
            location.besideProgram = beside;
            break;
        }
    }
    return location;
}

std::optional<std::string> AdbNoteOnce()
{
    const AdbLocation& location = LocateAdb();
    if (noteGiven || location.program.empty() || location.besideProgram) {
        return std::nullopt;
    }
    noteGiven = true;
    return JoinText({"使用的 adb：", location.program, "（程序文件夹中没有 ", AdbFileName(), "）"});
}

std::string AdbMissingReport(const AdbLocation& location)
{
    std::string adb = AdbFileName();
    std::string report = JoinText({"未找到 adb：下面这些文件夹里都没有 ", adb, "。\r\n"});
    for (std::size_t i = 0; i < location.searched.size(); ++i) {
        bool programFolder = location.searched[i] == ProgramDirectory();
        report += JoinText({"    ", location.searched[i], programFolder ? "（程序所在的文件夹）" : "", "\r\n"});
    }
    report += JoinText({"\r\n请下载 Android SDK Platform-Tools，解压后把 ", adb,
                        "、AdbWinApi.dll 和 AdbWinUsbApi.dll 复制到程序所在的文件夹，再点“刷新”。\r\n"
                        "详见程序文件夹中“遇到问题请看.txt”的第一节。"});
    return report;
}
