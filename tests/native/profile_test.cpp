// Tests of the profile reader on files written by each test: GBK, and what else Notepad saves.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/encoding.h"
#include "platform/profile.h"
#include "support/catalogue_file.h"

namespace {

const std::string kDefault = "没有命令输入";

class ProfileFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory_ = std::filesystem::temp_directory_path() /
                     ("profile_test_" + std::to_string(getpid()) + "_" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory_);
        path_ = (directory_ / "databank.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    // Writes the bytes as they are; callers convert to GBK where the file should hold GBK.
    void WriteBytes(const std::string& bytes) const
    {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    void WriteGbk(const std::string& utf8) const { WriteBytes(Utf8ToGbk(utf8)); }

    std::string Read(const std::string& section, const std::string& key) const
    {
        return ReadIniItem(path_, section, key, kDefault);
    }

    std::filesystem::path directory_;
    std::string path_;
};

TEST_F(ProfileFile, FindsAChineseKeyInAChineseSection)
{
    WriteGbk("[华为]\r\n服务中心=com.huawei.phoneservice\r\n[荣耀]\r\n服务中心=com.hihonor.phoneservice\r\n");
    EXPECT_EQ(Read("华为", "服务中心"), "com.huawei.phoneservice");
    EXPECT_EQ(Read("荣耀", "服务中心"), "com.hihonor.phoneservice");
}

TEST_F(ProfileFile, ValueComesBackAsUtf8)
{
    WriteGbk("[主菜单]\n查看设备=adb devices & echo 完成\n");
    EXPECT_EQ(Read("主菜单", "查看设备"), "adb devices & echo 完成");
}

TEST_F(ProfileFile, AcceptsLfAndCrLfLineEndsAndNoFinalLineEnd)
{
    WriteGbk("[a]\nx=1\r\ny=2\nz=3");
    EXPECT_EQ(Read("a", "x"), "1");
    EXPECT_EQ(Read("a", "y"), "2");
    EXPECT_EQ(Read("a", "z"), "3");
}

TEST_F(ProfileFile, BlanksAroundNamesEqualsSignAndValueAreDropped)
{
    WriteGbk("  [ 华为 ]  \r\n  天气 \t=  com.huawei.android.totemweather \t\r\n");
    EXPECT_EQ(Read("华为", "天气"), "com.huawei.android.totemweather");
}

TEST_F(ProfileFile, BlanksInsideTheValueStay)
{
    WriteGbk("[主菜单]\r\n查看设备 = adb  devices -l \r\n");
    EXPECT_EQ(Read("主菜单", "查看设备"), "adb  devices -l");
}

TEST_F(ProfileFile, OnePairOfEnclosingQuotesIsDropped)
{
    WriteGbk("[a]\r\nd=\" two words \"\r\ns='single'\r\nm=\"mixed'\r\nn=\"\"x\"\"\r\nq=\"\r\n");
    EXPECT_EQ(Read("a", "d"), " two words ");
    EXPECT_EQ(Read("a", "s"), "single");
    EXPECT_EQ(Read("a", "m"), "\"mixed'");
    EXPECT_EQ(Read("a", "n"), "\"x\"");
    EXPECT_EQ(Read("a", "q"), "\"");
}

TEST_F(ProfileFile, AsciiNamesMatchInAnyCase)
{
    WriteGbk("[Section]\r\nHMS=com.huawei.hwid\r\n冗余AR引擎1=com.huawei.arengine.service\r\n");
    EXPECT_EQ(Read("SECTION", "hms"), "com.huawei.hwid");
    EXPECT_EQ(Read("section", "冗余ar引擎1"), "com.huawei.arengine.service");
}

TEST_F(ProfileFile, TrailBytesThatLookLikeLettersAreNotCaseFolded)
{
    // 丄 is 0x81 0x41 ('A') and 乤 is 0x81 0x61 ('a'): they differ only in a trail byte that
    // an ASCII case fold would merge.
    ASSERT_EQ(Utf8ToGbk("丄"), "\x81\x41");
    ASSERT_EQ(Utf8ToGbk("乤"), "\x81\x61");
    WriteGbk("[s]\r\n丄=upper\r\n");
    EXPECT_EQ(Read("s", "乤"), kDefault);
    EXPECT_EQ(Read("s", "丄"), "upper");
}

TEST_F(ProfileFile, ClosingBracketAsATrailByteDoesNotEndTheSectionName)
{
    // 乚 is 0x81 0x5D: its trail byte is ']'.
    ASSERT_EQ(Utf8ToGbk("乚"), "\x81\x5D");
    WriteGbk("[a乚b]\r\nk=v\r\n");
    EXPECT_EQ(Read("a乚b", "k"), "v");
}

TEST_F(ProfileFile, FirstOccurrenceOfSectionAndKeyWins)
{
    WriteGbk("[华为]\r\n天气=first\r\n天气=second\r\n[荣耀]\r\n[华为]\r\n天气=third\r\n备份=only-later\r\n");
    EXPECT_EQ(Read("华为", "天气"), "first");
    EXPECT_EQ(Read("华为", "备份"), kDefault);
}

TEST_F(ProfileFile, LeadingBlanksAndControlsOfTheCallsNamesAreSkipped)
{
    WriteGbk("[华为]\r\n天气=weather\r\n");
    EXPECT_EQ(Read("  华为", " \t天气"), "weather");
    EXPECT_EQ(ReadIniItem("  " + path_, "华为", "天气", kDefault), "weather");
}

TEST_F(ProfileFile, EmptyNameGivesEmptyTextNotTheDefault)
{
    WriteGbk("[华为]\r\n天气=weather\r\n");
    EXPECT_EQ(Read("", "天气"), "");
    EXPECT_EQ(Read("华为", "  "), "");
    EXPECT_EQ(ReadIniItem(" ", "华为", "天气", kDefault), "");
}

TEST_F(ProfileFile, PresentKeyWithEmptyValueGivesEmptyText)
{
    WriteGbk("[华为]\r\n天气=\r\n主题=  \r\n");
    EXPECT_EQ(Read("华为", "天气"), "");
    EXPECT_EQ(Read("华为", "主题"), "");
}

TEST_F(ProfileFile, CommentsAndLinesWithoutEqualsSignAreNoItems)
{
    WriteGbk("; header comment\r\n[华为]\r\n;天气=commented\r\n天气\r\n  ;主题=x\r\n");
    EXPECT_EQ(Read("华为", "天气"), kDefault);
    EXPECT_EQ(Read("华为", ";天气"), kDefault);
    EXPECT_EQ(Read("华为", "主题"), kDefault);
}

TEST_F(ProfileFile, KeysBeforeAnySectionBelongToNone)
{
    WriteGbk("天气=orphan\r\n[华为]\r\n主题=theme\r\n");
    EXPECT_EQ(Read("华为", "天气"), kDefault);
    EXPECT_EQ(Read("华为", "主题"), "theme");
}

// What Notepad saves: UTF-8 (its default since Windows 10 1903) with or without a byte-order
// mark, and UTF-16 ("Unicode") with one. In UTF-8 the last byte of "华为" (0xBA) is a GBK lead
// byte: read with GBK's pairing it would swallow the closing bracket.
TEST_F(ProfileFile, Utf8FileIsReadWithAndWithoutByteOrderMark)
{
    const std::string text = "[华为]\r\n天气 = com.huawei.天气\r\nHMS=com.huawei.hwid\r\n";
    for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
        WriteBytes(mark + text);
        EXPECT_EQ(Read("华为", "天气"), "com.huawei.天气") << mark.size();
        EXPECT_EQ(Read("华为", "hms"), "com.huawei.hwid") << mark.size();
        EXPECT_EQ(Read("华为", "主题"), kDefault) << mark.size();
    }
}

TEST_F(ProfileFile, Utf16FileIsReadInEitherByteOrder)
{
    // An emoji takes a surrogate pair; a lone surrogate is no character at all.
    const std::u16string text = u"[荣耀]\r\n天气=com.hihonor.weather\r\n主题=a😀b\xD800" u"c\r\n";
    for (bool bigEndian : {false, true}) {
        WriteBytes(Utf16WithMark(text, bigEndian));
        EXPECT_EQ(Read("荣耀", "天气"), "com.hihonor.weather") << bigEndian;
        EXPECT_EQ(Read("荣耀", "主题"), "a😀b\uFFFDc") << bigEndian;
        EXPECT_EQ(Read("华为", "天气"), kDefault) << bigEndian;
    }
}

TEST_F(ProfileFile, BytesThatAreNoUtf8CharacterComeBackReplaced)
{
    WriteBytes("\xEF\xBB\xBF[a]\r\nk=x\xFFy\xE5\x8Dz\r\n");
    EXPECT_EQ(Read("a", "k"), "x\uFFFDy\uFFFD\uFFFDz");
}

TEST_F(ProfileFile, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(Read("华为", "天气"), kDefault);
    WriteGbk("[华为]\r\n天气=weather\r\n");
    EXPECT_EQ(Read("荣耀", "天气"), kDefault);
    EXPECT_EQ(Read("华为", "主题"), kDefault);
    EXPECT_EQ(ReadIniItem(path_, "华为", "主题", ""), "");
}

TEST_F(ProfileFile, DirectoryInsteadOfFileGivesTheDefault)
{
    EXPECT_EQ(ReadIniItem(directory_.string(), "华为", "天气", kDefault), kDefault);
}

TEST_F(ProfileFile, ChangesToTheFileShowAtTheNextRead)
{
    WriteGbk("[华为]\r\n天气=old\r\n");
    EXPECT_EQ(Read("华为", "天气"), "old");
    WriteGbk("[华为]\r\n天气=new\r\n");
    EXPECT_EQ(Read("华为", "天气"), "new");
}

TEST_F(ProfileFile, BinaryGarbageIsReadSafely)
{
    std::string garbage;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245 + 12345;
        garbage += static_cast<char>(state >> 16);
    }
    WriteBytes(garbage + Utf8ToGbk("\n[华为]\n天气=found\n") + garbage);
    EXPECT_EQ(Read("华为", "天气"), "found");
    EXPECT_EQ(Read("华为", "主题"), kDefault);
}

TEST_F(ProfileFile, ZeroByteEndsTheValue)
{
    WriteBytes(std::string("[a]\r\nk=ab\0cd\r\n", 14));
    EXPECT_EQ(Read("a", "k"), "ab");
}

TEST_F(ProfileFile, HugeFileWithTheItemAtTheEndIsFound)
{
    std::string filler;
    for (int i = 0; i < 400000; ++i) {
        filler += "filler" + std::to_string(i) + "=com.example.package.name.long\r\n";
    }
    WriteGbk("[其他]\r\n" + filler + "[华为]\r\n" + std::string(5'000'000, 'x') + "\r\n天气=last\r\n");
    EXPECT_EQ(Read("华为", "天气"), "last");
}

TEST_F(ProfileFile, LongValueIsCutToTheBufferAtACharacterBoundary)
{
    // 10239 is odd: a plain cut there would keep the lead byte of the last character alone.
    std::string value;
    for (int i = 0; i < 6000; ++i) {
        value += "华";
    }
    WriteGbk("[华为]\r\n天气=" + value + "\r\n");
    std::string read = Read("华为", "天气");
    EXPECT_EQ(Utf8ToGbk(read).size(), 10238u);
    EXPECT_EQ(read, value.substr(0, 5119 * 3));
}

TEST_F(ProfileFile, LongUtf8ValueIsCutAtACharacterBoundary)
{
    // "x" and 3413 three-byte characters make 10240 bytes: the cut at 10239 falls inside the last.
    std::string value = "x";
    for (int i = 0; i < 3413; ++i) {
        value += "华";
    }
    WriteBytes("[a]\r\nk=" + value + "\r\n");
    EXPECT_EQ(Read("a", "k"), value.substr(0, 10237));
}

TEST_F(ProfileFile, ValueThatFitsIsNotCut)
{
    std::string value(10239, 'v');
    WriteGbk("[a]\r\nk=" + value + "\r\nlong=" + value + "w\r\n");
    EXPECT_EQ(Read("a", "k"), value);
    EXPECT_EQ(Read("a", "long"), value);
}

}  // namespace
