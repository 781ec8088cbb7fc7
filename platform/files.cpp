// The parts of appending to a text file that are the same on every system: what goes before the
// text, and how long a program waits for its turn.
#include "platform/files.h"

#include <chrono>
#include <thread>

namespace {

// Another program holds the turn for the microseconds of one write; one that holds it longer
// (stopped in a debugger) must not hold up an action.
constexpr auto kLongestTurnWait = std::chrono::milliseconds(300);
constexpr auto kTurnRetry = std::chrono::milliseconds(1);

}  // namespace

// A file that holds the header alone (emptied in an editor that keeps the mark) is at the start
// of a line.
std::string TextToAppend(std::uint64_t size, char lastByte, std::string_view text, std::string_view header,
                         std::string_view unfinishedMark)
{
    bool headerOnly = !header.empty() && size == header.size() && lastByte == header.back();
    if (size == 0) {
        return JoinText({header, text});
    }
    if (lastByte == '\n' || headerOnly) {
        return std::string(text);
    }
    return lastByte == '\r' ? JoinText({"\n", text}) : JoinText({unfinishedMark, "\r\n", text});
}

bool TakeTurn(const std::function<bool()>& tryOnce)
{
    const auto giveUp = std::chrono::steady_clock::now() + kLongestTurnWait;
    while (!tryOnce()) {
        if (std::chrono::steady_clock::now() >= giveUp) {
            return false;
        }
        std::this_thread::sleep_for(kTurnRetry);
    }
    return true;
}
