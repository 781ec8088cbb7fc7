// Where the adb that every command runs lies: beside the program, or where users put platform-tools.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/search_path.h"

// What the link box shows when no adb was found.
inline constexpr std::string_view kAdbMissing = "未找到adb";

// An adb that was found and not used, and why, in words for the output box.
struct RefusedAdb {
    std::string program;
    std::string reason;
};

struct AdbLocation {
    std::string program;                // the full path of the adb used; empty when none was found
    bool besideProgram = false;         // it is the one in the program's folder
    std::vector<std::string> searched;  // every folder looked in, in order, the one that held it last
    std::vector<RefusedAdb> refused;    // the adbs found before it and not used, in search order
};

// The folders adb is looked for in, in order, read from the environment now: the program's folder,
// the system folders, the folders of PATH, the Android SDK's platform-tools, platform-tools
// unpacked in the user's folder, Downloads or Desktop or at the root of C: or D:, then Scoop's and
// Chocolatey's package folder each before its shim folder, also where PATH names the shim folder
// earlier. Places whose variable is unset are left out, and so is a folder named twice.
std::vector<std::string> AdbSearchFolders();

// The folders whose programs may be run whoever owns them: the user's profile and the Program
// Files folders, which only the user or an administrator can change.
std::vector<std::string> ProtectedFolders();

// Why an adb found in the folder is not used; nothing when it may be. Any local user can create a
// folder at a drive's root (C:\platform-tools) or in C:\ProgramData and put an adb.exe there that
// would run as whoever starts Pellucor. So a folder outside the protected ones is used only when
// it is owned by the user, the Administrators group, SYSTEM or TrustedInstaller; ownerOf is asked
// only for such a folder.
std::optional<std::string> AdbFolderRefusal(std::string_view folder, const std::vector<std::string>& protectedFolders,
                                            const std::function<FolderOwner(std::string_view)>& ownerOf);

// The adb that commands use. The first call looks for it; so does every later call while none has
// been found, since the user may have put one in place meanwhile. Folders on another computer,
// but for the program's own, are not looked in: an unreachable one would hold the window for as
// long as the network takes to give up, and a share is not the user's to trust. A found adb that
// is not beside the program has its folder put on PATH right behind the system folders, so that
// the bare "adb" of every command line, and of the companion scripts, runs it; one beside the
// program changes nothing. A folder that PATH cannot take, or that AdbFolderRefusal refuses, is
// passed over.
const AdbLocation& LocateAdb();

// The first time it is asked for once adb has been looked for: "使用的 adb：<path>（程序文件夹中
// 没有 adb.exe）" when an adb that is not beside the program is in use, and a line "找到但没有使用
// 的 adb：<path>（<reason>）" for each adb passed over; nothing when there is neither, and at every
// later time.
std::optional<std::string> AdbNoteOnce();

// What the output box says when no adb was found: every folder looked in, and what to do.
std::string AdbMissingReport(const AdbLocation& location);
