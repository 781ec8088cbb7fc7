// The fake phone of a test: points the fake adb beside the test program at a fresh log and a state.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// While it exists, every adb the test starts (directly or through the interpreter) logs into a
// log file of its own and answers like a phone in the given state; see tests/fake_adb/README.md for
// the states and the other FAKE_ADB_ variables. Its destructor removes the log and every
// FAKE_ADB_ variable it set. One at a time.
class FakePhone {
public:
    explicit FakePhone(std::string_view state = "device");
    ~FakePhone();
    FakePhone(const FakePhone&) = delete;
    FakePhone& operator=(const FakePhone&) = delete;

    void SetState(std::string_view state);
    // Any FAKE_ADB_ variable, e.g. Set("FAKE_ADB_LINE_END", "lf"); name without the prefix works too.
    // On Windows an empty value removes the variable: write "," for a phone without packages.
    void Set(std::string_view variable, std::string_view value);
    // Back to the variable's default, e.g. Unset("PACKAGES") for a phone with every package.
    void Unset(std::string_view variable);

    // Every command line adb received so far, in order: "adb" and its arguments joined by blanks.
    std::vector<std::string> Commands() const;
    // The same without the reads the program makes before each change ("pm list packages",
    // "settings get"): the commands that change the phone or its link, and the user's own.
    std::vector<std::string> Changes() const;
    void ClearCommands();
    const std::string& LogPath() const { return logPath_; }

private:
    std::string logPath_;
    std::vector<std::string> setVariables_;
};
