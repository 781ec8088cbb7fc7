// The per-system part of decoding bytes that are not UTF-8: the legacy code pages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/encoding.h"

struct LegacyCharacter {
    std::string utf8;    // U+FFFD when the code page gives the bytes no meaning
    std::size_t length;  // bytes taken; 0 when bytes end inside a double-byte character
};

// Decodes the one legacy character at the front of bytes (never empty). A double-byte lead byte
// takes its trail byte with it; with an invalid trail byte it stands alone as U+FFFD.
LegacyCharacter DecodeLegacyCharacter(LegacyCodePage page, std::string_view bytes);

// Whether a lone LF in captured output becomes CR LF: on systems whose tools end lines with LF
// alone, so that the program sees the same texts as on Windows, where bytes stay as written.
extern const bool kLoneLineFeedsGainCarriageReturns;
