// The fake phone of a test: points the fake adb beside the test program at a fresh log, a state and a phone file.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// While it exists, every adb the test starts (directly or through the interpreter) logs into a
// log file of its own and answers like a phone in the given state; see tests/fake_adb/README.md for
// the states and the other FAKE_ADB_ variables. The phone's packages and settings are kept in a
// phone file of its own (FAKE_ADB_PHONE), so that each adb call sees what the earlier ones did.
// Its destructor removes the log, the phone file and every FAKE_ADB_ variable it set. One at a time.
class FakePhone {
public:
    explicit FakePhone(std::string_view state = "device");
    ~FakePhone();
    FakePhone(const FakePhone&) = delete;
    FakePhone& operator=(const FakePhone&) = delete;

    void SetState(std::string_view state);
    // Any FAKE_ADB_ variable, e.g. Set("FAKE_ADB_LINE_END", "lf"); name without the prefix works too.
    // On Windows an empty value removes the variable: write "," for a phone without packages.
    // Setting PACKAGES describes a new phone: the packages kept so far are forgotten.
    void Set(std::string_view variable, std::string_view value);
    // Back to the variable's default, e.g. Unset("PACKAGES") for a phone with every package (kept
    // packages forgotten, as by Set).
    void Unset(std::string_view variable);

    // Every command line adb received so far, in order: "adb" and its arguments joined by blanks.
    std::vector<std::string> Commands() const;
    // The same without the reads the program makes before each change ("pm list packages",
    // "settings get"): the commands that change the phone or its link, and the user's own.
    std::vector<std::string> Changes() const;
    void ClearCommands();
    const std::string& LogPath() const { return logPath_; }

    // A package on the phone in the state "installed" (for user 0, enabled), "disabled-user",
    // "disabled" or "uninstalled" (for user 0, still on the phone). Once one is seeded, the phone
    // has only seeded packages: FAKE_ADB_PACKAGES and the any-name rule no longer count. The name
    // is one word.
    void SeedPackage(std::string_view name, std::string_view state);
    // Uninstalling the package fails as for a package the system refuses to delete. A seeding like
    // SeedPackage; a package the phone file lacks is seeded "installed".
    void ProtectPackage(std::string_view name);
    // A setting of the namespace "system", "secure" or "global"; the value may not hold a line break.
    void SeedSetting(std::string_view space, std::string_view key, std::string_view value);
    // A system update: every package uninstalled for the user comes back "installed".
    void ReinstallRemoved();

    // Name -> state of every package the phone file holds: those seeded and those adb calls have
    // touched (a package the any-name rule puts on the phone enters the file when a command names it).
    std::map<std::string, std::string> Packages() const;
    // "NAMESPACE KEY" -> value of every setting seeded or put and not deleted.
    std::map<std::string, std::string> Settings() const;
    const std::string& PhonePath() const { return phonePath_; }

private:
    std::string logPath_;  // UTF-8, as every path here
    std::string phonePath_;
    std::vector<std::string> setVariables_;
};
