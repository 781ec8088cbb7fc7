// The fake phone of a test: environment for the fake adb, its command log and its phone file.
#include "support/fake_phone.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "fake_adb/phone_file.h"

namespace {

// On Windows the value is handed over as UTF-16, which is how the fake adb reads paths.
void SetVariable(const std::string& name, const std::string& value)
{
#ifdef _WIN32
    _wputenv_s(Utf8Path(name).c_str(), Utf8Path(value).c_str());
#else
    setenv(name.c_str(), value.c_str(), 1);
#endif
}

void RemoveVariable(const std::string& name)
{
#ifdef _WIN32
    _putenv_s(name.c_str(), "");  // an empty value removes it
#else
    unsetenv(name.c_str());
#endif
}

// A fresh name in the temporary folder, in UTF-8, without its extension.
std::string FreshPathStem()
{
    static std::atomic<int> counter{0};
    std::random_device random;
    auto name = "pellucor-fake-adb-" + std::to_string(random()) + "-" + std::to_string(counter++);
    std::u8string path = (std::filesystem::temp_directory_path() / name).u8string();
    return std::string(path.begin(), path.end());
}

std::string FullName(std::string_view variable)
{
    std::string name(variable);
    return name.starts_with("FAKE_ADB_") ? name : "FAKE_ADB_" + name;
}

// A new package list is a new phone: packages kept from the last one would overrule the list.
void ForgetPackages(const std::string& phonePath)
{
    PhoneFile phone = ReadPhoneFile(Utf8Path(phonePath));
    phone.onlyListedPackages = false;
    phone.packages.clear();
    WritePhoneFile(Utf8Path(phonePath), phone);
}

// A seeding the file could not hold would make the test check a phone other than the one it
// describes, so it stops the test instead.
void SeedInto(const std::string& phonePath, const PhoneFile& phone)
{
    if (!WritePhoneFile(Utf8Path(phonePath), phone)) {
        throw std::runtime_error("cannot write the fake phone's file " + phonePath);
    }
}

}  // namespace

FakePhone::FakePhone(std::string_view state)
{
    std::string stem = FreshPathStem();
    logPath_ = stem + ".log";
    phonePath_ = stem + ".phone";
    std::ofstream(Utf8Path(logPath_), std::ios::binary | std::ios::trunc);
    Set("FAKE_ADB_LOG", logPath_);
    Set("FAKE_ADB_PHONE", phonePath_);
    SetState(state);
}

FakePhone::~FakePhone()
{
    for (const auto& name : setVariables_) {
        RemoveVariable(name);
    }
    std::error_code ignored;
    std::filesystem::remove(Utf8Path(logPath_), ignored);
    std::filesystem::remove(Utf8Path(phonePath_), ignored);
}

void FakePhone::SetState(std::string_view state) { Set("FAKE_ADB_STATE", state); }

void FakePhone::Set(std::string_view variable, std::string_view value)
{
    std::string name = FullName(variable);
    SetVariable(name, std::string(value));
    setVariables_.push_back(name);
    if (name == "FAKE_ADB_PACKAGES") {
        ForgetPackages(phonePath_);
    }
}

void FakePhone::Unset(std::string_view variable)
{
    std::string name = FullName(variable);
    RemoveVariable(name);
    if (name == "FAKE_ADB_PACKAGES") {
        ForgetPackages(phonePath_);
    }
}

std::vector<std::string> FakePhone::Commands() const
{
    std::vector<std::string> commands;
    std::ifstream log(Utf8Path(logPath_), std::ios::binary);
    for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        commands.push_back(line);
    }
    return commands;
}

std::vector<std::string> FakePhone::Changes() const
{
    std::vector<std::string> changes = Commands();
    std::erase_if(changes, [](const std::string& command) {
        return command.starts_with("adb shell pm list packages --user 0 ") || command.starts_with("adb shell settings get ");
    });
    return changes;
}


void FakePhone::ClearCommands() { std::ofstream(Utf8Path(logPath_), std::ios::binary | std::ios::trunc); }

void FakePhone::SeedPackage(std::string_view name, std::string_view state)
{
    if (name.empty() || name.find_first_of(" \t\r\n") != std::string_view::npos || !IsPackageState(state)) {
        throw std::invalid_argument("no package can be seeded as \"" + std::string(name) + "\" " + std::string(state));
    }
    PhoneFile phone = ReadPhoneFile(Utf8Path(phonePath_));
    phone.onlyListedPackages = true;
    phone.packages[std::string(name)].state = state;
    SeedInto(phonePath_, phone);
}

void FakePhone::ProtectPackage(std::string_view name)
{
    if (!Packages().contains(std::string(name))) {
        SeedPackage(name, "installed");
    }
    PhoneFile phone = ReadPhoneFile(Utf8Path(phonePath_));
    phone.onlyListedPackages = true;
    phone.packages[std::string(name)].isProtected = true;
    SeedInto(phonePath_, phone);
}

void FakePhone::SeedSetting(std::string_view space, std::string_view key, std::string_view value)
{
    bool oneWord = !key.empty() && key.find_first_of(" \t\r\n") == std::string_view::npos;
    if ((space != "system" && space != "secure" && space != "global") || !oneWord ||
        value.find_first_of("\r\n") != std::string_view::npos) {
        throw std::invalid_argument("no setting can be seeded as " + std::string(space) + " " + std::string(key));
    }
    PhoneFile phone = ReadPhoneFile(Utf8Path(phonePath_));
    phone.settings[std::string(space) + " " + std::string(key)] = value;
    SeedInto(phonePath_, phone);
}

void FakePhone::ReinstallRemoved()
{
    PhoneFile phone = ReadPhoneFile(Utf8Path(phonePath_));
    for (auto& [name, package] : phone.packages) {
        if (package.state == "uninstalled") {
            package.state = "installed";
        }
    }
    SeedInto(phonePath_, phone);
}

std::map<std::string, std::string> FakePhone::Packages() const
{
    std::map<std::string, std::string> states;
    for (const auto& [name, package] : ReadPhoneFile(Utf8Path(phonePath_)).packages) {
        states[name] = package.state;
    }
    return states;
}

std::map<std::string, std::string> FakePhone::Settings() const
{
    return ReadPhoneFile(Utf8Path(phonePath_)).settings;
}
