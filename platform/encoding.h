// Text encodings at the platform boundary: GBK for databank.ini, console output to UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// GBK (code page 936) to UTF-8 and back. Undecodable bytes become U+FFFD; characters GBK lacks
// become '?'.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// Which legacy code page the bytes that are not valid UTF-8 are read in (Windows only; elsewhere
// such bytes become U+FFFD): the console's (OEM) one for command output, the ANSI one for files.
enum class LegacyCodePage { Console, Ansi };

// Decodes captured output chunk by chunk into UTF-8. Each run of non-ASCII bytes is read as
// UTF-8 when all of it is UTF-8, else in the legacy code page. A run that may go on in the next
// chunk is held back until it does. Line ends stay as written on Windows; elsewhere a lone LF
// becomes CR LF, so that texts compare as on Windows, also when the CR ended the previous chunk.
class OutputDecoder {
public:
    explicit OutputDecoder(LegacyCodePage page = LegacyCodePage::Console) : page_(page) {}
    std::string Decode(std::string_view chunk);
    // Whatever is still held back, as U+FFFD; the decoder starts afresh afterwards.
    std::string Finish();

private:
    bool DecodeLegacyRun(std::string_view bytes, std::size_t& i, std::size_t runEnd, std::string& text);

    LegacyCodePage page_;
    std::string pending_;
    bool lastWasCr_ = false;
};
