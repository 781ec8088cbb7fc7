// Operating-system services on POSIX systems: the program's directory, files, fatal errors.
#include "platform/system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <utility>

#include "platform/posix/file_descriptor.h"

namespace {

// The full path of the running program file, as the kernel knows it.
std::string ProgramFilePath()
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof path) {
        return {};
    }
    return std::string(path, static_cast<std::size_t>(length));
}

void WriteAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        ssize_t written = write(descriptor, text.data(), text.size());
        if (written <= 0) {
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace

void InitialisePlatform()
{
    // A directory that cannot be entered leaves the current one; bare names then resolve
    // through the search path, which is no reason to refuse to start.
    std::string directory = ProgramDirectory();
    [[maybe_unused]] int entered = chdir(directory.empty() ? "/" : directory.c_str());
}

std::string ProgramDirectory()
{
    std::string path = ProgramFilePath();
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string JoinPath(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    path += '/';
    path.append(name);
    return path;
}

std::string ScriptFileName(std::string_view stem)
{
    std::string name(stem);
    name += ".sh";
    return name;
}

int OsClass() { return 3; }

// POSIX has no share modes to shut writers out; the file is read as it stands. Only regular
// files are read: opening without blocking keeps a named pipe from stalling the program.
FileContents ReadFileContents(std::string_view path, FileSharing)
{
    if (path.empty()) {
        return {};
    }
    FileDescriptor file(open(std::string(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        bool missing = errno == ENOENT || errno == ENOTDIR;
        return {missing ? FileReading::Missing : FileReading::Unreadable, {}};
    }
    struct stat status {};
    if (fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {FileReading::Unreadable, {}};
    }
    Bytes bytes;
    std::size_t expected = static_cast<std::size_t>(status.st_size);
    bytes.resize(expected > 0 ? expected : 4096);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() * 2);  // the file grew while being read
        }
        ssize_t count = read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0) {
            return {FileReading::Unreadable, {}};
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    bytes.resize(filled);
    return {FileReading::Read, std::move(bytes)};
}

// The headless build has no message box: the report goes to standard error. Nothing here may
// allocate, since running out of memory is one of the reasons to be here.
void FatalError(std::string_view detail)
{
    WriteAll(STDERR_FILENO, "运行时出错!\r\n");
    WriteAll(STDERR_FILENO, detail);
    WriteAll(STDERR_FILENO, "\r\n");
    _exit(-1);
}
