// Fuzzes reading a log back as a journal and planning from it: whatever the file holds, a plan runs
// only the program's own package and setting commands, and names only records it was given.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/journal.h"
#include "core/phone_changes.h"
#include "fuzz/check.h"

namespace {

// Two scripts that take back each other's work, as the companion scripts declare them.
const ScriptChanges kScripts = {
    {"goolgle_dis.sh", {*ChangeOf("adb shell pm disable-user com.google.android.gms"),
                        *ChangeOf("adb shell pm disable-user com.android.vending")}},
    {"goolgle_abl.sh", {*ChangeOf("adb shell pm enable com.google.android.gms"),
                        *ChangeOf("adb shell pm enable com.android.vending")}},
};

// Every change of a step is of the step's one subject, and its command line is the program's own.
void CheckSteps(const Plan& plan, std::size_t records)
{
    for (std::size_t at : plan.skipped) {
        FUZZ_CHECK(at < records);
    }
    for (const PlanStep& step : plan.steps) {
        FUZZ_CHECK(!step.changes.empty());
        for (const PhoneChange& change : step.changes) {
            FUZZ_CHECK(change.Subject() == step.changes.front().Subject());
            FUZZ_CHECK(ChangeOf(change.CommandLine()) == change);
        }
    }
}

}  // namespace

// The bytes are a log's lines, split at LF.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<JournalRecord> records;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        if (auto record = ParseRecord(text.substr(0, end))) {
            FUZZ_CHECK(record->time.size() == 19);
            records.push_back(std::move(*record));
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    CheckSteps(PlanUndo(records, kScripts), records.size());
    CheckSteps(PlanReapply(records, kScripts), records.size());
    return 0;
}
