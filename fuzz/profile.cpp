// Fuzzes the profile reader: any file contents and names.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/check.h"
#include "platform/encoding.h"
#include "platform/profile.h"

namespace {

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

}  // namespace

// The first line is the section name, the second the key, the rest the file's contents.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view section = NextLine(rest);
    std::string_view key = NextLine(rest);
    std::string_view contents = rest;

    std::optional<std::string_view> value = FindProfileValue(contents, section, key);
    if (value) {
        // What fits the reader's buffer of 10240 bytes, as one line's text.
        FUZZ_CHECK(value->size() <= 10239);
        FUZZ_CHECK(value->find('\0') == std::string_view::npos);
        FUZZ_CHECK(value->find('\n') == std::string_view::npos);
        FUZZ_CHECK(Utf8CodePoints(GbkToUtf8(*value)));
    }

    // The same file with CR LF line ends gives the same value.
    std::string crLf = WithCrLf(contents);
    FUZZ_CHECK(FindProfileValue(crLf, section, key) == value);

    // The first occurrence wins: a later section of the same name with the same key changes nothing.
    if (value) {
        std::string later(contents);
        later.append("\n[").append(section).append("]\n").append(key).append("=later\n");
        FUZZ_CHECK(FindProfileValue(later, section, key) == value);
    }
    return 0;
}
