// Captured output to UTF-8, chunk by chunk.
#include "platform/encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/legacy_code_page.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

enum class Utf8Match { Complete, Incomplete, Invalid };

struct Utf8Character {
    Utf8Match match;
    std::size_t length;
};

// Whether a valid UTF-8 character (no overlong forms, surrogates or values past U+10FFFF) starts
// at the front of bytes, which begins with a non-ASCII byte.
Utf8Character MatchUtf8(std::string_view bytes)
{
    auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;
        secondHigh = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {Utf8Match::Invalid, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i == bytes.size()) {
            return {Utf8Match::Incomplete, i};
        }
        auto byte = static_cast<unsigned char>(bytes[i]);
        unsigned char low = i == 1 ? secondLow : 0x80;
        unsigned char high = i == 1 ? secondHigh : 0xBF;
        if (byte < low || byte > high) {
            return {Utf8Match::Invalid, i};
        }
    }
    return {Utf8Match::Complete, length};
}

// Where the run of ASCII bytes other than LF that starts at from ends.
std::size_t AsciiRunEnd(std::string_view bytes, std::size_t from)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    constexpr std::uint64_t kLineFeeds = kOnes * '\n';
    std::size_t end = from;
    // Eight bytes at a time while none has its high bit set and none is LF (a byte equal to LF
    // leaves a zero byte in word ^ kLineFeeds, which the subtraction flags); the byte loop below
    // then finds exactly where the run ends.
    while (end + 8 <= bytes.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + end, 8);
        std::uint64_t lineFeeds = word ^ kLineFeeds;
        if (((word | ((lineFeeds - kOnes) & ~lineFeeds)) & kHighBits) != 0) {
            break;
        }
        end += 8;
    }
    while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80 && bytes[end] != '\n') {
        ++end;
    }
    return end;
}

// Where the run of non-ASCII bytes that starts at from ends.
std::size_t NonAsciiRunEnd(std::string_view bytes, std::size_t from)
{
    std::size_t end = from;
    while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x80) {
        ++end;
    }
    return end;
}

// Whether a run of non-ASCII bytes is UTF-8 throughout: complete, cut short in its last
// character, or invalid somewhere.
Utf8Match MatchUtf8Run(std::string_view run)
{
    for (std::size_t i = 0; i < run.size();) {
        Utf8Character character = MatchUtf8(run.substr(i));
        if (character.match != Utf8Match::Complete) {
            return character.match;
        }
        i += character.length;
    }
    return Utf8Match::Complete;
}

}  // namespace

std::string OutputDecoder::Decode(std::string_view chunk)
{
    // Only a character held back from the last chunk needs the two joined.
    std::string joined;
    if (!pending_.empty()) {
        joined = std::move(pending_) + std::string(chunk);
        pending_.clear();
        chunk = joined;
    }
    std::string_view bytes = chunk;

    std::string text;
    text.reserve(bytes.size() + bytes.size() / 4);
    std::size_t i = 0;
    while (i < bytes.size()) {
        char byte = bytes[i];
        if (byte == '\n') {
            if (!lastWasCr_ && kLoneLineFeedsGainCarriageReturns) {
                text += '\r';
            }
            text += byte;
            lastWasCr_ = false;
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(byte) < 0x80) {
            std::size_t end = AsciiRunEnd(bytes, i);  // copied at once: most output is plain ASCII
            text.append(bytes, i, end - i);
            lastWasCr_ = bytes[end - 1] == '\r';
            i = end;
            continue;
        }
        // A run of non-ASCII bytes is read as UTF-8 only when all of it is UTF-8: text in the
        // legacy code page is full of byte pairs that would pass for UTF-8 one by one.
        std::size_t runEnd = NonAsciiRunEnd(bytes, i);
        std::string_view run = bytes.substr(i, runEnd - i);
        Utf8Match match = MatchUtf8Run(run);
        if (match == Utf8Match::Incomplete && runEnd == bytes.size()) {
            pending_.assign(run);  // the run goes on in the next chunk
            break;
        }
        if (match == Utf8Match::Complete) {
            text.append(run);
            i = runEnd;
        } else if (!DecodeLegacyRun(bytes, i, runEnd, text)) {
            break;
        }
        lastWasCr_ = false;
    }
    return text;
}

// The run [i, runEnd) in the legacy code page; its last double-byte character may take an ASCII
// trail byte after the run. False when a lead byte ends the chunk: it is held back with the rest.
bool OutputDecoder::DecodeLegacyRun(std::string_view bytes, std::size_t& i, std::size_t runEnd, std::string& text)
{
    while (i < runEnd) {
        LegacyCharacter legacy = DecodeLegacyCharacter(page_, bytes.substr(i));
        if (legacy.length == 0) {
            pending_.assign(bytes.substr(i));
            return false;
        }
        text.append(legacy.utf8);
        i += legacy.length;
    }
    return true;
}

std::string OutputDecoder::Finish()
{
    std::string text = pending_.empty() ? std::string() : std::string(kReplacement);
    pending_.clear();
    lastWasCr_ = false;
    return text;
}
