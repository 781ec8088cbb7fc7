// Tests of the text operations: comparing, number parsing and byte blocks.
#include <gtest/gtest.h>

#include <climits>

#include "platform/text.h"

namespace {

TEST(CompareText, IsExactAndOrdersBytesAsUnsigned)
{
    EXPECT_EQ(CompareText("", std::string()), 0);
    EXPECT_EQ(CompareText("已连接", "已连接"), 0);
    EXPECT_LT(CompareText("device", "device\r\n"), 0);
    EXPECT_GT(CompareText("device\r\n", "device"), 0);
    EXPECT_NE(CompareText("Device", "device"), 0);
    EXPECT_NE(CompareText(" device", "device"), 0);
    // A signed char comparison would put the Chinese text before the ASCII one.
    EXPECT_GT(CompareText("华", "z"), 0);
    EXPECT_LT(CompareText("z", "华"), 0);
}

// Like atoi, with full-width forms read as their ASCII ones and saturation instead of overflow.
TEST(TextToInteger, ParsesLikeAtoiOnTheGbkText)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"15", 15}, {"", 0}, {" 20", 20}, {"\t\r\n 7", 7}, {"30s", 30}, {"2.9", 2}, {"-5", -5}, {"+8", 8},
        {"abc", 0}, {"- 5", 0}, {"007", 7},
        {"１５", 15}, {"－５", -5}, {"＋１2", 12}, {"　20", 20} /* ideographic space */, {"3０秒", 30},
        {"12秒", 12}, {"秒12", 0},
        {"～5", 0},                // the tilde folds to '~', which is no sign
        {"、5", 0},                // 0xA1 0xA2 is no blank
        {"\U0001F600" "42", 0},    // GBK lacks it: '?'
        {"\U000E0001" "42", 0},    // a tag character, which iconv would drop
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN}, {"-99999999999999999999999", INT_MIN},
        {"\xFF\xFE" "5", 0}, {"5\xFF", 5},  // invalid UTF-8
    };
    for (const auto& row : cases) {
        EXPECT_EQ(TextToInteger(row.text), row.value) << testing::PrintToString(row.text);
    }
}

TEST(ByteBlocks, TextStopsAtTheFirstZeroByteAndZeroBlocksAreNeverNegative)
{
    EXPECT_EQ(BytesToText(Bytes{'o', 'k', 0, 'x'}), "ok");
    EXPECT_EQ(ToText(Bytes{'o', 'k', 0, 'x'}), "ok");
    EXPECT_EQ(BytesToText(Bytes{'a', 'd', 'b'}), "adb");
    EXPECT_EQ(BytesToText(Bytes{}), "");
    EXPECT_EQ(ZeroBytes(1024), Bytes(1024, 0));
    EXPECT_TRUE(ZeroBytes(0).empty());
    EXPECT_TRUE(ZeroBytes(-3).empty());
}

}  // namespace
