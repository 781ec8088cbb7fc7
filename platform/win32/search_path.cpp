// The inherited environment on Windows: variables, PATH, program files and who owns their folders.
#include "platform/search_path.h"

#include "platform/win32/windows_api.h"
#include <aclapi.h>
#include <sddl.h>

#include <memory>

#include "platform/win32/system_libraries.h"
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

// While it lives, a drive without a medium (an empty card reader or disc drive) fails a probe
// with an error instead of the system's "no disk" box, on this thread only: the error mode of
// the process would be inherited by every child (SetThreadErrorMode, SEM_FAILCRITICALERRORS).
class NoDiskBoxes {
public:
    NoDiskBoxes() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    ~NoDiskBoxes() { SetThreadErrorMode(previous_, nullptr); }
    NoDiskBoxes(const NoDiskBoxes&) = delete;
    NoDiskBoxes& operator=(const NoDiskBoxes&) = delete;

private:
    DWORD previous_ = 0;
};

// The account this program runs as, from its token; null when it cannot be read.
std::unique_ptr<BYTE[]> ThisUserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return nullptr;
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    auto user = size > 0 ? std::make_unique<BYTE[]>(size) : nullptr;
    if (user != nullptr && !GetTokenInformation(token, TokenUser, user.get(), size, &size)) {
        user = nullptr;
    }
    CloseHandle(token);
    return user;
}

bool IsThisUser(PSID owner)
{
    std::unique_ptr<BYTE[]> user = ThisUserSid();
    return user != nullptr && EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid);
}

// TrustedInstaller is a service account ("NT SERVICE\TrustedInstaller"), not among the
// well-known SIDs that IsWellKnownSid knows.
bool IsTrustedInstaller(PSID owner)
{
    PSID trustedInstaller = nullptr;
    if (!ConvertStringSidToSidW(L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                                &trustedInstaller)) {
        return false;
    }
    bool same = EqualSid(owner, trustedInstaller) != 0;
    LocalFree(trustedInstaller);
    return same;
}

FolderOwner OwnerKind(PSID owner)
{
    if (owner == nullptr || !IsValidSid(owner)) {
        return FolderOwner::Unknown;
    }
    if (IsThisUser(owner)) {
        return FolderOwner::ThisUser;
    }
    if (IsWellKnownSid(owner, WinBuiltinAdministratorsSid)) {
        return FolderOwner::Administrators;
    }
    if (IsWellKnownSid(owner, WinLocalSystemSid)) {
        return FolderOwner::System;
    }
    return IsTrustedInstaller(owner) ? FolderOwner::TrustedInstaller : FolderOwner::Another;
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

std::vector<std::string> SystemFolders()
{
    std::vector<std::string> folders;
    for (const std::wstring& folder : {SystemFolder(), WindowsFolder()}) {
        if (!folder.empty()) {
            folders.push_back(WideToUtf8(folder));
        }
    }
    return folders;
}

// A folder that holds a semicolon goes in quotes, which cmd.exe and CreateProcessW both read.
bool PutOnSearchPathBehindSystemFolders(std::string_view folder)
{
    std::wstring value;
    for (const std::wstring& systemFolder : {SystemFolder(), WindowsFolder()}) {
        if (!systemFolder.empty()) {
            value += systemFolder + L';';
        }
    }
    std::wstring wideFolder = Utf8ToWide(folder);
    value += wideFolder.find(L';') != std::wstring::npos ? L'"' + wideFolder + L'"' : wideFolder;
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

bool IsNetworkFolder(std::string_view folder)
{
    if (folder.starts_with("\\\\") || folder.starts_with("//")) {
        return true;
    }
    if (folder.size() < 2 || folder[1] != ':') {
        return false;
    }
    wchar_t root[] = {static_cast<wchar_t>(folder[0]), L':', L'\\', L'\0'};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
}

FolderOwner OwnerOfFolder(std::string_view folder)
{
    NoDiskBoxes quiet;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    std::wstring path = Utf8ToWide(folder);
    // The owner points into the descriptor, which the caller frees (GetNamedSecurityInfoW).
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                              nullptr, &descriptor) != ERROR_SUCCESS) {
        return FolderOwner::Unknown;
    }
    FolderOwner kind = OwnerKind(owner);
    LocalFree(descriptor);
    return kind;
}

bool IsProgramFile(std::string_view path)
{
    NoDiskBoxes quiet;
    DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
