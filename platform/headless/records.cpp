// Headless records of the programs started, the web addresses opened and the paintings.
#include "platform/headless/records.h"

#include <string>
#include <utility>

#include "platform/headless/live_window.h"
#include "platform/posix/launch.h"

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

void RecordStart(std::string_view commandLine, bool waitForExit, int showState)
{
    Record().programs.push_back({std::string(commandLine), waitForExit, showState});
}

void RecordAddress(std::string_view address) { Record().addresses.emplace_back(address); }

}  // namespace

std::vector<StartedProgram> StartedPrograms() { return Record().programs; }
std::vector<std::string> OpenedAddresses() { return Record().addresses; }
std::vector<Painting> Paintings() { return Record().paintings; }

void detail::RecordStarts() { SetLaunchRecorder({RecordStart, RecordAddress}); }
void detail::RecordPainting(Painting painting) { Record().paintings.push_back(std::move(painting)); }
void detail::ClearRecords() { Record() = {}; }

}  // namespace headless
