// Knowing the phone: what its one read answers, as adb hands it over.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/phone_identity.h"

namespace {

// The properties, the switched-off list, then each other read after its echoed line: a read whose
// line is missing or out of order is not known, and neither are those after it.
TEST(ParsePhoneFacts, TakesTheThreePropertiesAfterAdbsNoticesThenTheListsAndSettingsAfterTheirLines)
{
    using Set = std::set<std::string>;
    using Answers = std::map<std::string, std::string>;
    const ActionReads both{true, {{"global", "window_animation_scale"}}};
    struct Row {
        const char* answer;
        std::optional<PhoneIdentity> identity;
        std::optional<Set> disabled;
        ActionReads reads = {};
        std::optional<Set> installed = std::nullopt;
        Answers settings = {};
    };
    const Row rows[] = {
        {"HONOR_X40\nA1B2\n31\n", PhoneIdentity{"HONOR_X40", "A1B2", 31}, Set{}},
        {"HONOR_X40\nA1B2\n31\n\n", PhoneIdentity{"HONOR_X40", "A1B2", 31}, Set{}},
        {"* daemon started successfully\r\nHUAWEI P9\r\n\r\n24\r\npackage:a.b\r\npackage:c\r\n",
         PhoneIdentity{"HUAWEI P9", "", 24}, Set{"a.b", "c"}},
        {"HONOR_X40\nA1B2\n31\nError: java.lang.SecurityException\n", PhoneIdentity{"HONOR_X40", "A1B2", 31},
         std::nullopt},
        {"M\nS\n31\npackage:a\n=installed\npackage:a\npackage:b\n=setting\n1.0\n", PhoneIdentity{"M", "S", 31}, Set{"a"},
         both, Set{"a", "b"}, Answers{{"setting global window_animation_scale", "1.0\n"}}},
        {"M\nS\n31\n=installed\n=setting\nnull\n", PhoneIdentity{"M", "S", 31}, Set{}, both, Set{},
         Answers{{"setting global window_animation_scale", "null\n"}}},
        {"M\nS\n31\n=setting\n1.0\n", PhoneIdentity{"M", "S", 31}, Set{}, both},
        {"M\nS\n31\npackage:a\n", PhoneIdentity{"M", "S", 31}, Set{"a"}, both},
        {"M\nS\n31\n=installed\npackage:a\n", PhoneIdentity{"M", "S", 31}, Set{}},
        {"error: no devices/emulators found\n", std::nullopt, std::nullopt},
        {"HONOR_X40\nA1B2\n", std::nullopt, std::nullopt},
        {"HONOR_X40\nA1B2\nthirty\n", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        std::optional<PhoneFacts> parsed = ParsePhoneFacts(row.answer, row.reads);
        ASSERT_EQ(parsed.has_value(), row.identity.has_value());
        if (parsed) {
            EXPECT_EQ(parsed->identity.model, row.identity->model);
            EXPECT_EQ(parsed->identity.serial, row.identity->serial);
            EXPECT_EQ(parsed->identity.sdk, row.identity->sdk);
            EXPECT_EQ(parsed->disabledPackages, row.disabled);
            EXPECT_EQ(parsed->installedPackages, row.installed);
            EXPECT_EQ(parsed->settingAnswers, row.settings);
        }
    }
}

}  // namespace
