// Knowing the phone: its identity read with the real client, once per action, and why it could not be read.
#include <gtest/gtest.h>

#include "core/phone_identity.h"
#include "support/desktop_window_fixture.h"
#include "support/phone_lab.h"

namespace {

TEST(ParseIdentity, TakesTheThreePropertiesAfterAdbsNoticesAndNothingElse)
{
    struct Row {
        const char* answer;
        std::optional<PhoneIdentity> identity;
    };
    const Row rows[] = {
        {"HONOR_X40\nA1B2\n31\n", PhoneIdentity{"HONOR_X40", "A1B2", 31}},
        {"* daemon started successfully\r\nHUAWEI P9\r\n\r\n24\r\n", PhoneIdentity{"HUAWEI P9", "", 24}},
        {"error: no devices/emulators found\n", std::nullopt},
        {"HONOR_X40\nA1B2\n", std::nullopt},
        {"HONOR_X40\nA1B2\nthirty\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        std::optional<PhoneIdentity> parsed = ParseIdentity(row.answer);
        ASSERT_EQ(parsed.has_value(), row.identity.has_value());
        if (parsed) {
            EXPECT_EQ(parsed->model, row.identity->model);
            EXPECT_EQ(parsed->serial, row.identity->serial);
            EXPECT_EQ(parsed->sdk, row.identity->sdk);
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
    EXPECT_EQ(phone.Commands()[0], "adb shell getprop ro.product.model;getprop ro.serialno;getprop ro.build.version.sdk");
    {
        ActionScope action;
        ActionPhone();
    }
    EXPECT_EQ(phone.Commands().size(), 2u);
}

}  // namespace
