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

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Whether the folder is the base or lies below it; Windows compares names without case.
bool LiesInside(std::string_view folder, std::string_view base)
{
    while (!base.empty() && IsSeparator(base.back())) {
        base.remove_suffix(1);
    }
    if (base.empty() || folder.size() < base.size()) {
        return false;
    }
    for (std::size_t i = 0; i < base.size(); ++i) {
        if (AsciiLower(folder[i]) != AsciiLower(base[i]) && !(IsSeparator(folder[i]) && IsSeparator(base[i]))) {
            return false;
        }
    }
    return folder.size() == base.size() || IsSeparator(folder[base.size()]);
}

// Scoop's and Chocolatey's shim folders: each shim, itself an adb.exe or a git.exe, runs the
// package it stands for. Putting one first on PATH would put every other shim there ahead of the
// user's own order too, so the package's own folder is looked in first.
struct PackageManagerFolders {
    std::vector<std::optional<std::string>> packages;
    std::vector<std::optional<std::string>> shims;
};

PackageManagerFolders PackageManagers(const std::optional<std::string>& profile)
{
    std::optional<std::string> scoop = EnvironmentVariable("SCOOP");
    if (!scoop) {
        scoop = Below(profile, {"scoop"});
    }
    std::optional<std::string> chocolatey = EnvironmentVariable("ChocolateyInstall");
    if (!chocolatey) {
        chocolatey = "C:\\ProgramData\\chocolatey";
    }
    return {{Below(scoop, {"apps", "adb", "current", "platform-tools"}),
             Below(chocolatey, {"lib", "adb", "tools", "platform-tools"})},
            {Below(scoop, {"shims"}), Below(chocolatey, {"bin"})}};
}

bool IsShimFolder(const PackageManagerFolders& managers, const std::string& folder)
{
    return std::find(managers.shims.begin(), managers.shims.end(), folder) != managers.shims.end();
}

std::optional<std::string> RefusalForOwner(FolderOwner owner)
{
    switch (owner) {
    case FolderOwner::ThisUser:
    case FolderOwner::Administrators:
    case FolderOwner::System:
    case FolderOwner::TrustedInstaller: return std::nullopt;
    case FolderOwner::Another: return "这个文件夹属于另一个用户账户，别人放在这里的程序不能代您运行";
    case FolderOwner::Unknown: break;
    }
    return "读不出这个文件夹属于谁，无法确定放在这里的程序可信";
}

// Whether the output box has named the adb in use: it does so once a run of the program.
bool noteGiven = false;

// One line, ending in CR LF, for each adb passed over.
std::string RefusedLines(const AdbLocation& location)
{
    std::string lines;
    for (const RefusedAdb& refused : location.refused) {
        lines += JoinText({"找到但没有使用的 adb：", refused.program, "（", refused.reason, "）\r\n"});
    }
    return lines;
}

}  // namespace

std::vector<std::string> AdbSearchFolders()
{
    std::optional<std::string> profile = EnvironmentVariable("USERPROFILE");
    PackageManagerFolders managers = PackageManagers(profile);
    std::vector<std::string> folders;
    AddFolder(folders, ProgramDirectory());
    for (const std::string& folder : SystemFolders()) {
        AddFolder(folders, folder);
    }
    for (const std::string& folder : SearchPathFolders()) {
        if (!IsShimFolder(managers, folder)) {
            AddFolder(folders, folder);
        }
    }
    AddFolder(folders, Below(EnvironmentVariable("LOCALAPPDATA"), {"Android", "Sdk", "platform-tools"}));
    AddFolder(folders, Below(profile, {"platform-tools"}));
    AddFolder(folders, Below(profile, {"Downloads", "platform-tools"}));
    AddFolder(folders, Below(profile, {"Desktop", "platform-tools"}));
    AddFolder(folders, "C:\\platform-tools");
    AddFolder(folders, "D:\\platform-tools");
    for (std::size_t i = 0; i < managers.packages.size(); ++i) {
        AddFolder(folders, managers.packages[i]);
        AddFolder(folders, managers.shims[i]);
    }
    return folders;
}

std::vector<std::string> ProtectedFolders()
{
    std::vector<std::string> folders;
    for (std::string_view name : {"USERPROFILE", "ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"}) {
        AddFolder(folders, EnvironmentVariable(name));
    }
    return folders;
}

std::optional<std::string> AdbFolderRefusal(std::string_view folder, const std::vector<std::string>& protectedFolders,
                                            const std::function<FolderOwner(std::string_view)>& ownerOf)
{
    for (const std::string& base : protectedFolders) {
        if (LiesInside(folder, base)) {
            return std::nullopt;
        }
    }
    return RefusalForOwner(ownerOf(folder));
}

const AdbLocation& LocateAdb()
{
    static AdbLocation location;
    if (!location.program.empty()) {
        return location;
    }
    location = {};
    std::string programDirectory = ProgramDirectory();
    std::vector<std::string> protectedFolders = ProtectedFolders();
    for (const std::string& folder : AdbSearchFolders()) {
        // The program's own folder is where the user put the program, on a share or not.
        bool beside = folder == programDirectory;
        if (!beside && IsNetworkFolder(folder)) {
            continue;
        }
        location.searched.push_back(folder);
        std::string program = JoinPath(folder, AdbFileName());
        if (!IsProgramFile(program)) {
            continue;
        }
        std::optional<std::string> refusal =
            beside ? std::nullopt : AdbFolderRefusal(folder, protectedFolders, OwnerOfFolder);
        if (refusal) {
            location.refused.push_back({program, *refusal});
            continue;
        }
        if (beside || PutOnSearchPathBehindSystemFolders(folder)) {
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
    bool usedElsewhere = !location.program.empty() && !location.besideProgram;
    if (noteGiven || (!usedElsewhere && location.refused.empty())) {
        return std::nullopt;
    }
    noteGiven = true;
    std::string note = RefusedLines(location);
    if (usedElsewhere) {
        note += JoinText({"使用的 adb：", location.program, "（程序文件夹中没有 ", AdbFileName(), "）"});
    }
    if (note.ends_with("\r\n")) {
        note.resize(note.size() - 2);
    }
    return note;
}

std::string AdbMissingReport(const AdbLocation& location)
{
    std::string adb = AdbFileName();
    std::string report = JoinText({"未找到 adb：下面这些文件夹里都没有可用的 ", adb, "。\r\n"});
    for (std::size_t i = 0; i < location.searched.size(); ++i) {
        bool programFolder = location.searched[i] == ProgramDirectory();
        report += JoinText({"    ", location.searched[i], programFolder ? "（程序所在的文件夹）" : "", "\r\n"});
    }
    report += JoinText({"\r\n请下载 Android SDK Platform-Tools，解压后把 ", adb,
                        "、AdbWinApi.dll 和 AdbWinUsbApi.dll 复制到程序所在的文件夹，再点“刷新”。\r\n"
                        "详见程序文件夹中“遇到问题请看.txt”的第一节。"});
    if (!location.refused.empty()) {
        report += JoinText({"\r\n\r\n", RefusedLines(location)});
        report.resize(report.size() - 2);
    }
    return report;
}
