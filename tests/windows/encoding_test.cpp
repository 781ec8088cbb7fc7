// Tests of GBK conversion, output decoding, number parsing and the profile reader on Windows.
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";
// 你好; not valid UTF-8. Tests follow it with a line feed: its last byte could start a UTF-8
// character and would otherwise be held back for the next chunk.
const std::string kNiHaoGbk = "\xC4\xE3\xBA\xC3";

// What the code page itself makes of the bytes, for pages other than GBK.
std::string ThroughCodePage(UINT codePage, const std::string& bytes)
{
    wchar_t wide[64];
    int wideLength = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide, 64);
    char utf8[256];
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, utf8, sizeof utf8, nullptr, nullptr);
    return std::string(utf8, static_cast<std::size_t>(length));
}

TEST(Gbk, ChineseTextsSurviveTheRoundTrip)
{
    for (std::string text : {"华为", "荣耀 HiCar", "没有命令输入", "冗余html查看器", ""}) {
        EXPECT_EQ(GbkToUtf8(Utf8ToGbk(text)), text);
    }
    EXPECT_EQ(Utf8ToGbk("华为"), "\xBB\xAA\xCE\xAA");
}

TEST(Gbk, UndecodableBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(GbkToUtf8("a\xFF" "b"), "a" + kReplacement + "b");
    EXPECT_EQ(GbkToUtf8("\xBB\xAA\xFF"), "华" + kReplacement);
    EXPECT_EQ(GbkToUtf8("\x81\nx"), kReplacement + "\nx");  // a lead byte never takes a line feed
}

TEST(Gbk, CharactersGbkLacksBecomeQuestionMarks) { EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b"); }

TEST(OutputDecoder, TakesValidUtf8AsUtf8)
{
    OutputDecoder decoder;
    EXPECT_EQ(decoder.Decode("设备 device\r\n"), "设备 device\r\n");
    EXPECT_EQ(decoder.Finish(), "");
}

TEST(OutputDecoder, KeepsLineEndsAsWritten)
{
    OutputDecoder decoder;
    EXPECT_EQ(decoder.Decode("device\n"), "device\n");
    EXPECT_EQ(decoder.Decode("a\r"), "a\r");
    EXPECT_EQ(decoder.Decode("\nb"), "\nb");
}

TEST(OutputDecoder, ReadsOtherBytesInTheConsoleCodePage)
{
    OutputDecoder decoder(LegacyCodePage::Console);
    EXPECT_EQ(decoder.Decode(kNiHaoGbk + "\r\n"), ThroughCodePage(GetOEMCP(), kNiHaoGbk) + "\r\n");
}

TEST(OutputDecoder, ReadsOtherBytesInTheAnsiCodePageWhenAsked)
{
    OutputDecoder decoder(LegacyCodePage::Ansi);
    EXPECT_EQ(decoder.Decode(kNiHaoGbk + "\r\n"), ThroughCodePage(GetACP(), kNiHaoGbk) + "\r\n");
}

TEST(OutputDecoder, ChineseConsoleOutputSplitBetweenChunks)
{
    if (GetOEMCP() != 936) {
        GTEST_SKIP() << "the console code page is " << GetOEMCP() << ", not GBK";
    }
    OutputDecoder decoder;
    std::string text = decoder.Decode("\xC4");
    text += decoder.Decode("\xE3\xBA\xC3\r\n");
    EXPECT_EQ(text + decoder.Finish(), "你好\r\n");
}

// In GBK "时" (CA B1) and "品" (C6 B7) are byte pairs that would pass for UTF-8 on their own;
// the run they stand in is not UTF-8, so all of it is read in the code page.
TEST(OutputDecoder, GbkPairsThatPassForUtf8StayInTheirRun)
{
    if (GetACP() != 936) {
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not GBK";
    }
    OutputDecoder decoder(LegacyCodePage::Ansi);
    std::string text = decoder.Decode(Utf8ToGbk("【运行时间】\r\n品牌: x\r\n"));
    EXPECT_EQ(text + decoder.Finish(), "【运行时间】\r\n品牌: x\r\n");
}

TEST(OutputDecoder, MixedUtf8AndLegacyLinesDoNotCrash)
{
    OutputDecoder decoder;
    // A lead byte followed by a line feed must not swallow the line break.
    std::string text = decoder.Decode("ok\r\n\xFF\xFE\x81\x81\n设备\n");
    text += decoder.Finish();
    EXPECT_EQ(text.substr(0, 4), "ok\r\n");
    EXPECT_EQ(text.substr(text.size() - 8), "\n设备\n");
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

TEST(TextToInteger, FullWidthDigitsAndMinus)
{
    EXPECT_EQ(TextToInteger("１５"), 15);
    EXPECT_EQ(TextToInteger("－５"), -5);
    EXPECT_EQ(TextToInteger("　20秒"), 20);
}

TEST(ReadIniItem, ReadsAGbkFile)
{
    std::filesystem::path path = std::filesystem::temp_directory_path() / "pellucor_encoding_test.ini";
    std::ofstream(path, std::ios::binary) << Utf8ToGbk("[华为]\r\n 服务中心 = \"com.huawei.phoneservice\" \r\n[荣耀]\r\n天气=x\r\n");
    std::string file = path.string();
    EXPECT_EQ(ReadIniItem(file, "华为", "服务中心", "没有命令输入"), "com.huawei.phoneservice");
    EXPECT_EQ(ReadIniItem(file, "  荣耀", "天气", "没有命令输入"), "x");
    EXPECT_EQ(ReadIniItem(file, "华为", "天气", "没有命令输入"), "没有命令输入");
    std::filesystem::remove(path);
}

}  // namespace
