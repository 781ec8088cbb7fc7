// Tests of GBK conversion and of decoding captured output chunk by chunk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/encoding.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

// Decodes the chunks one after another and finishes, as the command runner does.
std::string DecodeChunks(const std::vector<std::string>& chunks, LegacyCodePage page = LegacyCodePage::Console)
{
    OutputDecoder decoder(page);
    std::string text;
    for (const std::string& chunk : chunks) {
        text += decoder.Decode(chunk);
    }
    return text + decoder.Finish();
}

TEST(Gbk, ConvertsBothWaysAndMarksWhatItCannot)
{
    for (std::string text : {"华为", "荣耀 HiCar", "没有命令输入", "冗余html查看器", "运行时出错!\r\n", ""}) {
        EXPECT_EQ(GbkToUtf8(Utf8ToGbk(text)), text);
    }
    EXPECT_EQ(Utf8ToGbk("华为"), "\xBB\xAA\xCE\xAA");
    EXPECT_EQ(GbkToUtf8("\xC8\xD9\xD2\xAB"), "荣耀");
    EXPECT_EQ(Utf8ToGbk("１"), "\xA3\xB1");
    // Bytes that are no GBK become U+FFFD, a lead byte without its trail byte too.
    EXPECT_EQ(GbkToUtf8("a\xFF" "b"), "a" + kReplacement + "b");
    EXPECT_EQ(GbkToUtf8("ok\xBB"), "ok" + kReplacement);
    // Characters GBK lacks, invalid UTF-8, tag characters and one past them become '?'.
    EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToGbk("a\xFF" "b"), "a?b");
    EXPECT_EQ(Utf8ToGbk("a\U000E0001\U000E007F" "b\U000E0080"), "a??b?");
}

struct Decoding {
    const char* name;
    std::vector<std::string> chunks;
    std::string text;
    LegacyCodePage page = LegacyCodePage::Console;
};

// Bytes that are not UTF-8 are read in code page 936, as on the users' Windows: a lead byte takes
// the byte after it, ASCII included; what means nothing becomes U+FFFD. Each case is decoded in its
// chunks, whole, cut in two at every point and byte by byte: the text must not change. A run of
// non-ASCII bytes is judged as a whole, so a read that ends inside it must not decide on the part
// it has seen. The companion scripts write GBK, also where no legacy code page exists: whole
// characters come through wherever a read ends, and adb's UTF-8 beside them stays UTF-8.
TEST(OutputDecoder, DecodesTheSameWhereverTheChunkBordersFall)
{
    const Decoding cases[] = {
        {"UTF-8 passes through", {"设备 device\r\n"}, "设备 device\r\n"},
        {"a character split over three chunks", {"a\xF0\x9F", "\x98", "\x80z"}, "a😀z"},
        {"lone line feeds become CR LF", {"one\ntwo\n"}, "one\r\ntwo\r\n"},
        {"line feeds alone", {"\n\n"}, "\r\n\r\n"},
        {"CR LF stays CR LF", {"one\r\ntwo\r\n"}, "one\r\ntwo\r\n"},
        {"CR at a chunk's end pairs with the next line feed", {"one\r", "\ntwo"}, "one\r\ntwo"},
        {"line feed after a chunk ending in text", {"one", "\ntwo"}, "one\r\ntwo"},
        {"line feed after a chunk ending in a character", {"设备", "\n"}, "设备\r\n"},
        {"line ends around a four-byte character", {"one\r\ntwo\n\r\n\xF0\x9F\x98\x80\n"}, "one\r\ntwo\r\n\r\n😀\r\n"},
        {"a byte that is nothing", {"a\xFF" "b"}, "a" + kReplacement + "b"},
        {"the euro sign, then a cut-off lead byte", {"\x80\xBF"}, "€" + kReplacement},
        {"a lead byte takes ASCII", {"\xE8" "ab"}, "鑑b"},
        {"a lead byte before a line feed", {"\xE8", "\n"}, kReplacement + "\r\n"},
        {"an invalid byte makes its whole run GBK; a lead byte at the end takes ASCII", {"设备\xFF设备\n设备\r\n\xE8" "a"},
         GbkToUtf8("设备\xFF设备") + "\r\n设备\r\n鑑"},
        {"an overlong UTF-8 form", {"\xC0\xAF"}, "蜡"},
        {"a UTF-8 surrogate", {"\xED\xA0\x80"}, "頎€"},
        {"UTF-8, then a byte that makes the run not UTF-8", {"\xC3\xA9\x80"}, "茅€"},
        {"GBK whose first two bytes alone pass for UTF-8", {"x \xD6\xB8\xB6\xA8\r\n"}, "x 指定\r\n"},
        {"a character cut off by the end", {"ok 中文\xE4"}, "ok 中文" + kReplacement},
        {"a character cut off by the end, in chunks", {"ok 中", "文\xE4\xB8"}, "ok 中文" + kReplacement},
        {"empty chunks change nothing", {"", "a\xE8", "", "\xBF\x9E", ""}, "a连"},
        {"the GBK page on script output", {Utf8ToGbk("没有找到手机。") + "\r\nmodel: 畅享\r\n\xD6" "A\xFF"},
         "没有找到手机。\r\nmodel: 畅享\r\n" + GbkToUtf8("\xD6" "A") + kReplacement, LegacyCodePage::Gbk},
    };
    for (const Decoding& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecodeChunks(row.chunks, row.page), row.text);
        std::string bytes;
        for (const std::string& chunk : row.chunks) {
            bytes += chunk;
        }
        for (std::size_t split = 0; split <= bytes.size(); ++split) {
            ASSERT_EQ(DecodeChunks({bytes.substr(0, split), bytes.substr(split)}, row.page), row.text)
                << "split after byte " << split;
        }
        std::vector<std::string> bytewise;
        for (char byte : bytes) {
            bytewise.emplace_back(1, byte);
        }
        EXPECT_EQ(DecodeChunks(bytewise, row.page), row.text);
    }
}

// Finish hands out what was held back and starts afresh; a byte that can never complete a
// character is not held back.
TEST(OutputDecoder, HoldsBackOnlyWhatMayStillComplete)
{
    OutputDecoder decoder;
    EXPECT_EQ(decoder.Decode("x\xFF"), "x" + kReplacement);
    EXPECT_EQ(decoder.Finish(), "");
    EXPECT_EQ(decoder.Decode("ok\xE8\xBF"), "ok");
    EXPECT_EQ(decoder.Finish(), kReplacement);
    EXPECT_EQ(decoder.Finish(), "");
    decoder.Decode("one\r");
    decoder.Finish();
    EXPECT_EQ(decoder.Decode("\n"), "\r\n");
}

// Long ASCII runs are scanned eight bytes at a time: a line feed or a non-ASCII character at any
// offset inside such a word must still be seen.
TEST(OutputDecoder, LineFeedsAndCharactersAtEveryOffsetOfALongRun)
{
    const std::string run(24, 'x');
    for (std::size_t at = 0; at < run.size(); ++at) {
        OutputDecoder decoder;
        EXPECT_EQ(decoder.Decode(run.substr(0, at) + "\n" + run.substr(at)), run.substr(0, at) + "\r\n" + run.substr(at))
            << "line feed at " << at;
        EXPECT_EQ(decoder.Decode(run.substr(0, at) + "设" + run.substr(at)), run.substr(0, at) + "设" + run.substr(at))
            << "character at " << at;
        EXPECT_EQ(decoder.Decode(run.substr(0, at) + "\xFF" + run.substr(at)), run.substr(0, at) + kReplacement + run.substr(at))
            << "invalid byte at " << at;
    }
}

// A long line of UTF-8 without ASCII is shown as it arrives, held back only a few KB, also when
// no read ends on a character border (after the "x", every read of 1023 bytes cuts a character).
TEST(OutputDecoder, LongLineWithoutAsciiIsNotHeldBackWhole)
{
    std::string line = "x";
    while (line.size() < 256 * 1024) {
        line += "中文字符";
    }
    OutputDecoder decoder;
    std::string shown;
    for (std::size_t at = 0; at < line.size(); at += 1023) {
        shown += decoder.Decode(std::string_view(line).substr(at, 1023));
        EXPECT_LE(std::min(at + 1023, line.size()) - shown.size(), 8u * 1024) << "after byte " << at;
    }
    EXPECT_EQ(shown + decoder.Finish(), line);
}

}  // namespace
