// Running a Unix shell script from a Windows program under Wine: a private folder, /bin/sh, a wait on the folder.
#include "adb_bridge/unix_command.h"

#include "platform/win32/windows_api.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "platform/win32/wide.h"

namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder of its own in the temporary folder, removed when it goes; empty when none could be made.
struct PrivateFolder {
    ~PrivateFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path = FreshFolder("pellucor-unix-");
};

// Sleeps on the folder's change notification until the file exists. The notification is taken
// before the first look, so a file that appears after that look signals it; the bound of each
// wait only matters if Wine ever dropped one. Without a notification the wait sleeps in steps.
void AwaitFile(const fs::path& folder, const fs::path& file)
{
    HANDLE change = FindFirstChangeNotificationW(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    while (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (change == INVALID_HANDLE_VALUE) {
            Sleep(100);
        } else {
            WaitForSingleObject(change, 1000);
            FindNextChangeNotification(change);
        }
    }
    if (change != INVALID_HANDLE_VALUE) {
        FindCloseChangeNotification(change);
    }
}

// The frame around the script, which runs in a shell of its own so that nothing it does (a
// syntax error included) keeps the frame from writing its exit status: its streams into files,
// then the status written and renamed into place, so that the status file exists only once
// everything is written.
std::string Frame(std::string_view script, const std::string& folder)
{
    std::string part = ShellWord(folder + "/code.part");
    return "/bin/sh -c " + ShellWord(script) + " </dev/null >" + ShellWord(folder + "/out") + " 2>" +
           ShellWord(folder + "/err") + "\necho $? >" + part + "\nmv " + part + " " + ShellWord(folder + "/code") + "\n";
}

bool WriteWhole(const fs::path& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    return static_cast<bool>(file);
}

// Starts /bin/sh with the frame's file; true once Wine has handed it to the Unix side.
bool StartShell(const std::string& scriptPath)
{
    // Wine resolves a Unix path as a program's name (see unix_command.h). CreateProcessW may write
    // into the command line: it must be a writable buffer.
    const wchar_t* shell = L"/bin/sh";
    std::wstring commandLine = L"/bin/sh \"" + Utf8ToWide(scriptPath) + L"\"";
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(shell, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startInfo, &started)) {
        return false;
    }
    // Null for a Unix program under Wine; closed in case a system ever returns them.
    for (HANDLE handle : {started.hProcess, started.hThread}) {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
    return true;
}

}  // namespace

std::string UnixPathOf(std::string_view windowsPath)
{
    // Wine's own export of kernel32 (absent on Windows): the returned buffer is the caller's, freed
    // with HeapFree on the process heap.
    using ToUnixName = char*(__cdecl*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unixPath = toUnix != nullptr ? toUnix(Utf8ToWide(windowsPath).c_str()) : nullptr;
    if (unixPath == nullptr) {
        return {};
    }
    std::string path = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return path;
}

fs::path FreshFolder(std::string_view prefix)
{
    static int made = 0;
    std::error_code error;
    fs::path temp = fs::temp_directory_path(error);
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path folder = temp / (std::string(prefix) + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made));
        if (fs::create_directory(folder, error)) {
            return folder;
        }
    }
    return {};
}

UnixRun RunUnixScript(std::string_view script)
{
    PrivateFolder folder;
    std::string folderName = WideToUtf8(folder.path.wstring());
    std::string unixFolder = folder.path.empty() ? "" : UnixPathOf(folderName);
    if (unixFolder.empty()) {
        return {"no private folder that Unix programs can reach (is this Wine?)"};
    }
    if (!WriteWhole(folder.path / "frame.sh", Frame(script, unixFolder))) {
        return {"the script could not be written into " + folderName};
    }
    if (!StartShell(unixFolder + "/frame.sh")) {
        return {"/bin/sh could not be started"};
    }
    AwaitFile(folder.path, folder.path / "code");
    UnixRun run;
    run.exitCode = std::atoi(ReadWhole(folder.path / "code").c_str());
    run.out = ReadWhole(folder.path / "out");
    run.err = ReadWhole(folder.path / "err");
    return run;
}
