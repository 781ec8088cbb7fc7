// Operating-system services on Windows: the program's directory, paths, files, the OS family, fatal errors.
#include "platform/system.h"

#include "platform/win32/windows_api.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <string>
#include <utility>

#include "platform/win32/owned_handle.h"
#include "platform/win32/system_libraries.h"
#include "platform/win32/wide.h"

namespace {

// The program file's full path; GetModuleFileNameW cuts the path silently when the buffer is short.
std::wstring ProgramFilePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Everything before the last backslash: "C:" for a program at a drive root.
std::wstring ProgramDirectoryWide()
{
    std::wstring path = ProgramFilePath();
    std::size_t lastSeparator = path.rfind(L'\\');
    return lastSeparator == std::wstring::npos ? std::wstring() : path.substr(0, lastSeparator);
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The UTF-8 text as UTF-16 in the buffer, without a terminating zero and without using the heap;
// the number of units written. A text too long for the buffer is cut at a character boundary:
// no UTF-8 byte gives more than one UTF-16 unit, so as many bytes as the buffer has units fit.
std::size_t ToWideInPlace(std::string_view utf8, wchar_t* buffer, std::size_t capacity)
{
    if (utf8.size() > capacity) {
        std::size_t end = capacity;
        while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
            --end;  // utf8[end] continues a character: cut before that character's first byte
        }
        utf8 = utf8.substr(0, end);
    }
    if (utf8.empty()) {
        return 0;
    }
    int written = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), buffer,
                                      static_cast<int>(capacity));
    return static_cast<std::size_t>(std::max(written, 0));
}

}  // namespace

void InitialisePlatform()
{
    // Before anything loads a DLL: the shell, COM and the window system load more as they go.
    SearchSystemFolderOnly();
    std::wstring directory = ProgramDirectoryWide();
    // "C:" alone names the drive's own current directory, not its root.
    if (directory.size() == 2 && directory[1] == L':') {
        directory += L'\\';
    }
    if (!directory.empty()) {
        SetCurrentDirectoryW(directory.c_str());
    }
}

std::string ProgramDirectory()
{
    static const std::string directory = WideToUtf8(ProgramDirectoryWide());
    return directory;
}

std::string JoinPath(std::string_view directory, std::string_view name)
{
    bool separated =
        (!directory.empty() && IsSeparator(directory.back())) || (!name.empty() && IsSeparator(name.front()));
    return JoinText({directory, separated ? "" : "\\", name});
}

std::string ScriptFileName(std::string_view stem) { return JoinText({stem, ".bat"}); }

int OsClass()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version)) {
        return 0;
    }
    switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32s: return 1;
    case VER_PLATFORM_WIN32_WINDOWS: return 2;
    case VER_PLATFORM_WIN32_NT: return 3;
    default: return 0;
    }
}

FileContents ReadFileContents(std::string_view path, FileSharing sharing)
{
    if (path.empty()) {
        return {};
    }
    // The share mode must allow every access that others already hold, or the open fails with
    // ERROR_SHARING_VIOLATION (CreateFileW, dwShareMode).
    DWORD shareMode = sharing == FileSharing::Shared ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                                                     : FILE_SHARE_READ;
    std::wstring widePath = Utf8ToWide(path);
    OwnedHandle file(CreateFileW(widePath.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        // A folder fails with ERROR_ACCESS_DENIED: it is there, but not a file to read.
        DWORD error = GetLastError();
        bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FileReading::Missing : FileReading::Unreadable, {}};
    }
    Bytes contents;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0) {
        contents.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    // Read to the end rather than trust the size: a device or a growing file has no fixed one.
    std::uint8_t block[64 * 1024];
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file.Get(), block, sizeof(block), &count, nullptr)) {
            return {FileReading::Unreadable, {}};
        }
        if (count == 0) {
            break;
        }
        contents.insert(contents.end(), block, block + count);
    }
    return {FileReading::Read, std::move(contents)};
}

// Running out of memory is one way here, so the message is built on the stack. The box's own
// message loop paints the program's windows, and painting may fail in turn: a second fatal error
// while the first is shown ends the process at once, before it can nest another box (and another,
// until the stack overflows). A second thread failing meanwhile ends it the same way.
void FatalError(std::string_view detail)
{
    static std::atomic<bool> reporting{false};
    if (reporting.exchange(true)) {
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(-1));
    }
    constexpr std::wstring_view kHeading = L"运行时出错!\r\n";
    wchar_t text[1024];
    std::size_t length = kHeading.copy(text, kHeading.size());
    length += ToWideInPlace(detail, text + length, std::size(text) - 1 - length);
    text[length] = L'\0';
    MessageBoxW(nullptr, text, L"信息：", MB_OK | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(-1));
}
