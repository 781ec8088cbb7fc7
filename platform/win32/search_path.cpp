// The inherited environment on Windows: variables, PATH and program files.
#include "platform/search_path.h"

#include "platform/win32/windows_api.h"

#include "platform/win32/wide.h"

namespace {

// The longest value an environment variable may hold (SetEnvironmentVariableW).
constexpr std::size_t kMaxVariableLength = 32767;

std::optional<std::wstring> WideVariable(const wchar_t* name)
{
    std::wstring value(256, L'\0');
    for (;;) {
        // Too small a buffer gives the size needed, its terminating zero included; an unset
        // variable gives 0, as does an empty one.
        DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);
    }
}

}  // namespace

std::optional<std::string> EnvironmentVariable(std::string_view name)
{
    std::optional<std::wstring> value = WideVariable(Utf8ToWide(name).c_str());
    return value ? std::optional<std::string>(WideToUtf8(*value)) : std::nullopt;
}

// cmd.exe reads a quoted entry as one folder, semicolons included, and drops the quotes.
std::vector<std::string> SearchPathFolders()
{
    std::vector<std::string> folders;
    std::optional<std::string> searchPath = EnvironmentVariable("PATH");
    std::string folder;
    bool quoted = false;
    for (char c : searchPath.value_or("") + ';') {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            if (!folder.empty()) {
                folders.push_back(folder);
            }
            folder.clear();
        } else {
            folder += c;
        }
    }
    return folders;
}

bool PutFirstOnSearchPath(std::string_view folder)
{
    std::wstring value = Utf8ToWide(folder);
    if (value.find(L';') != std::wstring::npos) {
        value = L'"' + value + L'"';
    }
    if (std::optional<std::wstring> searchPath = WideVariable(L"PATH")) {
        value += L';' + *searchPath;
    }
    // Children started with no environment of their own (CreateProcessW's lpEnvironment null)
    // get a copy of this process's, and CreateProcessW and cmd.exe search this PATH for a bare name.
    return value.size() <= kMaxVariableLength && SetEnvironmentVariableW(L"PATH", value.c_str());
}

bool SetProcessVariable(std::string_view name, std::optional<std::string_view> value)
{
    std::wstring wideValue = value ? Utf8ToWide(*value) : std::wstring();
    return SetEnvironmentVariableW(Utf8ToWide(name).c_str(), value ? wideValue.c_str() : nullptr) != 0;
}

std::string ProgramFileName(std::string_view stem)
{
    std::string name(stem);
    name += ".exe";
    return name;
}

bool IsProgramFile(std::string_view path)
{
    DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
