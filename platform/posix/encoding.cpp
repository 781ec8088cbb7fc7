// GBK conversion with iconv, which also decodes the legacy bytes of captured output as code page 936.
#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <string>
#include <vector>

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

// Code page 936's double-byte characters as UTF-8, decoded once: output is decoded a character at
// a time, and a conversion for each would cost more than all the rest of the decoding.
class GbkPairs {
public:
    GbkPairs() : utf8_(kLeads * kTrails)
    {
        Converter converter("UTF-8", "GBK");
        for (unsigned lead = kFirstLead; lead < kFirstLead + kLeads; ++lead) {
            for (unsigned trail = kFirstTrail; trail < kFirstTrail + kTrails; ++trail) {
                const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
                utf8_[Index(lead, trail)] =
                    converter.Convert({pair, 2}, "", [](std::string_view rest) { return rest.size(); });
            }
        }
    }

    // The character, or empty when the two bytes are not one.
    const std::string& Of(unsigned char lead, unsigned char trail) const
    {
        static const std::string none;
        bool inRange = lead >= kFirstLead && trail >= kFirstTrail && trail < kFirstTrail + kTrails;
        return inRange ? utf8_[Index(lead, trail)] : none;
    }

private:
    static constexpr unsigned kFirstLead = 0x81, kLeads = 0xFE - 0x81 + 1;
    static constexpr unsigned kFirstTrail = 0x40, kTrails = 0xFE - 0x40 + 1;
    static std::size_t Index(unsigned lead, unsigned trail) { return (lead - kFirstLead) * kTrails + trail - kFirstTrail; }

    std::vector<std::string> utf8_;
};

// A byte that stands alone: ASCII as it is; 0x80 is the euro sign in code page 936, and every
// other byte above ASCII means nothing alone.
std::string SingleByteCharacter(unsigned char byte)
{
    if (byte < 0x80) {
        return std::string(1, static_cast<char>(byte));
    }
    return byte == 0x80 ? "\xE2\x82\xAC" : std::string(kReplacementCharacter);
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

// Both legacy code pages are 936 here, the one of the program's users on Windows, so that bytes
// that are not UTF-8 take the same double-byte path as there, where tests and fuzzing reach it.
LegacyCharacter DecodeLegacyCharacter(LegacyCodePage, std::string_view bytes)
{
    auto lead = static_cast<unsigned char>(bytes[0]);
    if (IsGbkLeadByte(lead)) {
        if (bytes.size() < 2) {
            return {std::string(), 0};
        }
        static const GbkPairs pairs;
        if (const std::string& pair = pairs.Of(lead, static_cast<unsigned char>(bytes[1])); !pair.empty()) {
            return {pair, 2};
        }
    }
    return {SingleByteCharacter(lead), 1};
}
