// The profile (INI) reader: GBK files, names compared in GBK, values returned as UTF-8.
#include "platform/profile.h"

#include <cstddef>
#include <optional>

#include "platform/encoding.h"
#include "platform/system.h"

namespace {

// The reader's result buffer holds 10240 bytes, the terminating zero byte included.
constexpr std::size_t kMaxValueBytes = 10239;

// Bytes of the GBK character at position i: 2 for a lead byte with a byte after it, else 1.
std::size_t CharacterLength(std::string_view gbk, std::size_t i)
{
    return IsGbkLeadByte(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size() ? 2 : 1;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view SkipControlsAndBlanks(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && static_cast<unsigned char>(text[start]) <= 32) {
        ++start;
    }
    return text.substr(start);
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letters match in either case; double-byte characters only exactly, because their trail
// bytes may look like ASCII letters.
bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size();) {
        std::size_t length = CharacterLength(a, i);
        if (length == 2) {
            if (a.substr(i, 2) != b.substr(i, 2)) {
                return false;
            }
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
        i += length;
    }
    return true;
}

// The name of a "[name]" line, or nothing for other lines. The closing bracket is the last one
// standing as a character of its own, not the trail byte of a double-byte character.
std::optional<std::string_view> SectionName(std::string_view line)
{
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    std::optional<std::size_t> closing;
    for (std::size_t i = 1; i < line.size(); i += CharacterLength(line, i)) {
        if (line[i] == ']') {
            closing = i;
        }
    }
    if (!closing) {
        return std::nullopt;
    }
    return TrimBlanks(line.substr(1, *closing - 1));
}

struct Item {
    std::string_view key;
    std::string_view value;
};

// A "key = value" line; '=' (0x3D) is never a GBK trail byte, so a plain search finds it.
std::optional<Item> ItemOf(std::string_view line)
{
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Item{TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))};
}

// One pair of enclosing quotes of the same kind is dropped; a zero byte ends the text; the rest
// is cut to fit the result buffer without splitting a double-byte character.
std::string_view FinishValue(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    value = value.substr(0, value.find('\0'));
    std::size_t end = 0;
    while (end < value.size()) {
        std::size_t length = CharacterLength(value, end);
        if (end + length > kMaxValueBytes) {
            break;
        }
        end += length;
    }
    return value.substr(0, end);
}

// The raw value of the first key in the first section of that name; lines end in LF or CR LF.
std::optional<std::string_view> FindValue(std::string_view file, std::string_view section, std::string_view key)
{
    bool inSection = false;
    bool sectionSeen = false;
    std::size_t start = 0;
    while (start < file.size()) {
        std::size_t end = file.find('\n', start);
        if (end == std::string_view::npos) {
            end = file.size();
        }
        std::string_view line = TrimBlanks(file.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (std::optional<std::string_view> name = SectionName(line)) {
            if (sectionSeen) {
                return std::nullopt;  // the first section of the name has ended
            }
            inSection = SameName(*name, section);
            sectionSeen = inSection;
            continue;
        }
        if (inSection) {
            std::optional<Item> item = ItemOf(line);
            if (item && SameName(item->key, key)) {
                return item->value;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string_view> FindProfileValue(std::string_view contents, std::string_view section,
                                                 std::string_view key)
{
    std::optional<std::string_view> value = FindValue(contents, section, key);
    if (!value) {
        return std::nullopt;
    }
    return FinishValue(*value);
}

std::string ReadIniItem(std::string_view path, std::string_view section, std::string_view key,
                        std::string_view defaultValue)
{
    path = SkipControlsAndBlanks(path);
    section = SkipControlsAndBlanks(section);
    key = SkipControlsAndBlanks(key);
    if (path.empty() || section.empty() || key.empty()) {
        return {};
    }
    // Other programs may edit the catalogue at any time; it is read with no lock of its own.
    Bytes file = ReadWholeFile(path, FileSharing::Shared);
    std::string_view contents(reinterpret_cast<const char*>(file.data()), file.size());
    std::optional<std::string_view> value = FindProfileValue(contents, Utf8ToGbk(section), Utf8ToGbk(key));
    if (!value) {
        return std::string(defaultValue);
    }
    return GbkToUtf8(*value);
}
