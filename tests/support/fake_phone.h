// A test's phone: its log and phone file, seeded and read back; the fake phone points the fake adb at them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Both files are fresh ones in the temporary folder, removed by the destructor. The phone file's
// format is tests/fake_adb/phone_services.h; the fake adb and the simulated phone both keep it.
class PhoneFiles {
public:
    PhoneFiles();
    ~PhoneFiles();
    PhoneFiles(const PhoneFiles&) = delete;
    PhoneFiles& operator=(const PhoneFiles&) = delete;

    // Every command that reached the phone so far, in order: "adb" and its arguments joined by blanks.
    std::vector<std::string> Commands() const;
    // The same without the reads the program makes before a change (the phone's identity, "pm list
    // packages", "settings get"): the commands that change the phone or its link, and the user's own.
    std::vector<std::string> Changes() const;
    void ClearCommands();
    const std::string& LogPath() const { return logPath_; }

    // A package on the phone in the state "installed" (for user 0, enabled), "disabled-user",
    // "disabled" or "uninstalled" (for user 0, still on the phone). Once one is seeded, the phone
    // has only seeded packages: the any-name rule no longer counts. The name is one word.
    void SeedPackage(std::string_view name, std::string_view state);
    // Uninstalling the package fails as for a package the system refuses to delete. A seeding like
    // SeedPackage; a package the phone file lacks is seeded "installed".
    void ProtectPackage(std::string_view name);
    // A setting of the namespace "system", "secure" or "global"; the value may not hold a line break.
    void SeedSetting(std::string_view space, std::string_view key, std::string_view value);
    // A system update: every package uninstalled for the user comes back "installed".
    void ReinstallRemoved();
    // A new phone: the packages kept so far are forgotten. It has only the packages of the
    // comma-separated list, `installed`, if one is given; otherwise any package.
    void ForgetPackages(std::optional<std::string_view> onlyThese = std::nullopt);

    // Name -> state of every package the phone file holds: those seeded and those adb calls have
    // touched (a package the any-name rule puts on the phone enters the file when a command names it).
    std::map<std::string, std::string> Packages() const;
    // "NAMESPACE KEY" -> value of every setting seeded or put and not deleted.
    std::map<std::string, std::string> Settings() const;
    const std::string& PhonePath() const { return phonePath_; }

private:
    std::string logPath_;  // UTF-8, as every path here
    std::string phonePath_;
};

// While it exists, every adb the test starts (directly or through the interpreter) logs into a
// log file of its own and answers like a phone in the given state; see tests/fake_adb/README.md for
// the states and the other FAKE_ADB_ variables. The phone's packages and settings are kept in a
// phone file of its own (FAKE_ADB_PHONE), so that each adb call sees what the earlier ones did.
// Its destructor removes the log, the phone file and every FAKE_ADB_ variable it set. One at a time.
class FakePhone : public PhoneFiles {
public:
    explicit FakePhone(std::string_view state = "device");
    ~FakePhone();

    void SetState(std::string_view state);
    // Any FAKE_ADB_ variable, e.g. Set("FAKE_ADB_LINE_END", "lf"); name without the prefix works too.
    // PACKAGES, a comma-separated list ("," for none), is a new phone with only those packages,
    // `installed`: the packages kept so far are forgotten.
    void Set(std::string_view variable, std::string_view value);
    // Back to the variable's default; Unset("PACKAGES") is a new phone with every package.
    void Unset(std::string_view variable);

private:
    std::vector<std::string> setVariables_;
};

// The phone lab sets the fake adb aside, as "adb.stand-in", while the real client stands beside the
// test program; a test program that crashed meanwhile left it there. Puts it back, if so: every
// FakePhone does, and so does every lab before it sets it aside again.
void PutStandInBack();
