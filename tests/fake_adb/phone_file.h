// The fake phone's state file: its packages and settings, shared by the fake adb and the tests' FakePhone.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

// The file is read and written whole, one entry a line (LF; a CR before it is dropped):
//   package NAME STATE [protected]   STATE: installed (for user 0, enabled), disabled-user,
//                                    disabled, uninstalled (for user 0, still on the phone)
//   setting NAMESPACE KEY VALUE      VALUE: the rest of the line
//   only-listed-packages             the phone has no packages but those listed
// A line of any other shape is skipped, so a damaged line loses its own entry and nothing else.
struct PhonePackage {
    std::string state;
    bool isProtected = false;  // the system refuses to uninstall it
};

struct PhoneFile {
    bool onlyListedPackages = false;
    std::map<std::string, PhonePackage> packages;
    std::map<std::string, std::string> settings;  // "NAMESPACE KEY" -> value
};

bool IsPackageState(std::string_view state);

// A missing or unreadable file reads as an empty phone file.
PhoneFile ReadPhoneFile(const std::filesystem::path& path);
// Writes a fresh copy beside the file and renames it over the file, so that an adb started at the
// same moment reads the old state or the new one, never half of one. False when nothing could be written.
bool WritePhoneFile(const std::filesystem::path& path, const PhoneFile& phone);

// A path from UTF-8 text: on Windows it reaches the file system as UTF-16, Chinese names intact.
std::filesystem::path Utf8Path(std::string_view text);
