// The stand-in phones' state file and shell commands, shared by the fake adb, the simulated phone and the tests' phones.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

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

// A missing or unreadable file reads as an empty phone file.
PhoneFile ReadPhoneFile(const std::filesystem::path& path);
// Writes a fresh copy beside the file and renames it over the file, so that an adb started at the
// same moment reads the old state or the new one, never half of one. False when nothing could be written.
bool WritePhoneFile(const std::filesystem::path& path, const PhoneFile& phone);

// A path from UTF-8 text: on Windows it reaches the file system as UTF-16, Chinese names intact.
std::filesystem::path Utf8Path(std::string_view text);
// The path as UTF-8 text, the other way round.
std::string Utf8Of(const std::filesystem::path& path);

using Args = std::vector<std::string>;

// What a command prints and returns: "out" is standard output, "err" standard error; lines get
// the line end when written.
struct Answer {
    std::vector<std::string> out;
    std::vector<std::string> err;
    int exitCode = 0;
};

inline Answer Out(std::vector<std::string> lines) { return {std::move(lines), {}, 0}; }

// The words from the one at "from" on, joined by blanks.
std::string Join(const Args& words, std::size_t from);

// The phone's properties that `getprop NAME` answers (ro.build.version.sdk among them: before 26,
// Android 8.0, there is no install-existing); any other name answers an empty line.
using PhoneProperties = std::map<std::string, std::string>;

// One shell command line, as the phone's shell runs it: commands separated by ';' one after the
// other, their answers joined and the last one's exit status; echo (its words on one line),
// getprop, pm and settings on the state kept in the file (none: nothing is kept),
// which is written back when they change it; every other command answers with nothing. A package
// the file does not name is on the phone, `installed`, when its name is letters, digits, '.' and
// '_' (the any-name rule), unless the file lists only its packages.
Answer ShellOnPhone(const std::string& commandLine, const std::filesystem::path& file, const PhoneProperties& properties);
