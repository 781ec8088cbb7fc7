// GBK conversion with iconv; captured output on POSIX systems has no legacy code page but GBK.
#include <iconv.h>

#include <cerrno>
#include <cstddef>

#include "platform/encoding.h"
#include "platform/legacy_code_page.h"

namespace {

// One conversion's iconv descriptor, closed on every way out.
class Converter {
public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (IsOpen()) {
            iconv_close(descriptor_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

    // Converts input; at a byte sequence that cannot be converted, asks skip how many bytes to
    // pass over and appends replacement in their place.
    template <typename SkipLength>
    std::string Convert(std::string_view input, std::string_view replacement, SkipLength skip)
    {
        std::string output;
        if (!IsOpen()) {
            return output;
        }
        char* in = const_cast<char*>(input.data());  // iconv's interface is not const-correct
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(descriptor_, &in, &inLeft, &out, &outLeft);
            int error = errno;
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
                continue;
            }
            // EILSEQ: an invalid or unconvertible character; EINVAL: an incomplete one at the end.
            std::size_t skipped = error == EINVAL ? inLeft : skip(std::string_view(in, inLeft));
            output.append(replacement);
            in += skipped;
            inLeft -= skipped;
            iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    iconv_t descriptor_;
};

// The length of the UTF-8 character at the front, or 1 for a byte that starts none.
std::size_t Utf8CharacterLength(std::string_view bytes)
{
    auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t complete = 1;
    while (complete < length && complete < bytes.size() && (static_cast<unsigned char>(bytes[complete]) & 0xC0) == 0x80) {
        ++complete;
    }
    return complete;
}

// Where the next tag character (U+E0000 to U+E007F, F3 A0 80 80 to F3 A0 81 BF) starts, or npos.
// F3 is never a continuation byte, so a match is always a character of its own.
std::size_t FindTagCharacter(std::string_view utf8, std::size_t from)
{
    constexpr std::string_view kTagLead = "\xF3\xA0";
    for (std::size_t at = utf8.find(kTagLead, from); at != std::string_view::npos; at = utf8.find(kTagLead, at + 1)) {
        if (at + 4 <= utf8.size() && (utf8[at + 2] == '\x80' || utf8[at + 2] == '\x81') &&
            (static_cast<unsigned char>(utf8[at + 3]) & 0xC0) == 0x80) {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk)
{
    Converter converter("UTF-8", "GBK");
    return converter.Convert(gbk, kReplacementCharacter, [](std::string_view) { return std::size_t{1}; });
}

// glibc's iconv drops the tag characters without a word; GBK lacks them as any character beyond
// U+FFFF, so each becomes '?' here, before iconv sees it.
std::string Utf8ToGbk(std::string_view utf8)
{
    Converter converter("GBK", "UTF-8");
    std::string gbk;
    std::size_t from = 0;
    for (std::size_t tag = FindTagCharacter(utf8, from); tag != std::string_view::npos;
         tag = FindTagCharacter(utf8, from)) {
        gbk += converter.Convert(utf8.substr(from, tag - from), "?", Utf8CharacterLength);
        gbk += '?';
        from = tag + 4;
    }
    return gbk + converter.Convert(utf8.substr(from), "?", Utf8CharacterLength);
}

const bool kLoneLineFeedsGainCarriageReturns = true;

// A GBK pair whose trail byte is invalid stands alone as U+FFFD, as on Windows; so do the
// Console and Ansi pages' bytes, which have no meaning here.
LegacyCharacter DecodeLegacyCharacter(LegacyCodePage page, std::string_view bytes)
{
    if (page == LegacyCodePage::Gbk && IsGbkLeadByte(static_cast<unsigned char>(bytes[0]))) {
        if (bytes.size() < 2) {
            return {std::string(), 0};
        }
        // One descriptor for every character: opening one costs far more than converting two bytes.
        thread_local Converter converter("UTF-8", "GBK");
        auto oneByte = [](std::string_view) { return std::size_t{1}; };
        std::string pair = converter.Convert(bytes.substr(0, 2), kReplacementCharacter, oneByte);
        if (pair.find(kReplacementCharacter) == std::string::npos) {
            return {pair, 2};
        }
    }
    return {std::string(kReplacementCharacter), 1};
}
