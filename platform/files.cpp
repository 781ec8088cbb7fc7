// The part of appending to a text file that is the same on every system: what goes before the text.
#include "platform/files.h"

std::string TextToAppend(std::uint64_t size, char lastByte, std::string_view text, std::string_view header)
{
    std::string_view before = size == 0 ? header : (lastByte == '\n' ? "" : "\r\n");
    return JoinText({before, text});
}
