// Headless records of the programs started, the web addresses opened (only recorded) and the paintings.
#include "platform/headless/records.h"

#include <utility>

#include "platform/process.h"

#include "platform/headless/state.h"

namespace headless {

namespace {

struct StartRecord {
    std::vector<StartedProgram> programs;
    std::vector<std::string> addresses;
    std::vector<Painting> paintings;
};

StartRecord& Record()
{
    static StartRecord record;
    return record;
}

}  // namespace

std::vector<StartedProgram> StartedPrograms() { return Record().programs; }
std::vector<std::string> OpenedAddresses() { return Record().addresses; }
std::vector<Painting> Paintings() { return Record().paintings; }

void detail::RecordStart(StartedProgram program) { Record().programs.push_back(std::move(program)); }
void detail::RecordAddress(std::string_view address) { Record().addresses.emplace_back(address); }
void detail::RecordPainting(Painting painting) { Record().paintings.push_back(std::move(painting)); }
void detail::ClearRecords() { Record() = {}; }

}  // namespace headless

void OpenWebAddress(std::string_view address) { headless::detail::RecordAddress(address); }
