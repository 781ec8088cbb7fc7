// A long operation log in the operation-log window: the window lets waiting input through while
// its box fills, and the box it ends with, and where each of its lines lies, are those of one fill.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "core/operation_log_window.h"
#include "platform/files.h"
#include "support/operation_log_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kLogBox = "记录编辑框";
constexpr std::size_t kRecordsPerFile = 10000;

// A record as the program writes it; every 1000th holds an answer longer than an edit box's
// longest line, which the box must keep whole, since its line numbers name the records.
std::string Record(std::size_t i)
{
    std::string package = "com.vendor.app" + std::to_string(i % 400);
    std::string answer = i % 1000 == 999 ? std::string(600, 'a') : "Success";
    return "2026-12-07 15:06:55 | 华为 · 卸载 | adb shell pm uninstall --user 0 " + package + " | " + answer +
           " | 撤销：adb shell pm install-existing --user 0 " + package + "\r\n";
}

// The box as one fill of the whole log shows it: the rotated file's records, then the current one's.
std::string WholeBox(std::span<const fs::path> files)
{
    std::string box;
    for (const fs::path& file : files) {
        box += LogTextForDisplay(ReadFileTail(file.string(), 4 * 1024 * 1024));
    }
    return box.substr(0, box.size() - 2);
}

class LongLog : public OperationLogFixture {
protected:
    // 20,000 records, 3 MB, in the rotated log and the current one.
    void SetUp() override
    {
        OperationLogFixture::SetUp();
        for (std::size_t file = 0; file < files_.size(); ++file) {
            std::ofstream out(files_[file], std::ios::binary | std::ios::trunc);
            out << kBom;
            for (std::size_t i = 0; i < kRecordsPerFile; ++i) {
                out << Record(file * kRecordsPerFile + i);
            }
        }
        whole_ = WholeBox(files_);
    }

    // Each line of the box lies where the file holds it.
    void ExpectSpotsOfTheWholeBox()
    {
        std::size_t line = 0;
        for (const fs::path& file : files_) {
            Bytes read = ReadFileTail(file.string(), 4 * 1024 * 1024).bytes;
            std::string bytes(read.begin(), read.end());
            for (std::size_t at = 0; at < bytes.size(); at = bytes.find("\r\n", at) + 2, ++line) {
                std::optional<RecordSpot> spot = SpotOfShownLine(line);
                ASSERT_TRUE(spot.has_value()) << line;
                ASSERT_EQ(spot->offset, at) << line;
                ASSERT_EQ(fs::path(spot->file).filename(), file.filename()) << line;
            }
        }
        EXPECT_FALSE(SpotOfShownLine(line).has_value());
    }

    static std::size_t BoxSize() { return GetText(OperationLogWindow, kLogBox).size(); }

    const std::array<fs::path, 2> files_ = {ProgramOldLog(), ProgramLog()};
    std::string whole_;
};

// Input queued before the window opens runs while the box holds part of the log, and the window
// answers again and again until it holds all of it.
TEST_F(LongLog, WindowAnswersWhileItsBoxFillsAndEndsWithTheWholeLog)
{
    std::vector<std::size_t> queuedInputSaw;
    headless::Post([&] { queuedInputSaw.push_back(BoxSize()); });
    std::set<std::size_t> probesSaw;
    headless::SetAnswerProbe([&] { probesSaw.insert(BoxSize()); });

    ASSERT_TRUE(OpenWindow(OperationLogWindow, false));
    ASSERT_EQ(queuedInputSaw.size(), 1u);
    EXPECT_GT(queuedInputSaw.front(), 0u);
    EXPECT_LT(queuedInputSaw.front(), whole_.size());
    std::erase_if(probesSaw, [&](std::size_t size) { return size == 0 || size >= whole_.size(); });
    EXPECT_GE(probesSaw.size(), 10u) << "answered while part of the log is shown";

    EXPECT_TRUE(GetText(OperationLogWindow, kLogBox) == whole_) << "the box of one fill";
    EXPECT_EQ(CaretOffset(OperationLogWindow, kLogBox), whole_.size()) << "scrolled to the newest record";
    EXPECT_EQ(headless::Alignment(OperationLogWindow, kLogBox), Align::Left);
    ExpectSpotsOfTheWholeBox();
}

// What the user does while the box fills: the box ends as one fill leaves it, or as the action
// leaves it, never with two fills mixed.
TEST_F(LongLog, InputWhileTheBoxFillsLeavesTheBoxOfOneFill)
{
    struct Row {
        const char* name;
        std::function<void()> act;
        std::function<void(const std::string& whole)> check;
    };
    const std::size_t chosen = 1000;  // a byte offset in the part shown at the second pass
    const Row rows[] = {
        {"刷新 begins the fill again", [] { headless::Click(OperationLogWindow, "按钮2"); },
         [this](const std::string& whole) {
             EXPECT_TRUE(GetText(OperationLogWindow, kLogBox) == whole) << "the box of one fill";
             ExpectSpotsOfTheWholeBox();
         }},
        {"清空 empties the log",
         [] {
             headless::AnswerQuestions(true);
             headless::Click(OperationLogWindow, "按钮1");
         },
         [](const std::string&) {
             EXPECT_EQ(GetText(OperationLogWindow, kLogBox), kNoRecordsText);
             EXPECT_EQ(headless::Alignment(OperationLogWindow, kLogBox), Align::Centre);
             EXPECT_FALSE(SpotOfShownLine(0).has_value());
         }},
        {"the close box closes the window", [] { headless::CloseBox(OperationLogWindow); },
         [](const std::string&) {
             EXPECT_FALSE(headless::IsOpen(OperationLogWindow));
             EXPECT_FALSE(IsProgramEnding());
         }},
        {"a click into the box chooses a record",
         [chosen] { headless::PlaceCaret(OperationLogWindow, kLogBox, chosen); },
         [chosen](const std::string& whole) {
             EXPECT_TRUE(GetText(OperationLogWindow, kLogBox) == whole) << "the box of one fill";
             EXPECT_EQ(CaretOffset(OperationLogWindow, kLogBox), chosen) << "the chosen record stays chosen";
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        int passes = 0;
        bool acted = false;
        headless::SetAnswerProbe([&] {
            if (++passes == 2) {
                headless::SetAnswerProbe(nullptr);
                ASSERT_GT(BoxSize(), chosen);
                ASSERT_LT(BoxSize(), whole_.size());
                acted = true;
                row.act();
            }
        });
        ASSERT_TRUE(OpenWindow(OperationLogWindow, false));
        EXPECT_TRUE(acted);
        row.check(whole_);
    }
}

}  // namespace
