// Lines in multi-line edit boxes: where a box's last line stands, and the breaking that keeps every line short.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest line, in characters, that a multi-line edit box is given. An edit control that wraps
// words lays a line out in time that grows with the square of its length. Under Wine one line of
// 64 K characters takes 15 s; 64 K characters take 0.7 s in lines of 4 K, 0.3 s in lines of 1 K,
// and 0.1 s in lines of 256, about as much as in short lines (0.2 to 0.3 s when a word break comes
// every few characters). Windows 3.1 even refused lines of more than 1024 characters (Microsoft Knowledge Base
// Q74225, "Size Limits for a Multiline Edit Control"). Lines of ordinary output stay whole.
inline constexpr std::size_t kLongestBoxLine = 256;

// The last line of a box's text. Only CR LF ends a line, as in a Win32 edit control: a lone CR or
// LF does not, unless the control has the extended styles ES_EX_ALLOWEOL_CR or ES_EX_ALLOWEOL_LF.
struct BoxLine {
    std::size_t length = 0;  // characters (code points) since the last CR LF
    bool endsInCr = false;   // a LF that comes next completes a CR LF
};

// The last line of a text; a length of more than kLongestBoxLine may be given as any such length.
BoxLine LastBoxLine(std::string_view text);

// The text to append to a box whose last line is `last`, with line breaks added so that no line
// grows past kLongestBoxLine characters; `last` becomes the box's last line after the append. A
// line that must be broken ends at its last lone LF when this text holds one (a CR goes before that
// LF), so that lines of a command that writes bare LFs stay whole; else a CR LF goes between two
// characters. Nothing is left out or reordered, and a UTF-8 character is never split. A box whose
// lines must stay whole gives a larger `longest`.
std::string BreakLongLines(std::string_view text, BoxLine& last, std::size_t longest = kLongestBoxLine);
