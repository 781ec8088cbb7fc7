// The package catalogue databank.ini beside the program: app labels to Android package names.
#pragma once

#include <string>
#include <string_view>

// What a lookup gives when the file, the section or the key is missing.
inline constexpr std::string_view kNoCommandInput = "没有命令输入";

// The value of the key in the section of databank.ini in the program's directory, or
// kNoCommandInput. The file is read afresh on every call, so an edit takes effect at once.
std::string CatalogueLookup(std::string_view section, std::string_view key);
