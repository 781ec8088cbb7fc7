// Fuzzes reading a log back as a journal and planning from it: whatever the file holds, a plan runs
// only the program's own package and setting commands and companion scripts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/journal.h"
#include "core/phone_changes.h"
#include "fuzz/check.h"

namespace {

void CheckSteps(const Plan& plan)
{
    FUZZ_CHECK(plan.skipped >= 0);
    for (const PlanStep& step : plan.steps) {
        FUZZ_CHECK(step.script.empty() != step.commands.empty());
        for (const std::string& command : step.commands) {
            FUZZ_CHECK(ChangeOf(command).has_value());
        }
        FUZZ_CHECK(step.script.find_first_of(" \t\r\n&|<>^%\"") == std::string::npos);
        FUZZ_CHECK(step.scriptTwin.find_first_of(" \t\r\n&|<>^%\"") == std::string::npos);
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
    CheckSteps(PlanUndo(records));
    CheckSteps(PlanReapply(records));
    return 0;
}
