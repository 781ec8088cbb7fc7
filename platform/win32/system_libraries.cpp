// Loading the system's DLLs from System32 alone, and the system's files by their full paths: a DLL
// or program of the same name dropped beside the program (a Downloads folder is the classic place)
// must never run inside it or instead of it.
#include "platform/win32/system_libraries.h"

#include <string>

namespace {

using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);

// Windows 7 and Vista know LOAD_LIBRARY_SEARCH_SYSTEM32 only with update KB2533623; without it
// LoadLibraryExW fails with ERROR_INVALID_PARAMETER, and the DLL is loaded by its full path in
// the system folder instead. LOAD_WITH_ALTERED_SEARCH_PATH has the DLL's own imports that are
// not Known DLLs looked for beside it, in System32, too.
HMODULE LoadSystemLibrary(const wchar_t* library)
{
    HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) {
        return module;
    }
    std::wstring path = SystemFolderFile(library);
    return path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// GetSystemDirectoryW and GetWindowsDirectoryW alike: the length without the terminating zero, or
// the size needed when the buffer is too small, or 0 on failure.
std::wstring Folder(UINT(WINAPI* folderOf)(LPWSTR, UINT))
{
    std::wstring folder(MAX_PATH, L'\0');
    UINT length = folderOf(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        folder.resize(length);
        length = folderOf(folder.data(), static_cast<UINT>(folder.size()));
    }
    if (length == 0 || length >= folder.size()) {
        return {};
    }
    folder.resize(length);
    return folder;
}

std::wstring InFolder(const std::wstring& folder, const wchar_t* file)
{
    return folder.empty() ? std::wstring() : folder + L"\\" + file;
}

}  // namespace

std::wstring SystemFolder() { return Folder(GetSystemDirectoryW); }
std::wstring WindowsFolder() { return Folder(GetWindowsDirectoryW); }
std::wstring SystemFolderFile(const wchar_t* file) { return InFolder(SystemFolder(), file); }
std::wstring WindowsFolderFile(const wchar_t* file) { return InFolder(WindowsFolder(), file); }

// kernel32 is a Known DLL, always loaded from System32. SetDefaultDllDirectories came with
// Windows 8, and with update KB2533623 to Windows 7: looked up at run time.
void SearchSystemFolderOnly()
{
    FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (auto* setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction*>(reinterpret_cast<void*>(found))) {
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

// The DLL stays loaded: callers keep the function for the process's life.
FARPROC SystemFunction(const wchar_t* library, const char* name)
{
    HMODULE module = LoadSystemLibrary(library);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}
