// Tests of the text operations: joining, comparing, number parsing and byte blocks.
#include <gtest/gtest.h>

#include <climits>

#include "platform/text.h"

namespace {

TEST(JoinText, AbsentPartsCountAsEmpty)
{
    EXPECT_EQ(JoinText({"", "adb devices"}), "adb devices");
    EXPECT_EQ(JoinText({"", ""}), "");
    EXPECT_EQ(JoinText({}), "");
}

TEST(JoinText, KeepsEveryPartInOrder)
{
    EXPECT_EQ(JoinText({"adb shell pm uninstall --user 0 ", "com.example", "\r\n"}),
              "adb shell pm uninstall --user 0 com.example\r\n");
}

TEST(CompareText, AbsentEqualsEmpty) { EXPECT_EQ(CompareText("", std::string()), 0); }

TEST(CompareText, TrailingLineBreakMakesTextsDifferent)
{
    EXPECT_NE(CompareText("device", "device\r\n"), 0);
    EXPECT_LT(CompareText("device", "device\r\n"), 0);
    EXPECT_GT(CompareText("device\r\n", "device"), 0);
}

TEST(CompareText, IsCaseSensitiveAndExact)
{
    EXPECT_NE(CompareText("Device", "device"), 0);
    EXPECT_NE(CompareText(" device", "device"), 0);
    EXPECT_EQ(CompareText("已连接", "已连接"), 0);
}

TEST(CompareText, OrdersBytesAsUnsigned)
{
    // A signed char comparison would put the Chinese text before the ASCII one.
    EXPECT_GT(CompareText("华", "z"), 0);
    EXPECT_LT(CompareText("z", "华"), 0);
}

TEST(TextToInteger, ParsesLikeAtoi)
{
    EXPECT_EQ(TextToInteger("15"), 15);
    EXPECT_EQ(TextToInteger(""), 0);
    EXPECT_EQ(TextToInteger(" 20"), 20);
    EXPECT_EQ(TextToInteger("\t\r\n 7"), 7);
    EXPECT_EQ(TextToInteger("30s"), 30);
    EXPECT_EQ(TextToInteger("2.9"), 2);
    EXPECT_EQ(TextToInteger("-5"), -5);
    EXPECT_EQ(TextToInteger("+8"), 8);
    EXPECT_EQ(TextToInteger("abc"), 0);
    EXPECT_EQ(TextToInteger("- 5"), 0);
    EXPECT_EQ(TextToInteger("007"), 7);
}

TEST(TextToInteger, FullWidthFormsGiveTheSameNumberAsAscii)
{
    EXPECT_EQ(TextToInteger("１５"), 15);
    EXPECT_EQ(TextToInteger("－５"), -5);
    EXPECT_EQ(TextToInteger("＋１2"), 12);
    EXPECT_EQ(TextToInteger("　20"), 20);  // ideographic space
    EXPECT_EQ(TextToInteger("3０秒"), 30);
}

TEST(TextToInteger, OtherWideCharactersStopTheDigits)
{
    EXPECT_EQ(TextToInteger("12秒"), 12);
    EXPECT_EQ(TextToInteger("秒12"), 0);
    EXPECT_EQ(TextToInteger("～5"), 0);  // the tilde folds to '~', which is no sign
    EXPECT_EQ(TextToInteger("、5"), 0);  // 0xA1 0xA2 is no blank
    EXPECT_EQ(TextToInteger("\U0001F600" "42"), 0);  // GBK lacks it: '?'
    EXPECT_EQ(TextToInteger("\U000E0001" "42"), 0);  // a tag character, which iconv would drop
}

TEST(TextToInteger, SaturatesInsteadOfOverflowing)
{
    EXPECT_EQ(TextToInteger("2147483647"), INT_MAX);
    EXPECT_EQ(TextToInteger("2147483648"), INT_MAX);
    EXPECT_EQ(TextToInteger("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(TextToInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(TextToInteger("-99999999999999999999999"), INT_MIN);
}

TEST(TextToInteger, InvalidUtf8DoesNoHarm)
{
    EXPECT_EQ(TextToInteger("\xFF\xFE" "5"), 0);
    EXPECT_EQ(TextToInteger("5\xFF"), 5);
}

TEST(ByteBlocks, TextStopsAtTheFirstZeroByte)
{
    Bytes bytes = {'o', 'k', 0, 'x'};
    EXPECT_EQ(BytesToText(bytes), "ok");
    EXPECT_EQ(ToText(bytes), "ok");
}

TEST(ByteBlocks, TextWithoutZeroByteKeepsAllBytes)
{
    Bytes bytes = {'a', 'd', 'b'};
    EXPECT_EQ(BytesToText(bytes), "adb");
    EXPECT_EQ(BytesToText(Bytes{}), "");
}

TEST(ByteBlocks, ZeroBytesIsZeroFilledAndNeverNegative)
{
    Bytes block = ZeroBytes(1024);
    ASSERT_EQ(block.size(), 1024u);
    for (std::uint8_t byte : block) {
        ASSERT_EQ(byte, 0);
    }
    EXPECT_TRUE(ZeroBytes(0).empty());
    EXPECT_TRUE(ZeroBytes(-3).empty());
}

}  // namespace
