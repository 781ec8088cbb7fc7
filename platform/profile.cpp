// The profile (INI) reader: the file's encoding found, names compared in it, values returned as UTF-8.
#include "platform/profile.h"

#include <cstddef>
#include <optional>
#include <utility>

#include "platform/encoding.h"
#include "platform/system.h"

namespace {

// The reader's result buffer holds 10240 bytes, the terminating zero byte included.
constexpr std::size_t kMaxValueBytes = 10239;

// How many bytes the reader takes as one character at position i: in GBK 2 for a lead byte with
// a byte after it; in UTF-8 always 1, since what the reader compares or looks for is ASCII, and
// every byte of a multi-byte character is compared exactly.
std::size_t CharacterLength(TextEncoding encoding, std::string_view text, std::size_t i)
{
    bool pair = encoding == TextEncoding::Gbk && IsGbkLeadByte(static_cast<unsigned char>(text[i])) &&
                i + 1 < text.size();
    return pair ? 2 : 1;
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

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
bool SameName(TextEncoding encoding, std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size();) {
        std::size_t length = CharacterLength(encoding, a, i);
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
std::optional<std::string_view> SectionName(TextEncoding encoding, std::string_view line)
{
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    std::optional<std::size_t> closing;
    for (std::size_t i = 1; i < line.size(); i += CharacterLength(encoding, line, i)) {
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

// A "key = value" line; '=' (0x3D) is never a GBK trail byte nor part of a UTF-8 character, so a
// plain search finds it.
std::optional<Item> ItemOf(std::string_view line)
{
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Item{TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))};
}

// Where a value longer than the result buffer is cut, before the character that would not fit
// whole: the GBK characters are counted from the start, since a trail byte may look like a lead
// byte; UTF-8 goes back over the continuation bytes (at most three) of a character cut through.
std::size_t CutLength(TextEncoding encoding, std::string_view value)
{
    if (value.size() <= kMaxValueBytes) {
        return value.size();
    }
    std::size_t end = 0;
    if (encoding == TextEncoding::Utf8) {
        end = kMaxValueBytes;
        while (end > 0 && kMaxValueBytes - end < 3 && IsUtf8Continuation(value[end])) {
            --end;
        }
        return end;
    }
    while (end < value.size()) {
        std::size_t length = CharacterLength(encoding, value, end);
        if (end + length > kMaxValueBytes) {
            break;
        }
        end += length;
    }
    return end;
}

// One pair of enclosing quotes of the same kind is dropped; a zero byte ends the text; the rest
// is cut to fit the result buffer without splitting a character.
std::string_view FinishValue(TextEncoding encoding, std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    value = value.substr(0, value.find('\0'));
    return value.substr(0, CutLength(encoding, value));
}

// The raw value of the first key in the first section of that name; lines end in LF or CR LF.
std::optional<std::string_view> FindValue(std::string_view file, TextEncoding encoding, std::string_view section,
                                          std::string_view key)
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
        if (std::optional<std::string_view> name = SectionName(encoding, line)) {
            if (sectionSeen) {
                return std::nullopt;  // the first section of the name has ended
            }
            inSection = SameName(encoding, *name, section);
            sectionSeen = inSection;
            continue;
        }
        if (inSection) {
            std::optional<Item> item = ItemOf(line);
            if (item && SameName(encoding, item->key, key)) {
                return item->value;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

DetectedEncoding DetectProfileEncoding(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return {ProfileEncoding::Utf8, 3};
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return {ProfileEncoding::Utf16LittleEndian, 2};
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return {ProfileEncoding::Utf16BigEndian, 2};
    }
    // GBK text of any length is rarely valid UTF-8: its lead bytes are mostly followed by bytes
    // that cannot continue a UTF-8 character.
    return {IsValidUtf8(bytes) ? ProfileEncoding::Utf8 : ProfileEncoding::Gbk, 0};
}

std::optional<std::string_view> FindProfileValue(std::string_view text, TextEncoding encoding,
                                                 std::string_view section, std::string_view key)
{
    std::optional<std::string_view> value = FindValue(text, encoding, section, key);
    if (!value) {
        return std::nullopt;
    }
    return FinishValue(encoding, *value);
}

std::optional<std::string> ProfileValue(std::string_view fileBytes, std::string_view section,
                                        std::string_view key)
{
    DetectedEncoding detected = DetectProfileEncoding(fileBytes);
    std::string_view text = fileBytes.substr(detected.byteOrderMarkLength);
    std::string converted;
    switch (detected.encoding) {
    case ProfileEncoding::Gbk: {
        std::optional<std::string_view> value = FindProfileValue(text, TextEncoding::Gbk, Utf8ToGbk(section),
                                                                 Utf8ToGbk(key));
        return value ? std::optional<std::string>(GbkToUtf8(*value)) : std::nullopt;
    }
    case ProfileEncoding::Utf16LittleEndian:
    case ProfileEncoding::Utf16BigEndian:
        converted = Utf16ToUtf8(text, detected.encoding == ProfileEncoding::Utf16LittleEndian ? ByteOrder::LittleEndian
                                                                                               : ByteOrder::BigEndian);
        text = converted;
        break;
    case ProfileEncoding::Utf8:
        break;
    }
    std::optional<std::string_view> value = FindProfileValue(text, TextEncoding::Utf8, section, key);
    return value ? std::optional<std::string>(ValidUtf8(*value)) : std::nullopt;
}

ProfileItem ReadProfileItem(std::string_view path, std::string_view section, std::string_view key)
{
    // Other programs may edit the catalogue at any time; it is read with no lock of its own.
    FileContents file = ReadFileContents(SkipControlsAndBlanks(path), FileSharing::Shared);
    switch (file.reading) {
    case FileReading::Missing: return {ProfileItemState::FileMissing, {}};
    case FileReading::Unreadable: return {ProfileItemState::FileUnreadable, {}};
    case FileReading::Read: break;
    }
    section = SkipControlsAndBlanks(section);
    key = SkipControlsAndBlanks(key);
    if (section.empty() || key.empty()) {
        return {};
    }
    std::string_view bytes(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
    std::optional<std::string> value = ProfileValue(bytes, section, key);
    if (!value) {
        return {};
    }
    return {ProfileItemState::Found, std::move(*value)};
}

std::string ReadIniItem(std::string_view path, std::string_view section, std::string_view key,
                        std::string_view defaultValue)
{
    if (SkipControlsAndBlanks(path).empty() || SkipControlsAndBlanks(section).empty() ||
        SkipControlsAndBlanks(key).empty()) {
        return {};
    }
    ProfileItem item = ReadProfileItem(path, section, key);
    return item.state == ProfileItemState::Found ? std::move(item.value) : std::string(defaultValue);
}
