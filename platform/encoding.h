// Text encodings at the platform boundary: GBK, UTF-8 and UTF-16 for databank.ini, console output to UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What stands in for bytes that mean no character: U+FFFD in UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// A byte that starts a GBK double-byte character when another byte follows it.
constexpr bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// GBK (code page 936) to UTF-8 and back. Undecodable bytes become U+FFFD; characters GBK lacks
// become '?'.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// Whether all of the bytes are UTF-8 characters (no overlong forms, surrogates or values past
// U+10FFFF, nothing cut off at the end).
bool IsValidUtf8(std::string_view bytes);

// The bytes with every sequence that is not a UTF-8 character replaced by U+FFFD, one for each
// byte that starts none.
std::string ValidUtf8(std::string_view bytes);

enum class ByteOrder { LittleEndian, BigEndian };

// UTF-16 in the byte order, two bytes a code unit, to UTF-8. An unpaired surrogate and an odd
// last byte each become U+FFFD; zero characters are kept.
std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order);

// Which legacy code page the bytes that are not valid UTF-8 are read in: the console's (OEM) one for
// command output, the ANSI one for files, or GBK (code page 936) for what the companion scripts
// write, which set that code page themselves whatever the system's is. Console and Ansi exist on
// Windows only; elsewhere their bytes become U+FFFD.
enum class LegacyCodePage { Console, Ansi, Gbk };

// Decodes captured output chunk by chunk into UTF-8; the text is the same wherever the chunk
// borders fall. Each run of non-ASCII bytes is read as UTF-8 when all of it is UTF-8, else in the
// legacy code page. A run is held back while it may go on in the next chunk, but never more than
// a few KB of it: once that much has proved to be UTF-8, its whole characters are shown. Line
// ends stay as written on Windows; elsewhere a lone LF becomes CR LF, so that texts compare as on
// Windows, also when the CR ended the previous chunk.
class OutputDecoder {
public:
    explicit OutputDecoder(LegacyCodePage page = LegacyCodePage::Console) : page_(page) {}
    std::string Decode(std::string_view chunk);
    // What is still held back, read as if the output ended here: a character cut off at the end
    // becomes U+FFFD. The decoder starts afresh afterwards.
    std::string Finish();

private:
    std::size_t DecodeRun(std::string_view bytes, std::size_t start, std::string& text);
    std::size_t DecodeLegacyRun(std::string_view bytes, std::size_t start, std::size_t runEnd, std::string& text);

    LegacyCodePage page_;
    std::string held_;         // what the last chunk left undecided: UTF-8 so far, or a lone lead byte
    std::size_t checked_ = 0;  // how much of held_ is known to be whole UTF-8 characters
    bool legacyRun_ = false;   // the run that ended the last chunk has proved not to be UTF-8
    bool lastWasCr_ = false;
};

// A whole text decoded as OutputDecoder decodes output that ends there.
std::string DecodeText(std::string_view bytes, LegacyCodePage page);
