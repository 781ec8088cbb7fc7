// The catalogue lookup: one profile read per call, nothing cached; and what is said when it finds nothing.
#include "catalogue/catalogue.h"

#include <utility>

#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"

namespace {

bool IsBlank(std::string_view value)
{
    return value.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos;
}

}  // namespace

std::string CataloguePath() { return JoinPath(ProgramDirectory(), "databank.ini"); }

CatalogueEntry CatalogueLookup(std::string_view section, std::string_view key)
{
    ProfileItem item = ReadProfileItem(CataloguePath(), section, key);
    switch (item.state) {
    case ProfileItemState::FileMissing: return {CatalogueState::FileMissing, {}};
    case ProfileItemState::FileUnreadable: return {CatalogueState::FileUnreadable, {}};
    case ProfileItemState::ItemMissing: return {CatalogueState::KeyMissing, {}};
    case ProfileItemState::Found: break;
    }
    if (IsBlank(item.value)) {
        return {CatalogueState::ValueBlank, {}};
    }
    return {CatalogueState::Found, std::move(item.value)};
}

std::string NothingToRunLine(const CatalogueEntry& entry, std::string_view section, std::string_view key,
                             std::string_view what)
{
    switch (entry.state) {
    case CatalogueState::FileMissing:
        return JoinText({"未找到 databank.ini（查找位置：", CataloguePath(), "），未运行任何命令\r\n"});
    case CatalogueState::FileUnreadable:
        return JoinText({"未能读取 databank.ini（查找位置：", CataloguePath(), "），未运行任何命令\r\n"});
    case CatalogueState::KeyMissing:
    case CatalogueState::ValueBlank:
    case CatalogueState::Found:
        break;
    }
    return JoinText({"databank.ini 中 [", section, "] ", key, " 没有", what, "，未运行\r\n"});
}
