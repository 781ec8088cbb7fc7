// The environment that started programs inherit: variables, the search path and program files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The value of this process's environment variable, as UTF-8; nothing when it is unset or empty.
std::optional<std::string> EnvironmentVariable(std::string_view name);

// The folders that PATH lists, in order, as the system reads them: empty entries left out, and on
// Windows the quotes that let an entry hold a semicolon removed.
std::vector<std::string> SearchPathFolders();

// The folders of the system's own programs, which nothing found elsewhere may go ahead of on PATH:
// on Windows the system folder and the Windows folder; none on POSIX, where PATH's order is the
// user's.
std::vector<std::string> SystemFolders();

// Puts the folder on this process's PATH ahead of everything but the system folders, which go
// before it. Every program started afterwards inherits the environment, so a bare name that the
// folder holds, and the system folders do not, resolves there (after the program's own folder,
// which is searched first anyway), while the system's own commands stay the system's. False when
// PATH cannot take the folder: it would grow past the system's limit, or the folder's name holds
// the separator POSIX cannot quote (':').
bool PutOnSearchPathBehindSystemFolders(std::string_view folder);

// Whether the folder lies on another computer: a UNC path ("\\server\share") or a drive mapped
// to one (GetDriveTypeW, which asks nothing of the network). Never on POSIX.
bool IsNetworkFolder(std::string_view folder);

// Who owns a folder, as far as running a program from it goes.
enum class FolderOwner {
    ThisUser,          // the account the program runs as
    Administrators,    // the Administrators group
    System,            // the operating system's own account: SYSTEM on Windows, root on POSIX
    TrustedInstaller,  // Windows' installer service, owner of the system's own folders
    Another,           // any other account: another user of the computer, a group such as Users
    Unknown,           // no owner could be read: no such folder, no right to read it, no owners on the drive
};

// The folder's owner, read from the file system now (GetNamedSecurityInfoW's owner on Windows,
// the owning user on POSIX).
FolderOwner OwnerOfFolder(std::string_view folder);

// Sets (or, with nothing, removes) this process's environment variable; every program started
// afterwards inherits it. False when the system refuses the value.
bool SetProcessVariable(std::string_view name, std::optional<std::string_view> value);

// A program's file name from its stem: "adb.exe" on Windows, "adb" elsewhere.
std::string ProgramFileName(std::string_view stem);

// Whether a file that the system could start is at the path: not a folder, and on POSIX executable.
// A drive without a medium answers no, without the system's "no disk" box.
bool IsProgramFile(std::string_view path);
