// The program's own files on POSIX systems: appends with O_APPEND, rotation under a lock, the XDG
// state folder.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix/file_descriptor.h"

namespace {

constexpr mode_t kFileMode = 0644;
// The XDG base-directory rules give a user's state folders to that user alone.
constexpr mode_t kFolderMode = 0700;

// Without blocking, so that a named pipe put at the path cannot stall the program.
int OpenRegularFile(std::string_view path, int flags)
{
    int descriptor = open(std::string(path).c_str(), flags | O_NONBLOCK | O_CLOEXEC, kFileMode);
    struct stat status {};
    if (descriptor >= 0 && (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

// Something at the path that is not a regular file: a folder, a device, a pipe.
bool IsOtherThanFile(std::string_view path)
{
    struct stat status {};
    return stat(std::string(path).c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

// The turn is an exclusive lock on the file itself.
bool TakeTurnOn(const FileDescriptor& file)
{
    return TakeTurn([&file] { return flock(file.Get(), LOCK_EX | LOCK_NB) == 0; });
}

}  // namespace

// O_APPEND moves to the end and writes in one step, so whole writes of several processes never
// interleave; the data is the kernel's once write returns. The turn keeps the size and the last
// byte, which decide what goes first, from changing before the write.
bool AppendToTextFile(std::string_view path, std::string_view text, std::string_view header,
                      std::string_view unfinishedMark)
{
    FileDescriptor file(OpenRegularFile(path, O_RDWR | O_APPEND | O_CREAT));
    if (file.Get() < 0) {
        return false;
    }
    // Without the turn the text still lands whole; only what goes before it may be off.
    TakeTurnOn(file);
    struct stat status {};
    if (fstat(file.Get(), &status) != 0) {
        return false;
    }
    auto size = static_cast<std::uint64_t>(status.st_size);
    char lastByte = '\n';
    if (size > 0 && pread(file.Get(), &lastByte, 1, status.st_size - 1) != 1) {
        lastByte = '\n';
    }
    std::string bytes = TextToAppend(size, lastByte, text, header, unfinishedMark);
    return write(file.Get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

// In the appenders' turn. Of two rotating programs, the one that comes second finds the path
// holding another file than the one it opened, and leaves it.
void RotateFile(std::string_view path, std::string_view rotatedPath, std::uint64_t limit)
{
    FileDescriptor file(OpenRegularFile(path, O_RDONLY));
    if (file.Get() < 0 || !TakeTurnOn(file)) {
        return;
    }
    struct stat opened {};
    struct stat named {};
    std::string pathText(path);
    if (fstat(file.Get(), &opened) == 0 && static_cast<std::uint64_t>(opened.st_size) > limit &&
        stat(pathText.c_str(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
        rename(pathText.c_str(), std::string(rotatedPath).c_str());
    }
}

std::optional<std::int64_t> LastWriteTime(std::string_view path)
{
    struct stat status {};
    if (stat(std::string(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

FileTail ReadFileTail(std::string_view path, std::size_t maxBytes)
{
    FileDescriptor file(OpenRegularFile(path, O_RDONLY));
    struct stat status {};
    FileTail tail;
    if (file.Get() < 0 || fstat(file.Get(), &status) != 0) {
        tail.unreadable = errno != ENOENT && errno != ENOTDIR && !IsOtherThanFile(path);
        return tail;
    }
    auto size = static_cast<std::uint64_t>(status.st_size);
    tail.cut = size > maxBytes;
    off_t offset = tail.cut ? static_cast<off_t>(size - maxBytes) : 0;
    tail.start = static_cast<std::uint64_t>(offset);
    tail.bytes.resize(tail.cut ? maxBytes : static_cast<std::size_t>(size));
    std::size_t filled = 0;
    while (filled < tail.bytes.size()) {
        ssize_t count = pread(file.Get(), tail.bytes.data() + filled, tail.bytes.size() - filled,
                              offset + static_cast<off_t>(filled));
        if (count <= 0) {
            tail.unreadable = count < 0;
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    tail.bytes.resize(filled);
    return tail;
}

bool RemoveFile(std::string_view path) { return unlink(std::string(path).c_str()) == 0 || errno == ENOENT; }

bool MakeFolder(std::string_view path)
{
    std::string folder(path);
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        mkdir(folder.substr(0, slash).c_str(), kFolderMode);
    }
    mkdir(folder.c_str(), kFolderMode);
    struct stat status {};
    return stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// A relative $XDG_STATE_HOME is invalid by the XDG rules and is ignored.
std::string UserStateDirectory()
{
    const char* stateHome = std::getenv("XDG_STATE_HOME");
    if (stateHome != nullptr && stateHome[0] == '/') {
        return JoinText({stateHome, "/pellucor"});
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        return {};
    }
    return JoinText({home, "/.local/state/pellucor"});
}
