// The fake phone of a test: environment for the fake adb beside the test program.
#include "support/fake_phone.h"

#include <cstdlib>
#include <filesystem>

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

std::string FullName(std::string_view variable)
{
    std::string name(variable);
    return name.starts_with("FAKE_ADB_") ? name : "FAKE_ADB_" + name;
}

}  // namespace

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
        RemoveVariable(name);
    }
}

void FakePhone::SetState(std::string_view state) { Set("FAKE_ADB_STATE", state); }

void FakePhone::Set(std::string_view variable, std::string_view value)
{
    std::string name = FullName(variable);
    SetVariable(name, std::string(value));
    setVariables_.push_back(name);
    if (name == "FAKE_ADB_PACKAGES") {
        ForgetPackages();
    }
}

void FakePhone::Unset(std::string_view variable)
{
    std::string name = FullName(variable);
    RemoveVariable(name);
    if (name == "FAKE_ADB_PACKAGES") {
        ForgetPackages();
    }
}
