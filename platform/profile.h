// The profile (INI) reader, the same on every system.
#pragma once

#include <string>
#include <string_view>

// The value of the key in the section of the GBK profile file at path, as UTF-8, or the default
// when the file, section or key is missing. Characters up to blank (code 32) are skipped at the
// start of path, section and key; if one of them is then empty, the result is the empty text.
// Names match ASCII case-insensitively; blanks around the value and one pair of enclosing quotes
// are dropped; the first occurrence of a section or key wins; lines starting with ';' are
// comments; values are cut to 10239 bytes of GBK at a character boundary.
std::string ReadIniItem(std::string_view path, std::string_view section, std::string_view key,
                        std::string_view defaultValue);
