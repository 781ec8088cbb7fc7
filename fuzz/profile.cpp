// Fuzzes the profile reader: any file contents and names, read as GBK, as UTF-8, and in the
// encoding that the file's bytes show.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/check.h"
#include "platform/encoding.h"
#include "platform/profile.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string WithCrLf(std::string_view contents)
{
    std::string converted;
    for (char c : contents) {
        if (c == '\n') {
            converted += '\r';
        }
        converted += c;
    }
    return converted;
}

std::string_view NextLine(std::string_view& rest)
{
    std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return line;
}

// The code points saved as Notepad saves "Unicode": a byte-order mark, then UTF-16 units.
std::string Utf16WithMark(const std::vector<char32_t>& codePoints, bool bigEndian)
{
    std::vector<char16_t> units = {0xFEFF};
    for (char32_t c : codePoints) {
        if (c < 0x10000) {
            units.push_back(static_cast<char16_t>(c));
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    std::string bytes;
    for (char16_t unit : units) {
        char low = static_cast<char>(unit & 0xFF);
        char high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

void CheckReading(std::string_view contents, TextEncoding encoding, std::string_view section, std::string_view key)
{
    std::optional<std::string_view> value = FindProfileValue(contents, encoding, section, key);
    if (value) {
        // What fits the reader's buffer of 10240 bytes, as one line's text, cut between characters.
        FUZZ_CHECK(value->size() <= 10239);
        FUZZ_CHECK(value->find('\0') == std::string_view::npos);
        FUZZ_CHECK(value->find('\n') == std::string_view::npos);
        if (encoding == TextEncoding::Gbk) {
            FUZZ_CHECK(Utf8CodePoints(GbkToUtf8(*value)));
        } else if (Utf8CodePoints(contents)) {
            FUZZ_CHECK(Utf8CodePoints(*value));
        }
    }

    // The same file with CR LF line ends gives the same value.
    std::string crLf = WithCrLf(contents);
    FUZZ_CHECK(FindProfileValue(crLf, encoding, section, key) == value);

    // The first occurrence wins: a later section of the same name with the same key changes nothing.
    if (value) {
        std::string later(contents);
        later.append("\n[").append(section).append("]\n").append(key).append("=later\n");
        FUZZ_CHECK(FindProfileValue(later, encoding, section, key) == value);
    }
}

}  // namespace

// The first line is the section name, the second the key, the rest the file's contents.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view section = NextLine(rest);
    std::string_view key = NextLine(rest);
    std::string_view contents = rest;

    CheckReading(contents, TextEncoding::Gbk, section, key);
    CheckReading(contents, TextEncoding::Utf8, section, key);

    // Whatever the file holds, the value comes back as UTF-8.
    std::optional<std::string> value = ProfileValue(contents, section, key);
    if (value) {
        FUZZ_CHECK(Utf8CodePoints(*value));
    }

    // UTF-8 text gives the same value in each encoding Notepad saves it in.
    std::vector<char32_t> codePoints;
    if (Utf8CodePoints(contents, &codePoints) && !contents.starts_with(kUtf8Mark)) {
        FUZZ_CHECK(ProfileValue(std::string(kUtf8Mark).append(contents), section, key) == value);
        FUZZ_CHECK(ProfileValue(Utf16WithMark(codePoints, false), section, key) == value);
        FUZZ_CHECK(ProfileValue(Utf16WithMark(codePoints, true), section, key) == value);
    }
    return 0;
}
