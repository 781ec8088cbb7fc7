// The program's own files on Windows: appends through FILE_APPEND_DATA, rotation by handle, the
// local application-data folder.
#include "platform/files.h"

#include "platform/win32/windows_api.h"

#include <knownfolders.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/owned_handle.h"
#include "platform/win32/system_libraries.h"
#include "platform/win32/wide.h"

namespace {

// Others may read, append, rename and delete while the program has a log file open: a second
// Pellucor, an editor, a rotation.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class SharedFile {
public:
    SharedFile(std::string_view path, DWORD access, DWORD disposition)
        : handle_(CreateFileW(Utf8ToWide(path).c_str(), access, kShareAll, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~SharedFile()
    {
        if (IsOpen()) {
            CloseHandle(handle_);
        }
    }
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

    std::uint64_t Size() const
    {
        LARGE_INTEGER size{};
        return IsOpen() && GetFileSizeEx(handle_, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
    }

    // At most count bytes from the offset; fewer at the end of the file or on a failed read.
    std::string Read(std::uint64_t offset, std::size_t count) const
    {
        std::string bytes(count, '\0');
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(offset);
        std::size_t filled = 0;
        if (SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN)) {
            DWORD read = 0;
            while (filled < count &&
                   ReadFile(handle_, bytes.data() + filled, static_cast<DWORD>(count - filled), &read, nullptr) &&
                   read > 0) {
                filled += read;
            }
        }
        bytes.resize(filled);
        return bytes;
    }

private:
    HANDLE handle_;
};

// Appending and rotating programs take turns by locking this byte, far past the end of any log:
// a lock on the data itself would keep the lock holder's own append handle out.
constexpr DWORD kTurnByteHigh = 0x40000000;

// Holds the turn while it exists (LockFileEx, exclusive; the handle needs read access).
class Turn {
public:
    explicit Turn(const SharedFile& file) : file_(file)
    {
        taken_ = file_.IsOpen() && TakeTurn([this] {
            OVERLAPPED at{};
            at.OffsetHigh = kTurnByteHigh;
            return LockFileEx(file_.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != FALSE;
        });
    }
    ~Turn()
    {
        if (taken_) {
            OVERLAPPED at{};
            at.OffsetHigh = kTurnByteHigh;
            UnlockFileEx(file_.Get(), 0, 1, 0, &at);
        }
    }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;
    bool Taken() const { return taken_; }

private:
    const SharedFile& file_;
    bool taken_ = false;
};

// SetFileInformationByHandle's class and flags for a rename with flags (Windows 10 from 1607 on),
// which MinGW declares only when building for Windows 10.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD kRenameReplaceIfExists = 0x1;  // FILE_RENAME_FLAG_REPLACE_IF_EXISTS
constexpr DWORD kRenamePosixSemantics = 0x2;   // FILE_RENAME_FLAG_POSIX_SEMANTICS

// Renames the file of the handle to the full path (SetFileInformationByHandle). FILE_RENAME_INFO
// starts with ReplaceIfExists for FileRenameInfo and, in a union with it, a DWORD of flags for
// FileRenameInfoEx; either is written as a DWORD, which the padding before RootDirectory leaves
// room for. FileNameLength counts the name's bytes without the terminating zero, which goes into
// the room of the structure's own one-character FileName.
bool Rename(HANDLE file, const std::wstring& target, FILE_INFO_BY_HANDLE_CLASS kind, DWORD flags)
{
    static_assert(offsetof(FILE_RENAME_INFO, RootDirectory) >= sizeof(DWORD));
    std::size_t nameBytes = target.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes, 0);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    std::memcpy(buffer.data(), &flags, sizeof(flags));
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(rename->FileName, target.data(), nameBytes);
    return SetFileInformationByHandle(file, kind, rename, static_cast<DWORD>(buffer.size())) != FALSE;
}

// An open file may be renamed when its openers share delete. Moved to a name of this process's
// own beside it and opened to be deleted on close, it vanishes when its last reader lets go, and
// its name is free at once.
bool MoveAsideToBeDeleted(const std::wstring& path)
{
    OwnedHandle file(CreateFileW(path.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE,
                                 nullptr));
    std::wstring aside = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".deleted";
    return file && Rename(file.Get(), aside, FileRenameInfo, TRUE);
}

bool IsFolder(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

// Of the write rights the handle has FILE_APPEND_DATA alone, so that it can only add to the end,
// and WriteFile is told to write there ("To write to the end of file, specify both the Offset and
// OffsetHigh members of the OVERLAPPED structure as 0xFFFFFFFF"): one call lands whole at the end
// as it is at that moment, whoever else appends. The read rights serve the size and the last
// byte, which decide what goes first, and the turn, which keeps them from changing before the
// write. WriteFile hands the data to the system cache, which outlives the program;
// FlushFileBuffers would also wait for the disk on every record.
bool AppendToTextFile(std::string_view path, std::string_view text, std::string_view header,
                      std::string_view unfinishedMark)
{
    SharedFile file(path, GENERIC_READ | FILE_APPEND_DATA, OPEN_ALWAYS);
    if (!file.IsOpen()) {
        return false;
    }
    // Without the turn the text still lands whole; only what goes before it may be off.
    Turn turn(file);
    std::uint64_t size = file.Size();
    std::string last = size > 0 ? file.Read(size - 1, 1) : std::string();
    std::string bytes = TextToAppend(size, last.empty() ? '\n' : last[0], text, header, unfinishedMark);
    OVERLAPPED end{};
    end.Offset = 0xFFFFFFFF;
    end.OffsetHigh = 0xFFFFFFFF;
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &end) &&
           written == bytes.size();
}

// In the appenders' turn, the rename goes through the handle whose size was read (the handle needs
// DELETE access). A second program that opened the same file before the first renamed it only
// renames that file once more to the same name.
void RotateFile(std::string_view path, std::string_view rotatedPath, std::uint64_t limit)
{
    SharedFile file(path, GENERIC_READ | DELETE, OPEN_EXISTING);
    Turn turn(file);
    if (!turn.Taken() || file.Size() <= limit) {
        return;
    }
    std::wstring target = Utf8ToWide(rotatedPath);
    // POSIX semantics replace a file that others hold open (sharing delete, as every reader of the
    // log does): recent Windows 10 and 11, on NTFS. Elsewhere the call fails and the classic
    // rename follows, which refuses to replace an open file (ERROR_ACCESS_DENIED) until it has
    // been moved out of the way.
    if (Rename(file.Get(), target, kFileRenameInfoEx, kRenamePosixSemantics | kRenameReplaceIfExists) ||
        Rename(file.Get(), target, FileRenameInfo, TRUE)) {
        return;
    }
    if (GetLastError() == ERROR_ACCESS_DENIED && MoveAsideToBeDeleted(target)) {
        Rename(file.Get(), target, FileRenameInfo, TRUE);
    }
}

std::optional<std::int64_t> LastWriteTime(std::string_view path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                     data.ftLastWriteTime.dwLowDateTime);
}

FileTail ReadFileTail(std::string_view path, std::size_t maxBytes)
{
    SharedFile file(path, GENERIC_READ, OPEN_EXISTING);
    FileTail tail;
    if (!file.IsOpen()) {
        // A file that another program opened without sharing reading: ERROR_SHARING_VIOLATION
        // (CreateFileW, "Creating and Opening Files"); a folder fails with ERROR_ACCESS_DENIED.
        DWORD error = GetLastError();
        tail.unreadable = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && !IsFolder(Utf8ToWide(path));
        return tail;
    }
    std::uint64_t size = file.Size();
    tail.cut = size > maxBytes;
    std::uint64_t offset = tail.cut ? size - maxBytes : 0;
    tail.start = offset;
    std::string bytes = file.Read(offset, static_cast<std::size_t>(size - offset));
    // A region another program locked with LockFile cannot be read (ERROR_LOCK_VIOLATION).
    tail.unreadable = bytes.size() < size - offset;
    tail.bytes.assign(bytes.begin(), bytes.end());
    return tail;
}

bool RemoveFile(std::string_view path)
{
    if (DeleteFileW(Utf8ToWide(path).c_str())) {
        return true;
    }
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Each folder on the way is made in turn; those that exist, and a drive ("C:"), refuse quietly.
bool MakeFolder(std::string_view path)
{
    std::wstring folder = Utf8ToWide(path);
    for (std::size_t separator = folder.find_first_of(L"\\/", 1); separator != std::wstring::npos;
         separator = folder.find_first_of(L"\\/", separator + 1)) {
        CreateDirectoryW(folder.substr(0, separator).c_str(), nullptr);
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    return IsFolder(folder);
}

// The shell and COM are loaded when the user's folder is first needed, not at start-up. The path is
// freed with CoTaskMemFree "whether SHGetKnownFolderPath succeeds or not".
std::string UserStateDirectory()
{
    using KnownFolderPath = HRESULT WINAPI(const GUID&, DWORD, HANDLE, PWSTR*);
    using FreeTaskMemory = void WINAPI(void*);
    static auto* knownFolderPath = SystemFunction<KnownFolderPath>(L"shell32.dll", "SHGetKnownFolderPath");
    static auto* freeTaskMemory = SystemFunction<FreeTaskMemory>(L"ole32.dll", "CoTaskMemFree");
    if (knownFolderPath == nullptr || freeTaskMemory == nullptr) {
        return {};
    }
    PWSTR localAppData = nullptr;
    HRESULT result = knownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &localAppData);
    std::string folder = SUCCEEDED(result) && localAppData != nullptr ? WideToUtf8(localAppData) : std::string();
    freeTaskMemory(localAppData);
    return folder.empty() ? folder : JoinText({folder, "\\Pellucor"});
}
