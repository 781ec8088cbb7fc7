// Fuzzes how the operation-log window shows a log file, which may hold anything after damage.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/operation_log.h"
#include "core/operation_log_window.h"
#include "fuzz/check.h"

namespace {

// The window's cap on a line, the mark of a cut one, and that of a record left unfinished.
constexpr std::size_t kLongestLine = 4000 + std::string_view("…").size() + kUnfinishedRecordMark.size();

}  // namespace

// The first byte says whether the bytes are a tail cut from a longer file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    FileTail file;
    file.cut = (data[0] & 1) != 0;
    file.bytes.assign(data + 1, data + size);
    std::string shown = LogTextForDisplay(file);

    FUZZ_CHECK(Utf8CodePoints(shown));
    FUZZ_CHECK(shown.empty() || shown.ends_with("\r\n"));
    std::string_view rest = shown;
    while (!rest.empty()) {
        std::size_t end = rest.find("\r\n");
        std::string_view line = rest.substr(0, end);
        FUZZ_CHECK(!line.empty() && line.size() <= kLongestLine);
        FUZZ_CHECK(line.find_first_not_of(" \t") != std::string_view::npos);
        for (char c : line) {
            auto byte = static_cast<unsigned char>(c);
            FUZZ_CHECK((byte >= 0x20 && byte != 0x7F) || c == '\t');
        }
        FUZZ_CHECK(line.find("\xEF\xBB\xBF") == std::string_view::npos);
        rest.remove_prefix(end + 2);
    }
    return 0;
}
