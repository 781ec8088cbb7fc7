// Tests of the profile reader on files written by each test: GBK, and what else Notepad saves.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/profile.h"
#include "support/catalogue_file.h"

namespace {

const std::string kDefault = "没有命令输入";

struct Lookup {
    std::string section;
    std::string key;
    std::string expected;
};

struct ProfileCase {
    const char* name;
    std::string bytes;  // the file as stored
    std::vector<Lookup> lookups;
};

std::string Repeated(std::string_view text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

std::string Garbage()
{
    std::string garbage;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245 + 12345;
        garbage += static_cast<char>(state >> 16);
    }
    return garbage;
}

std::string HugeFile()
{
    std::string filler;
    for (int i = 0; i < 400000; ++i) {
        filler += "filler" + std::to_string(i) + "=com.example.package.name.long\r\n";
    }
    return Utf8ToGbk("[其他]\r\n" + filler + "[华为]\r\n" + std::string(5'000'000, 'x') + "\r\n天气=last\r\n");
}

std::vector<ProfileCase> Cases()
{
    const auto gbk = [](const std::string& utf8) { return Utf8ToGbk(utf8); };
    // In UTF-8 the last byte of "华为" (0xBA) is a GBK lead byte: read with GBK's pairing it would
    // swallow the closing bracket.
    const std::string utf8File = "[华为]\r\n天气 = com.huawei.天气\r\nHMS=com.huawei.hwid\r\n";
    const std::vector<Lookup> utf8Lookups = {
        {"华为", "天气", "com.huawei.天气"}, {"华为", "hms", "com.huawei.hwid"}, {"华为", "主题", kDefault}};
    // An emoji takes a surrogate pair; a lone surrogate is no character at all.
    const std::u16string utf16File = u"[荣耀]\r\n天气=com.hihonor.weather\r\n主题=a😀b\xD800" u"c\r\n";
    const std::vector<Lookup> utf16Lookups = {
        {"荣耀", "天气", "com.hihonor.weather"}, {"荣耀", "主题", "a😀b\uFFFDc"}, {"华为", "天气", kDefault}};
    // 10239 bytes is the buffer: the value is cut at the character border before it.
    const std::string longGbk = Repeated("华", 6000);
    const std::string longUtf8 = "x" + Repeated("华", 3413);
    const std::string fits(10239, 'v');
    const std::string garbage = Garbage();

    return {
        {"Chinese keys in Chinese sections",
         gbk("[华为]\r\n服务中心=com.huawei.phoneservice\r\n[荣耀]\r\n服务中心=com.hihonor.phoneservice\r\n"),
         {{"华为", "服务中心", "com.huawei.phoneservice"}, {"荣耀", "服务中心", "com.hihonor.phoneservice"}}},
        {"value comes back as UTF-8", gbk("[主菜单]\n查看设备=adb devices & echo 完成\n"),
         {{"主菜单", "查看设备", "adb devices & echo 完成"}}},
        {"LF, CR LF and no final line end", gbk("[a]\nx=1\r\ny=2\nz=3"), {{"a", "x", "1"}, {"a", "y", "2"}, {"a", "z", "3"}}},
        {"blanks around names, equals sign and value dropped, inside the value kept",
         gbk("  [ 华为 ]  \r\n  天气 \t=  com.huawei.android.totemweather \t\r\n查看设备 = adb  devices -l \r\n"),
         {{"华为", "天气", "com.huawei.android.totemweather"}, {"华为", "查看设备", "adb  devices -l"},
          {"  华为", " \t天气", "com.huawei.android.totemweather"}}},
        {"one pair of enclosing quotes dropped",
         gbk("[a]\r\nd=\" two words \"\r\ns='single'\r\nm=\"mixed'\r\nn=\"\"x\"\"\r\nq=\"\r\n"),
         {{"a", "d", " two words "}, {"a", "s", "single"}, {"a", "m", "\"mixed'"}, {"a", "n", "\"x\""}, {"a", "q", "\""}}},
        {"ASCII names match in any case",
         gbk("[Section]\r\nHMS=com.huawei.hwid\r\n冗余AR引擎1=com.huawei.arengine.service\r\n"),
         {{"SECTION", "hms", "com.huawei.hwid"}, {"section", "冗余ar引擎1", "com.huawei.arengine.service"}}},
        // 丄 is 0x81 0x41 ('A') and 乤 is 0x81 0x61 ('a'): only a trail byte that an ASCII fold would merge.
        {"trail bytes that look like letters are not case folded", "[s]\r\n\x81\x41=upper\r\n",
         {{"s", "乤", kDefault}, {"s", "丄", "upper"}}},
        // 乚 is 0x81 0x5D: its trail byte is ']'.
        {"closing bracket as a trail byte", "[a\x81\x5D" "b]\r\nk=v\r\n", {{"a乚b", "k", "v"}}},
        {"first occurrence of section and key wins",
         gbk("[华为]\r\n天气=first\r\n天气=second\r\n[荣耀]\r\n[华为]\r\n天气=third\r\n备份=only-later\r\n"),
         {{"华为", "天气", "first"}, {"华为", "备份", kDefault}}},
        {"present key with an empty value gives empty text", gbk("[华为]\r\n天气=\r\n主题=  \r\n"),
         {{"华为", "天气", ""}, {"华为", "主题", ""}}},
        {"comments, lines without equals sign and keys before any section are no items; empty names give empty text",
         gbk("天气=orphan\r\n; header comment\r\n[华为]\r\n;主题=commented\r\n主题\r\n  ;备份=x\r\n服务=s\r\n"),
         {{"华为", "天气", kDefault}, {"华为", ";主题", kDefault}, {"华为", "主题", kDefault}, {"华为", "备份", kDefault},
          {"华为", "服务", "s"}, {"荣耀", "服务", kDefault}, {"", "服务", ""}, {"华为", "  ", ""}}},
        {"UTF-8 without byte-order mark", utf8File, utf8Lookups},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + utf8File, utf8Lookups},
        {"UTF-16 little-endian", Utf16WithMark(utf16File, false), utf16Lookups},
        {"UTF-16 big-endian", Utf16WithMark(utf16File, true), utf16Lookups},
        {"bytes that are no UTF-8 character come back replaced", "\xEF\xBB\xBF[a]\r\nk=x\xFFy\xE5\x8Dz\r\n",
         {{"a", "k", "x\uFFFDy\uFFFD\uFFFDz"}}},
        {"binary garbage around the item", garbage + gbk("\n[华为]\n天气=found\n") + garbage,
         {{"华为", "天气", "found"}, {"华为", "主题", kDefault}}},
        {"zero byte ends the value", std::string("[a]\r\nk=ab\0cd\r\n", 14), {{"a", "k", "ab"}}},
        {"huge file with the item at the end", HugeFile(), {{"华为", "天气", "last"}}},
        {"long GBK value cut at a character border", gbk("[华为]\r\n天气=" + longGbk + "\r\n"),
         {{"华为", "天气", longGbk.substr(0, 5119 * 3)}}},
        {"long UTF-8 value cut at a character border", "[a]\r\nk=" + longUtf8 + "\r\n", {{"a", "k", longUtf8.substr(0, 10237)}}},
        {"value that fits is not cut", "[a]\r\nk=" + fits + "\r\nlong=" + fits + "w\r\n", {{"a", "k", fits}, {"a", "long", fits}}},
    };
}

class ProfileFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory_ = std::filesystem::temp_directory_path() / ("profile_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(directory_);
        path_ = (directory_ / "databank.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    void Write(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }

    std::filesystem::path directory_;
    std::string path_;
};

TEST_F(ProfileFile, ReadsWhatNotepadSaves)
{
    for (const ProfileCase& row : Cases()) {
        SCOPED_TRACE(row.name);
        Write(row.bytes);
        for (const Lookup& lookup : row.lookups) {
            EXPECT_EQ(ReadIniItem(path_, lookup.section, lookup.key, kDefault), lookup.expected)
                << "[" << lookup.section << "] " << lookup.key;
        }
    }
}

TEST_F(ProfileFile, PathIsReadAfreshEachTimeAndAnUnreadableOneGivesTheDefault)
{
    EXPECT_EQ(ReadIniItem(path_, "华为", "天气", kDefault), kDefault) << "no file yet";
    Write(Utf8ToGbk("[华为]\r\n天气=old\r\n"));
    EXPECT_EQ(ReadIniItem(path_, "华为", "天气", kDefault), "old");
    EXPECT_EQ(ReadIniItem(path_, "华为", "主题", ""), "") << "the caller's default";
    EXPECT_EQ(ReadIniItem("  " + path_, "华为", "天气", kDefault), "old") << "leading blanks of the path";
    EXPECT_EQ(ReadIniItem(" ", "华为", "天气", kDefault), "") << "an empty path";
    EXPECT_EQ(ReadIniItem(directory_.string(), "华为", "天气", kDefault), kDefault) << "a folder";
    Write(Utf8ToGbk("[华为]\r\n天气=new\r\n"));
    EXPECT_EQ(ReadIniItem(path_, "华为", "天气", kDefault), "new");
}

}  // namespace
