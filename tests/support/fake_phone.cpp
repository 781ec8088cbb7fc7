// The fake phone of a test: environment for the fake adb and its command log.
#include "support/fake_phone.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

void SetVariable(const std::string& name, const std::string& value)
{
#ifdef _WIN32
    _putenv_s(name.c_str(), value.c_str());
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

std::string FreshLogPath()
{
    static std::atomic<int> counter{0};
    std::random_device random;
    auto name = "pellucor-fake-adb-" + std::to_string(random()) + "-" + std::to_string(counter++) + ".log";
    return (std::filesystem::temp_directory_path() / name).string();
}

std::string FullName(std::string_view variable)
{
    std::string name(variable);
    return name.starts_with("FAKE_ADB_") ? name : "FAKE_ADB_" + name;
}

}  // namespace

FakePhone::FakePhone(std::string_view state) : logPath_(FreshLogPath())
{
    std::ofstream(logPath_, std::ios::binary | std::ios::trunc);
    Set("FAKE_ADB_LOG", logPath_);
    SetState(state);
}

FakePhone::~FakePhone()
{
    for (const auto& name : setVariables_) {
        RemoveVariable(name);
    }
    std::error_code ignored;
    std::filesystem::remove(logPath_, ignored);
}

void FakePhone::SetState(std::string_view state) { Set("FAKE_ADB_STATE", state); }

void FakePhone::Set(std::string_view variable, std::string_view value)
{
    std::string name = FullName(variable);
    SetVariable(name, std::string(value));
    setVariables_.push_back(name);
}

void FakePhone::Unset(std::string_view variable) { RemoveVariable(FullName(variable)); }

std::vector<std::string> FakePhone::Commands() const
{
    std::vector<std::string> commands;
    std::ifstream log(logPath_, std::ios::binary);
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

void FakePhone::ClearCommands() { std::ofstream(logPath_, std::ios::binary | std::ios::trunc); }
