// The text operations of the handlers: texts are UTF-8, an absent text is the empty one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// The parts one after another, in a new text.
std::string JoinText(std::initializer_list<std::string_view> parts);

// Byte-wise comparison of unsigned bytes, as strcmp: negative, 0 or positive.
int CompareText(std::string_view a, std::string_view b);

// Full-width ASCII forms, the ideographic space, the full-width tilde and the two stars are
// folded to their ASCII counterparts; then atoi: blanks skipped, optional sign, digits up to the
// first other character, 0 when there are none. Out-of-range values saturate.
int TextToInteger(std::string_view text);

std::string ToText(std::string_view text);
// The bytes up to the first zero byte (all of them when there is none), as text.
std::string ToText(const Bytes& bytes);
std::string BytesToText(const Bytes& bytes);

Bytes ZeroBytes(int length);

// The last lines of the text that hold more than blanks and tabs, at most count of them, oldest
// first; CR, LF and CR LF all end a line. They point into the text.
std::vector<std::string_view> LastFilledLines(std::string_view text, std::size_t count);

// The words of the text: the runs between blanks, tabs, CR and LF. They point into the text.
std::vector<std::string_view> SplitWords(std::string_view text);

// The text when it has at most maxBytes bytes; else its first bytes, cut before a UTF-8 character
// that would not fit whole, and "…".
std::string ShortenedText(std::string_view text, std::size_t maxBytes);
