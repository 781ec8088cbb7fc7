// A test's phone: a fresh log and phone file, seeded and read back; the fake adb's variables set for them.
#include "support/fake_phone.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "fake_adb/phone_services.h"
#include "platform/search_path.h"

namespace {

// A fresh name in the temporary folder, in UTF-8, without its extension.
std::string FreshPathStem()
{
    static std::atomic<int> counter{0};
    std::random_device random;
    auto name = "pellucor-test-phone-" + std::to_string(random()) + "-" + std::to_string(counter++);
    return Utf8Of(std::filesystem::temp_directory_path() / name);
}

// The phone file read, changed and written back. A seeding the file could not hold would make the
// test check a phone other than the one it describes, so it stops the test instead.
template <typename Change>
void Edit(const std::string& phonePath, Change change)
{
    PhoneFile phone = ReadPhoneFile(Utf8Path(phonePath));
    change(phone);
    if (!WritePhoneFile(Utf8Path(phonePath), phone)) {
        throw std::runtime_error("cannot write the test phone's file " + phonePath);
    }
}

std::string FullName(std::string_view variable)
{
    std::string name(variable);
    return name.starts_with("FAKE_ADB_") ? name : "FAKE_ADB_" + name;
}

}  // namespace

PhoneFiles::PhoneFiles()
{
    std::string stem = FreshPathStem();
    logPath_ = stem + ".log";
    phonePath_ = stem + ".phone";
    std::ofstream(Utf8Path(logPath_), std::ios::binary | std::ios::trunc);
}

PhoneFiles::~PhoneFiles()
{
    std::error_code ignored;
    std::filesystem::remove(Utf8Path(logPath_), ignored);
    std::filesystem::remove(Utf8Path(phonePath_), ignored);
}

void PhoneFiles::ForgetPackages(std::optional<std::string_view> onlyThese)
{
    Edit(phonePath_, [&](PhoneFile& phone) {
        phone.onlyListedPackages = onlyThese.has_value();
        phone.packages.clear();
        std::istringstream names{std::string(onlyThese.value_or(""))};
        for (std::string name; std::getline(names, name, ',');) {
            if (!name.empty()) {
                phone.packages[name].state = "installed";
            }
        }
    });
}

std::vector<std::string> PhoneFiles::Commands() const
{
    std::vector<std::string> commands;
    std::ifstream log(Utf8Path(logPath_), std::ios::binary);
    for (std::string line; std::getline(log, line);) {
        commands.push_back(line);
    }
    return commands;
}

std::vector<std::string> PhoneFiles::Changes() const
{
    std::vector<std::string> changes = Commands();
    std::erase_if(changes, [](const std::string& command) {
        return command.starts_with("adb shell pm list packages --user 0 ") || command.starts_with("adb shell settings get ") ||
               command.starts_with("adb shell getprop ro.product.model;");
    });
    return changes;
}

void PhoneFiles::ClearCommands() { std::ofstream(Utf8Path(logPath_), std::ios::binary | std::ios::trunc); }

void PhoneFiles::SeedPackage(std::string_view name, std::string_view state)
{
    Edit(phonePath_, [&](PhoneFile& phone) {
        phone.onlyListedPackages = true;
        phone.packages[std::string(name)].state = state;
    });
}

void PhoneFiles::ProtectPackage(std::string_view name)
{
    Edit(phonePath_, [&](PhoneFile& phone) {
        phone.onlyListedPackages = true;
        phone.packages.try_emplace(std::string(name), PhonePackage{"installed"}).first->second.isProtected = true;
    });
}

void PhoneFiles::SeedSetting(std::string_view space, std::string_view key, std::string_view value)
{
    Edit(phonePath_, [&](PhoneFile& phone) { phone.settings[std::string(space) + " " + std::string(key)] = value; });
}

void PhoneFiles::ReinstallRemoved()
{
    Edit(phonePath_, [](PhoneFile& phone) {
        for (auto& [name, package] : phone.packages) {
            package.state = package.state == "uninstalled" ? "installed" : package.state;
        }
    });
}

std::map<std::string, std::string> PhoneFiles::Packages() const
{
    std::map<std::string, std::string> states;
    for (const auto& [name, package] : ReadPhoneFile(Utf8Path(phonePath_)).packages) {
        states[name] = package.state;
    }
    return states;
}

std::map<std::string, std::string> PhoneFiles::Settings() const
{
    return ReadPhoneFile(Utf8Path(phonePath_)).settings;
}

void PutStandInBack()
{
#ifndef _WIN32
    std::filesystem::path adb = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "adb";
    std::filesystem::path standIn = adb.string() + ".stand-in";
    if (std::filesystem::exists(standIn)) {
        std::filesystem::remove(adb);
        std::filesystem::rename(standIn, adb);
    }
#endif
}

FakePhone::FakePhone(std::string_view state)
{
    PutStandInBack();
    Set("FAKE_ADB_LOG", LogPath());
    Set("FAKE_ADB_PHONE", PhonePath());
    SetState(state);
}

FakePhone::~FakePhone()
{
    for (const auto& name : setVariables_) {
        SetProcessVariable(name, std::nullopt);
    }
}

void FakePhone::SetState(std::string_view state) { Set("FAKE_ADB_STATE", state); }

void FakePhone::Set(std::string_view variable, std::string_view value)
{
    std::string name = FullName(variable);
    if (name == "FAKE_ADB_PACKAGES") {
        ForgetPackages(value);
        return;
    }
    SetProcessVariable(name, value);
    setVariables_.push_back(name);
}

void FakePhone::Unset(std::string_view variable)
{
    std::string name = FullName(variable);
    if (name == "FAKE_ADB_PACKAGES") {
        ForgetPackages();
    } else {
        SetProcessVariable(name, std::nullopt);
    }
}
