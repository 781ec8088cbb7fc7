// The profile (INI) reader, the same on every system.
#pragma once

#include <optional>
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

// The profile reading itself, on the bytes of a file: the value of the key in the section, both
// names given in GBK as they are compared, or nothing when the section or key is missing. The
// value is GBK, points into contents and follows the rules above.
std::optional<std::string_view> FindProfileValue(std::string_view contents, std::string_view section,
                                                 std::string_view key);
