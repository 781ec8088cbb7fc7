// Fuzzes the captured-output decoder: any bytes, any chunk borders, each legacy code page.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/check.h"
#include "platform/encoding.h"

namespace {

// How much of the output the decoder may hold back at a chunk border: a few KB.
constexpr std::size_t kMaxHeldBytes = 4096 + 3;

// Decodes bytes in chunks of the sizes that next() gives, then finishes; held is what the
// chunks alone had not yet shown.
template <typename NextSize>
std::string DecodeInChunks(OutputDecoder& decoder, std::string_view bytes, NextSize next, std::size_t& held)
{
    std::string text;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t size = next();
        text += decoder.Decode(bytes.substr(at, size));
        at += size;
    }
    std::size_t shown = text.size();
    text += decoder.Finish();
    held = text.size() - shown;
    return text;
}

// Valid UTF-8 comes through unchanged but for line ends: a lone LF gains its CR.
std::string WithCrLf(std::string_view utf8)
{
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) {
            text += '\r';
        }
        text += utf8[i];
    }
    return text;
}

}  // namespace

// The first byte picks the code page (its value modulo 3) and seeds the chunk sizes; the rest is the
// output.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    constexpr LegacyCodePage kPages[] = {LegacyCodePage::Console, LegacyCodePage::Ansi, LegacyCodePage::Gbk};
    LegacyCodePage page = kPages[data[0] % 3];
    std::uint32_t state = 0x9E3779B9u ^ data[0];
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    OutputDecoder decoder(page);
    std::string whole = decoder.Decode(bytes);
    whole += decoder.Finish();
    FUZZ_CHECK(Utf8CodePoints(whole));
    FUZZ_CHECK(decoder.Finish().empty());

    bool utf8 = Utf8CodePoints(bytes);
    if (utf8) {
        FUZZ_CHECK(whole == WithCrLf(bytes));
    }

    // The decoder is used again after each Finish: it must start afresh.
    std::size_t held = 0;
    auto check = [&](auto next) {
        FUZZ_CHECK(DecodeInChunks(decoder, bytes, next, held) == whole);
        FUZZ_CHECK(!utf8 || held <= kMaxHeldBytes);
    };
    check([] { return std::size_t{1023}; });  // the runner's reads
    check([&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state & 3) == 0 ? state % 7 + 1 : state % 1100 + 1;  // tiny ones among reads of up to 1100 bytes
    });
    if (bytes.size() <= 512) {
        check([] { return std::size_t{1}; });
    }
    if (bytes.size() <= 64) {
        for (std::size_t split = 1; split < bytes.size(); ++split) {
            bool first = true;
            check([&] {
                std::size_t size = first ? split : bytes.size() - split;
                first = false;
                return size;
            });
        }
    }
    return 0;
}
