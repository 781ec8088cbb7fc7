// Where the adb that every command runs lies: beside the program, or where users put platform-tools.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the link box shows when no adb was found.
inline constexpr std::string_view kAdbMissing = "未找到adb";

struct AdbLocation {
    std::string program;                // the full path of the adb used; empty when none was found
    bool besideProgram = false;         // it is the one in the program's folder
    std::vector<std::string> searched;  // every folder looked in, in order, the one that held it last
};

// The folders adb is looked for in, in order, read from the environment now: the program's folder,
// the folders of PATH, the Android SDK's platform-tools, platform-tools unpacked in the user's
// folder, Downloads or Desktop or at the root of C: or D:, then Scoop's and Chocolatey's package and
// shim folders. Places whose variable is unset are left out, and so is a folder named twice.
std::vector<std::string> AdbSearchFolders();

// The adb that commands use. The first call looks for it; so does every later call while none has
// been found, since the user may have put one in place meanwhile. A found adb that is not beside
// the program has its folder put first on PATH, so that the bare "adb" of every command line, and
// of the companion scripts, runs it; one beside the program changes nothing. A folder that PATH
// cannot take is passed over.
const AdbLocation& LocateAdb();

// "使用的 adb：<path>（程序文件夹中没有 adb.exe）" the first time it is asked for once an adb
// that is not beside the program is in use; nothing at every other time.
std::optional<std::string> AdbNoteOnce();

// What the output box says when no adb was found: every folder looked in, and what to do.
std::string AdbMissingReport(const AdbLocation& location);
