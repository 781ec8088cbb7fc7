// Knowing the phone: its identity read with the real client, once per action, and why it could not be read.
#include <gtest/gtest.h>

#include <set>

#include "core/phone_identity.h"
#include "support/desktop_window_fixture.h"
#include "support/phone_lab.h"

namespace {

TEST(ParsePhoneFacts, TakesTheThreePropertiesAfterAdbsNoticesThenTheSwitchedOffPackages)
{
    using Set = std::set<std::string>;
    struct Row {
        const char* answer;
        std::optional<PhoneIdentity> identity;
        std::optional<Set> disabled;
    };
    const Row rows[] = {
        {"HONOR_X40\nA1B2\n31\n", PhoneIdentity{"HONOR_X40", "A1B2", 31}, Set{}},
        {"* daemon started successfully\r\nHUAWEI P9\r\n\r\n24\r\npackage:a.b\r\npackage:c\r\n",
         PhoneIdentity{"HUAWEI P9", "", 24}, Set{"a.b", "c"}},
        {"HONOR_X40\nA1B2\n31\nError: java.lang.SecurityException\n", PhoneIdentity{"HONOR_X40", "A1B2", 31},
         std::nullopt},
        {"error: no devices/emulators found\n", std::nullopt, std::nullopt},
        {"HONOR_X40\nA1B2\n", std::nullopt, std::nullopt},
        {"HONOR_X40\nA1B2\nthirty\n", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        std::optional<PhoneFacts> parsed = ParsePhoneFacts(row.answer);
        ASSERT_EQ(parsed.has_value(), row.identity.has_value());
        if (parsed) {
            EXPECT_EQ(parsed->identity.model, row.identity->model);
            EXPECT_EQ(parsed->identity.serial, row.identity->serial);
            EXPECT_EQ(parsed->identity.sdk, row.identity->sdk);
            EXPECT_EQ(parsed->disabledPackages, row.disabled);
        }
    }
}

using PhoneReadingTest = DesktopWindowTest;

// The real client's answers: the phone with and without the shell protocol, and the causes.
TEST_F(PhoneReadingTest, ReadsThePhoneOrSaysWhyNot)
{
    PhoneLab lab;
    lab.StartServer();
    EXPECT_EQ(ReadAttachedPhone().verdict.cause, Cause::NoPhone);

    SimPhone& old = lab.Attach({.model = "HUAWEI P9", .sdk = "24", .legacyShell = true});
    PhoneReading reading = ReadAttachedPhone();
    ASSERT_TRUE(reading.phone);
    EXPECT_EQ(reading.phone->Name(), "HUAWEI P9（SIM" + old.Serial().substr(old.Serial().find(':') + 1) + "）");
    EXPECT_FALSE(CanRestoreRemovals(*reading.phone));

    lab.Attach({.model = "HONOR_X40"});
    EXPECT_EQ(ReadAttachedPhone().verdict.cause, Cause::SeveralPhones);
}

// One read per action, however many changes it makes; the next action reads again.
TEST_F(PhoneReadingTest, ScopeReadsOnceAndForgetsWhenItEnds)
{
    PhoneLab lab;
    SimPhone& phone = lab.Attach({.model = "HONOR_X40"});
    {
        ActionScope action;
        EXPECT_EQ(ActionPhone().phone->model, "HONOR_X40");
        EXPECT_EQ(ActionPhone().phone->model, "HONOR_X40");
    }
    ASSERT_EQ(phone.Commands().size(), 1u);
    EXPECT_EQ(phone.Commands()[0], "adb shell getprop ro.product.model;getprop ro.serialno;getprop ro.build.version.sdk;"
                                   "pm list packages --user 0 -d");
    {
        ActionScope action;
        ActionPhone();
    }
    EXPECT_EQ(phone.Commands().size(), 2u);
}

}  // namespace
