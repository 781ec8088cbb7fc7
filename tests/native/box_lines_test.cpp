// Long lines broken for multi-line edit boxes: every character kept in order, no line past the bound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/box_lines.h"

namespace {

std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string Without(std::string text, std::string_view added)
{
    for (std::size_t at = text.find(added); at != std::string::npos; at = text.find(added, at)) {
        text.erase(at, added.size());
    }
    return text;
}

// The text appended in pieces of that many bytes, as the runner's passes append it.
std::string AppendedInPieces(const std::string& text, std::size_t piece, BoxLine last = {})
{
    std::string box;
    for (std::size_t at = 0; at < text.size(); at += piece) {
        box += BreakLongLines(std::string_view(text).substr(at, piece), last);
    }
    return box;
}

TEST(BoxLines, LongLineAppendedInPiecesIsBrokenAtTheBoundAndKeepsEveryCharacter)
{
    std::string line;
    for (int i = 0; line.size() < 5 * kLongestBoxLine + 7; ++i) {
        line += static_cast<char>('a' + i % 26);
    }
    std::string box = AppendedInPieces(line, 100);
    EXPECT_EQ(Without(box, "\r\n"), line);
    std::vector<std::string> lines = LinesOf(box);
    ASSERT_EQ(lines.size(), 6u);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), kLongestBoxLine) << "line " << i;
    }
}

TEST(BoxLines, ShortLinesAndSplitLineEndsStayAsTheyAre)
{
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(AppendedInPieces(text, 1023), text);

    // The line is full when its CR arrives; the LF in the next append completes the line end.
    BoxLine last;
    std::string full(kLongestBoxLine - 1, 'x');
    std::string box = BreakLongLines(full + "\r", last);
    box += BreakLongLines("\nnext", last);
    EXPECT_EQ(box, full + "\r\nnext");
    EXPECT_EQ(last.length, 4u);
}

TEST(BoxLines, BareLinefeedLinesAreBrokenAtALinefeed)
{
    std::string text;
    for (int i = 0; text.size() < 3 * kLongestBoxLine; ++i) {
        text += "package:com.example.app" + std::to_string(i) + "\n";
    }
    std::string box = AppendedInPieces(text, 4096);
    EXPECT_EQ(Without(box, "\r"), text);
    for (const std::string& line : LinesOf(box)) {
        EXPECT_LE(line.size(), kLongestBoxLine);
        EXPECT_TRUE(line.empty() || line.starts_with("package:")) << line;
    }
}

TEST(BoxLines, BoundCountsCharactersAndNeverSplitsOne)
{
    std::string chinese;
    for (std::size_t i = 0; i < kLongestBoxLine + 1; ++i) {
        chinese += "中";
    }
    std::string box = AppendedInPieces(chinese, 7);
    EXPECT_EQ(box, chinese.substr(0, 3 * kLongestBoxLine) + "\r\n中");
}

TEST(BoxLines, LastLineOfABoxGoesOnFromWhereItStands)
{
    EXPECT_EQ(LastBoxLine("earlier\r\n中文").length, 2u);
    EXPECT_TRUE(LastBoxLine("half a line end\r").endsInCr);

    BoxLine last = LastBoxLine("\r\n" + std::string(kLongestBoxLine - 1, 'x'));
    EXPECT_EQ(BreakLongLines("yz", last), "y\r\nz");

    // A line far longer than the part of the text that is read still counts as full.
    last = LastBoxLine(std::string(100 * kLongestBoxLine, 'x'));
    EXPECT_EQ(BreakLongLines("y", last), "\r\ny");
}

}  // namespace
