// UTF-8 <-> UTF-16 conversion at the Win32 boundary: the program's texts are UTF-8, the W APIs take UTF-16.
#pragma once

#include <string>
#include <string_view>

// Invalid UTF-8 sequences become U+FFFD; embedded zero characters are kept.
std::wstring Utf8ToWide(std::string_view utf8);
// Unpaired surrogates become U+FFFD; embedded zero characters are kept.
std::string WideToUtf8(std::wstring_view wide);
