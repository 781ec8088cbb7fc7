// Fuzzes the text operations: number parsing, comparison, and the GBK round trip.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/check.h"
#include "platform/encoding.h"
#include "platform/text.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

// The text with its ASCII digits, signs and blanks in their full-width forms (the ideographic
// space for the blank), which number parsing must read the same.
std::string FullWidth(std::string_view text)
{
    std::string wide;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            wide += "\xEF\xBC";
            wide += static_cast<char>(0x90 + (c - '0'));  // U+FF10 to U+FF19
        } else if (c == '+') {
            wide += "\xEF\xBC\x8B";  // U+FF0B
        } else if (c == '-') {
            wide += "\xEF\xBC\x8D";  // U+FF0D
        } else if (c == ' ') {
            wide += "\xE3\x80\x80";  // U+3000
        } else {
            wide += c;
        }
    }
    return wide;
}

// Valid UTF-8 keeps every character through GBK and back, or has it replaced by '?' when GBK
// lacks it: none is dropped, merged or changed into another.
void CheckGbkRoundTrip(std::string_view text)
{
    std::string gbk = Utf8ToGbk(text);
    std::string back = GbkToUtf8(gbk);
    std::vector<char32_t> after;
    FUZZ_CHECK(Utf8CodePoints(back, &after));
    for (char32_t c : after) {
        FUZZ_CHECK(c != 0xFFFD);  // what Utf8ToGbk makes is always valid GBK
    }
    std::vector<char32_t> before;
    if (!Utf8CodePoints(text, &before)) {
        return;
    }
    FUZZ_CHECK(after.size() == before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        FUZZ_CHECK(after[i] == before[i] || after[i] == U'?');
    }
}

}  // namespace

// The input is two texts: the first byte says how long the first one is.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string_view a = rest.substr(0, data[0] < rest.size() ? data[0] : rest.size());
    std::string_view b = rest.substr(a.size());

    // CompareText is strcmp on texts that end at their first zero byte.
    std::string_view textA = a.substr(0, a.find('\0'));
    std::string_view textB = b.substr(0, b.find('\0'));
    FUZZ_CHECK(Sign(CompareText(a, b)) == Sign(textA.compare(textB)));
    FUZZ_CHECK(Sign(CompareText(b, a)) == -Sign(CompareText(a, b)));
    FUZZ_CHECK(CompareText(a, textA) == 0);

    int number = TextToInteger(a);
    FUZZ_CHECK(TextToInteger(FullWidth(a)) == number);
    FUZZ_CHECK(TextToInteger(std::string(textA) + '\0' + "7") == TextToInteger(textA));

    CheckGbkRoundTrip(a);
    CheckGbkRoundTrip(b);
    return 0;
}
