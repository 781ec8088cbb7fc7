// Knowing the phone: what its one read answers, as adb hands it over.
#include <gtest/gtest.h>

#include <set>

#include "core/phone_identity.h"

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

}  // namespace
