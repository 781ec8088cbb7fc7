// The fake phone of a test: environment for the fake adb beside the test program.
#include "support/fake_phone.h"

#include <filesystem>

#include "platform/search_path.h"

namespace {

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
