// The fake phone of a test: points the fake adb beside the test program at a fresh log, a state and a phone file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/phone_files.h"

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
