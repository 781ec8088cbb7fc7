// The inherited environment on POSIX systems: variables, PATH, executable files and who owns their folders.
#include "platform/search_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/text.h"

std::optional<std::string> EnvironmentVariable(std::string_view name)
{
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::vector<std::string> SearchPathFolders()
{
    std::vector<std::string> folders;
    const char* searchPath = std::getenv("PATH");
    std::string_view rest = searchPath != nullptr ? searchPath : "";
    while (!rest.empty()) {
        std::size_t end = rest.find(':');
        std::string_view folder = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!folder.empty()) {
            folders.emplace_back(folder);
        }
    }
    return folders;
}

std::vector<std::string> SystemFolders() { return {}; }

bool PutOnSearchPathBehindSystemFolders(std::string_view folder)
{
    if (folder.find(':') != std::string_view::npos) {
        return false;
    }
    std::optional<std::string> searchPath = EnvironmentVariable("PATH");
    std::string value = searchPath ? JoinText({folder, ":", *searchPath}) : std::string(folder);
    return setenv("PATH", value.c_str(), 1) == 0;
}

bool SetProcessVariable(std::string_view name, std::optional<std::string_view> value)
{
    std::string key(name);
    return value ? setenv(key.c_str(), std::string(*value).c_str(), 1) == 0 : unsetenv(key.c_str()) == 0;
}

bool IsNetworkFolder(std::string_view) { return false; }

FolderOwner OwnerOfFolder(std::string_view folder)
{
    struct stat status {};
    if (stat(std::string(folder).c_str(), &status) != 0) {
        return FolderOwner::Unknown;
    }
    if (status.st_uid == geteuid()) {
        return FolderOwner::ThisUser;
    }
    return status.st_uid == 0 ? FolderOwner::System : FolderOwner::Another;
}

std::string ProgramFileName(std::string_view stem) { return std::string(stem); }

bool IsProgramFile(std::string_view path)
{
    std::string file(path);
    struct stat status {};
    return stat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(file.c_str(), X_OK) == 0;
}
