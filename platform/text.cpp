// The text operations of the handlers: joining, comparing, number parsing, byte blocks.
#include "platform/text.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "platform/encoding.h"

namespace {

// Texts end at their first zero byte, as the C strings they stand for.
std::string_view UpToZeroByte(std::string_view text) { return text.substr(0, text.find('\0')); }

// The single byte a GBK double-byte character folds to, or 0 when it stays as it is.
char FoldedWideCharacter(unsigned char lead, unsigned char trail)
{
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        return static_cast<char>(trail - 0x80);  // full-width forms of the printable ASCII characters
    }
    if (lead == 0xA1) {
        switch (trail) {
        case 0xA1: return ' ';  // ideographic space
        case 0xAB: return '~';  // full-width tilde
        case 0xEE:              // white star
        case 0xEF: return '*';  // black star
        default: break;
        }
    }
    return 0;
}

// Replaces the full-width forms by their ASCII counterparts, keeping other double-byte
// characters whole so that a trail byte is never read as a character of its own.
std::string FoldFullWidth(std::string_view gbk)
{
    std::string folded;
    folded.reserve(gbk.size());
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        auto lead = static_cast<unsigned char>(gbk[i]);
        if (!IsGbkLeadByte(lead) || i + 1 == gbk.size()) {
            folded += gbk[i];
            continue;
        }
        auto trail = static_cast<unsigned char>(gbk[i + 1]);
        if (char ascii = FoldedWideCharacter(lead, trail)) {
            folded += ascii;
        } else {
            folded.append(gbk.substr(i, 2));
        }
        ++i;
    }
    return folded;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// atoi, but saturating at the ends of the int range instead of overflowing.
int ParseLeadingInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude >= limit) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

std::string JoinText(std::initializer_list<std::string_view> parts)
{
    std::size_t length = 0;
    for (std::string_view part : parts) {
        length += part.size();
    }
    std::string joined;
    joined.reserve(length);
    for (std::string_view part : parts) {
        joined.append(part);
    }
    return joined;
}

int CompareText(std::string_view a, std::string_view b)
{
    a = UpToZeroByte(a);
    b = UpToZeroByte(b);
    std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        auto left = static_cast<unsigned char>(a[i]);
        auto right = static_cast<unsigned char>(b[i]);
        if (left != right) {
            return left < right ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

int TextToInteger(std::string_view text) { return ParseLeadingInteger(FoldFullWidth(Utf8ToGbk(UpToZeroByte(text)))); }

std::string ToText(std::string_view text) { return std::string(text); }

std::string ToText(const Bytes& bytes) { return BytesToText(bytes); }

std::string BytesToText(const Bytes& bytes)
{
    std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return std::string(UpToZeroByte(all));
}

Bytes ZeroBytes(int length) { return Bytes(length > 0 ? static_cast<std::size_t>(length) : 0, 0); }

std::vector<std::string_view> LastFilledLines(std::string_view text, std::size_t count)
{
    std::vector<std::string_view> lines;
    while (!text.empty() && lines.size() < count) {
        std::size_t start = text.find_last_of("\r\n");
        std::string_view line = start == std::string_view::npos ? text : text.substr(start + 1);
        text = text.substr(0, start == std::string_view::npos ? 0 : start);
        if (line.find_first_not_of(" \t") != std::string_view::npos) {
            lines.insert(lines.begin(), line);
        }
    }
    return lines;
}

std::vector<std::string_view> SplitWords(std::string_view text)
{
    constexpr std::string_view kSeparators = " \t\r\n";
    std::vector<std::string_view> words;
    for (std::size_t at = text.find_first_not_of(kSeparators); at != std::string_view::npos;
         at = text.find_first_not_of(kSeparators, at)) {
        std::size_t end = std::min(text.find_first_of(kSeparators, at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string ShortenedText(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) {
        return std::string(text);
    }
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;  // text[end] continues a character: cut before that character's first byte
    }
    return JoinText({text.substr(0, end), "…"});
}
