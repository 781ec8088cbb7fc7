// Lines in multi-line edit boxes: the last line of a text, and breaking lines that grow too long.
#include "platform/box_lines.h"

#include <algorithm>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// A UTF-8 character has at most 4 bytes.
constexpr std::size_t kLongestCharacter = 4;

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

std::size_t CountCharacters(std::string_view text)
{
    std::size_t count = 0;
    for (char byte : text) {
        count += StartsCharacter(byte) ? 1 : 0;
    }
    return count;
}

}  // namespace

// Only the end of the text is read: a tail this long without a CR LF already holds more than
// kLongestBoxLine characters.
BoxLine LastBoxLine(std::string_view text)
{
    std::string_view tail = text.substr(text.size() - std::min(text.size(), kLongestCharacter * kLongestBoxLine + 2));
    std::size_t lineEnd = tail.rfind(kLineEnd);
    std::string_view line = lineEnd == std::string_view::npos ? tail : tail.substr(lineEnd + kLineEnd.size());
    return {CountCharacters(line), !text.empty() && text.back() == '\r'};
}

std::string BreakLongLines(std::string_view text, BoxLine& last, std::size_t longest)
{
    std::string shown;
    shown.reserve(text.size() + text.size() / kLongestBoxLine * kLineEnd.size() + kLineEnd.size());
    // Where in `shown` the current line's last lone LF stands, if this text holds one.
    std::size_t loneLf = std::string::npos;
    for (char byte : text) {
        if (!StartsCharacter(byte)) {
            shown += byte;
            continue;
        }
        if (byte == '\n' && last.endsInCr) {
            shown += byte;
            last = {};
            loneLf = std::string::npos;
            continue;
        }
        if (last.length >= longest) {
            if (loneLf != std::string::npos) {
                shown.insert(loneLf, 1, '\r');
                last.length = CountCharacters(std::string_view(shown).substr(loneLf + kLineEnd.size()));
                loneLf = std::string::npos;
            } else {
                shown += kLineEnd;
                last.length = 0;
            }
        }
        if (byte == '\n') {
            loneLf = shown.size();
        }
        shown += byte;
        ++last.length;
        last.endsInCr = byte == '\r';
    }
    return shown;
}
