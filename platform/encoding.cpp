// UTF-8 checks, UTF-16 to UTF-8, and captured output to UTF-8 chunk by chunk.
#include "platform/encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/legacy_code_page.h"

namespace {

// How much of a run may be held back undecided. Once this much has proved to be UTF-8, its whole
// characters are shown and the rest of the run is judged afresh, so that a long line without
// ASCII is neither kept from view nor scanned again with every chunk; text in a legacy code page
// never passes for this much UTF-8.
constexpr std::size_t kMaxUndecidedBytes = 4096;

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

void AppendUtf8(char32_t codePoint, std::string& text)
{
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | codePoint >> 6);
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | codePoint >> 12);
        text += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | codePoint >> 18);
        text += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        Utf8Character character = MatchUtf8(bytes.substr(i));
        if (character.match != Utf8Match::Complete) {
            return false;
        }
        i += character.length;
    }
    return true;
}

std::string ValidUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            text += bytes[i++];
            continue;
        }
        Utf8Character character = MatchUtf8(bytes.substr(i));
        if (character.match == Utf8Match::Complete) {
            text.append(bytes, i, character.length);
            i += character.length;
        } else {
            text += kReplacementCharacter;
            ++i;
        }
    }
    return text;
}

std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order)
{
    std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t index) {
        auto first = static_cast<unsigned char>(bytes[2 * index]);
        auto second = static_cast<unsigned char>(bytes[2 * index + 1]);
        return static_cast<char32_t>(order == ByteOrder::LittleEndian ? first | second << 8 : first << 8 | second);
    };
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < units; ++i) {
        char32_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) {
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00), text);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            text += kReplacementCharacter;
        } else {
            AppendUtf8(unit, text);
        }
    }
    if (bytes.size() % 2 != 0) {
        text += kReplacementCharacter;
    }
    return text;
}

std::string OutputDecoder::Decode(std::string_view chunk)
{
    if (chunk.empty()) {
        return {};
    }
    // Only a run held back from the last chunk needs the two joined; it is a few KB at most.
    std::string joined;
    if (!held_.empty()) {
        joined.reserve(held_.size() + chunk.size());
        joined.append(held_).append(chunk);
        held_.clear();
        chunk = joined;
    }
    std::string_view bytes = chunk;
    if (static_cast<unsigned char>(bytes[0]) < 0x80) {
        legacyRun_ = false;  // the run that ended the last chunk has ended
    }

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
        } else if (static_cast<unsigned char>(byte) < 0x80) {
            std::size_t end = AsciiRunEnd(bytes, i);  // copied at once: most output is plain ASCII
            text.append(bytes, i, end - i);
            lastWasCr_ = bytes[end - 1] == '\r';
            i = end;
        } else {
            lastWasCr_ = false;
            i = DecodeRun(bytes, i, text);
        }
    }
    return text;
}

// The run of non-ASCII bytes from start on: the run that ended the last chunk when start is 0
// (its first checked_ bytes known to be whole UTF-8 characters), else a new one. Returns where
// reading goes on. A run is read as UTF-8 only when all of it is UTF-8: text in the legacy code
// page is full of byte pairs that would pass for UTF-8 one by one.
std::size_t OutputDecoder::DecodeRun(std::string_view bytes, std::size_t start, std::string& text)
{
    std::size_t runEnd = NonAsciiRunEnd(bytes, start + checked_);
    if (legacyRun_) {
        return DecodeLegacyRun(bytes, start, runEnd, text);
    }
    std::size_t end = start + checked_;
    Utf8Match match = Utf8Match::Complete;
    while (end < runEnd) {
        if (end - start >= kMaxUndecidedBytes) {
            text.append(bytes, start, end - start);
            start = end;
        }
        Utf8Character character = MatchUtf8(bytes.substr(end, runEnd - end));
        match = character.match;
        if (match != Utf8Match::Complete) {
            break;
        }
        end += character.length;
    }
    if (match == Utf8Match::Complete && runEnd < bytes.size()) {
        text.append(bytes, start, runEnd - start);
        checked_ = 0;
        return runEnd;
    }
    if (match != Utf8Match::Invalid && runEnd == bytes.size()) {
        held_.assign(bytes.substr(start));  // the run may go on in the next chunk
        checked_ = end - start;
        return bytes.size();
    }
    legacyRun_ = true;
    checked_ = 0;
    return DecodeLegacyRun(bytes, start, runEnd, text);
}

// The run [start, runEnd) in the legacy code page; its last double-byte character may take an
// ASCII trail byte after the run. A lead byte that ends the chunk is held back.
std::size_t OutputDecoder::DecodeLegacyRun(std::string_view bytes, std::size_t start, std::size_t runEnd,
                                           std::string& text)
{
    while (start < runEnd) {
        LegacyCharacter legacy = DecodeLegacyCharacter(page_, bytes.substr(start));
        if (legacy.length == 0) {
            held_.assign(bytes.substr(start));
            return bytes.size();
        }
        text.append(legacy.utf8);
        start += legacy.length;
    }
    // Only a run that reaches the end of the chunk may go on in the next one.
    legacyRun_ = start == runEnd && runEnd == bytes.size();
    return start;
}

std::string OutputDecoder::Finish()
{
    // Held back are whole UTF-8 characters and perhaps one cut off by the end of the output, or a
    // lone lead byte of the legacy code page.
    std::string text = held_.substr(0, checked_);
    if (held_.size() > checked_) {
        text += kReplacementCharacter;
    }
    held_.clear();
    checked_ = 0;
    legacyRun_ = false;
    lastWasCr_ = false;
    return text;
}

std::string DecodeText(std::string_view bytes, LegacyCodePage page)
{
    OutputDecoder decoder(page);
    std::string text = decoder.Decode(bytes);
    return text + decoder.Finish();
}
