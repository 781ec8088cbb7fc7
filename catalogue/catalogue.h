// The package catalogue databank.ini beside the program: app labels to Android package names.
#pragma once

#include <string>
#include <string_view>

// What a lookup found; every state but Found leaves nothing to run.
enum class CatalogueState {
    Found,
    FileMissing,
    FileUnreadable,
    KeyMissing,  // the section or the key is not in the file
    ValueBlank,  // the key is there with an empty or blank value
};

struct CatalogueEntry {
    CatalogueState state = CatalogueState::KeyMissing;
    std::string value;  // the value when found, else empty
};

// Where the catalogue is looked for: databank.ini in the program's directory.
std::string CataloguePath();

// The key in the section of the catalogue. The file is read afresh on every call, so an edit
// takes effect at once.
CatalogueEntry CatalogueLookup(std::string_view section, std::string_view key);

// The output box's line (with its line end) for an entry that leaves nothing to run: the file's
// trouble and where the program looked, or the section and key that hold no value, which is
// what the caller names (a package name, a command line).
std::string NothingToRunLine(const CatalogueEntry& entry, std::string_view section, std::string_view key,
                             std::string_view what);
