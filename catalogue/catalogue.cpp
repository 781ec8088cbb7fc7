// The catalogue lookup: one profile read per call, nothing cached.
#include "catalogue/catalogue.h"

#include "platform/profile.h"
#include "platform/system.h"

std::string CatalogueLookup(std::string_view section, std::string_view key)
{
    std::string path = JoinPath(ProgramDirectory(), "databank.ini");
    return ReadIniItem(path, section, key, kNoCommandInput);
}
