// The profile (INI) reader, the same on every system.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The rules of every reading: names match ASCII case-insensitively; blanks around the value and
// one pair of enclosing quotes are dropped; the first occurrence of a section or key wins; lines
// starting with ';' are comments; a zero byte ends a value; values are cut at a character
// boundary to 10239 bytes, of GBK in a GBK file and of UTF-8 in the others. The file may be
// written in GBK, UTF-8 or UTF-16, as Notepad saves it (see DetectProfileEncoding); values come
// back as UTF-8.

// What the profile reading found.
enum class ProfileItemState {
    Found,
    FileMissing,     // nothing at the path
    FileUnreadable,  // something is at the path that cannot be read: a folder, a locked file
    ItemMissing,     // no such section, or no such key in it
};

struct ProfileItem {
    ProfileItemState state = ProfileItemState::ItemMissing;
    std::string value;  // UTF-8; empty unless found
};

// The item of the key in the section of the profile file at path, or why there is none.
// Characters up to blank (code 32) are skipped at the start of path, section and key; an empty
// section or key finds nothing.
ProfileItem ReadProfileItem(std::string_view path, std::string_view section, std::string_view key);

// The value as ReadProfileItem finds it, or the default when the file, section or key is missing
// or the file cannot be read. If path, section or key is empty once leading characters up to
// blank are skipped, the result is the empty text.
std::string ReadIniItem(std::string_view path, std::string_view section, std::string_view key,
                        std::string_view defaultValue);

// How a profile file's bytes are written: a byte-order mark decides; without one, UTF-8 when
// every byte belongs to a UTF-8 character, else GBK, the system's ANSI code page.
enum class ProfileEncoding { Gbk, Utf8, Utf16LittleEndian, Utf16BigEndian };

struct DetectedEncoding {
    ProfileEncoding encoding = ProfileEncoding::Gbk;
    std::size_t byteOrderMarkLength = 0;  // bytes before the text
};

DetectedEncoding DetectProfileEncoding(std::string_view bytes);

// How the reader splits text into characters. In GBK a lead byte takes the byte after it, which
// may look like ASCII (']', 'A'); in UTF-8 no byte of a multi-byte character is ASCII, so the
// brackets, '=' and letters the reader looks for are always characters of their own.
enum class TextEncoding { Gbk, Utf8 };

// The value of the key in the section of a profile file's text, both names given in the text's
// encoding as they are compared, or nothing when the section or key is missing. The value
// points into text, in its encoding.
std::optional<std::string_view> FindProfileValue(std::string_view text, TextEncoding encoding,
                                                 std::string_view section, std::string_view key);

// The same on a whole file's bytes in whichever encoding DetectProfileEncoding finds: names
// given and value returned in UTF-8; bytes that are no UTF-8 character come back as U+FFFD.
std::optional<std::string> ProfileValue(std::string_view fileBytes, std::string_view section,
                                        std::string_view key);
