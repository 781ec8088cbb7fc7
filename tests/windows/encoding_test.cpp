// GBK and the system's code pages through the Win32 conversions: what differs from the native
// build (whose decoder logic the native encoding tests cover) is the code-page half and line ends.
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/encoding.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";
// 你好; not valid UTF-8. Tests follow it with a line feed: its last byte could start a UTF-8
// character and would otherwise be held back for the next chunk.
const std::string kNiHaoGbk = "\xC4\xE3\xBA\xC3";

// What the code page itself makes of the bytes.
std::string ThroughCodePage(UINT codePage, const std::string& bytes)
{
    wchar_t wide[64];
    int wideLength = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide, 64);
    char utf8[256];
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, utf8, sizeof utf8, nullptr, nullptr);
    return std::string(utf8, static_cast<std::size_t>(length));
}

TEST(Gbk, ConvertsBothWaysAndMarksWhatCannotBeConverted)
{
    for (std::string text : {"华为", "荣耀 HiCar", "没有命令输入", "冗余html查看器", ""}) {
        EXPECT_EQ(GbkToUtf8(Utf8ToGbk(text)), text);
    }
    EXPECT_EQ(Utf8ToGbk("华为"), "\xBB\xAA\xCE\xAA");
    EXPECT_EQ(GbkToUtf8("a\xFF" "b"), "a" + kReplacement + "b");
    EXPECT_EQ(GbkToUtf8("\xBB\xAA\xFF"), "华" + kReplacement);
    EXPECT_EQ(GbkToUtf8("\x81\nx"), kReplacement + "\nx");  // a lead byte never takes a line feed
    EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");
}

// Line ends stay as written on Windows; bytes that are not UTF-8 are read in the page asked for.
TEST(OutputDecoder, KeepsLineEndsAndReadsOtherBytesInTheSystemsCodePages)
{
    OutputDecoder lineEnds;
    EXPECT_EQ(lineEnds.Decode("device\n"), "device\n");
    EXPECT_EQ(lineEnds.Decode("a\r"), "a\r");
    EXPECT_EQ(lineEnds.Decode("\nb"), "\nb");
    const std::pair<LegacyCodePage, UINT> pages[] = {{LegacyCodePage::Console, GetOEMCP()},
                                                     {LegacyCodePage::Ansi, GetACP()}};
    for (const auto& [page, codePage] : pages) {
        OutputDecoder decoder(page);
        EXPECT_EQ(decoder.Decode(kNiHaoGbk + "\r\n"), ThroughCodePage(codePage, kNiHaoGbk) + "\r\n") << codePage;
    }
}

// What decoding all of bytes at once gives, and what it gives cut in two at every byte and cut
// into single bytes: the same text, or the first border that changes it.
void ExpectTheSameWhereverTheChunkBordersFall(LegacyCodePage page, const std::string& bytes, const std::string& text)
{
    auto decode = [page](const std::vector<std::string>& chunks) {
        OutputDecoder decoder(page);
        std::string decoded;
        for (const std::string& chunk : chunks) {
            decoded += decoder.Decode(chunk);
        }
        return decoded + decoder.Finish();
    };
    EXPECT_EQ(decode({bytes}), text);
    for (std::size_t split = 1; split < bytes.size(); ++split) {
        ASSERT_EQ(decode({bytes.substr(0, split), bytes.substr(split)}), text) << "split after byte " << split;
    }
    std::vector<std::string> single;
    for (char byte : bytes) {
        single.emplace_back(1, byte);
    }
    EXPECT_EQ(decode(single), text);
}

// cmd.exe writes GBK, adb UTF-8. "指定" is D6 B8 B6 A8 in GBK, and D6 B8 alone would pass for
// UTF-8; "丄" is 81 41, its trail byte an ASCII letter; the output ends inside a UTF-8 character.
// The GBK page reads so whatever the system's code pages are; the others where they are GBK.
TEST(OutputDecoder, GbkAndUtf8GiveTheSameTextWhereverTheChunkBordersFall)
{
    const std::string bytes = "设备 device\r\n" + Utf8ToGbk("指定的路径不存在。\r\n丄x\r\n") + "中文\xE4";
    const std::string text = "设备 device\r\n指定的路径不存在。\r\n丄x\r\n中文" + kReplacement;
    ExpectTheSameWhereverTheChunkBordersFall(LegacyCodePage::Gbk, bytes, text);
    if (GetOEMCP() != 936 || GetACP() != 936) {
        GTEST_SKIP() << "the code pages are " << GetOEMCP() << " and " << GetACP() << ", not GBK";
    }
    ExpectTheSameWhereverTheChunkBordersFall(LegacyCodePage::Console, bytes, text);
    ExpectTheSameWhereverTheChunkBordersFall(LegacyCodePage::Ansi, bytes, text);
}

}  // namespace
