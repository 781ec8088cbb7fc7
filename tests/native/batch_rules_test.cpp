// The rules of the shipped companion scripts that Wine's cmd.exe cannot show, read from the files
// themselves: GBK with CR LF, the console's code page set before anything is read in it, the
// script's folder entered with pushd before delayed expansion, the menu's input kept from adb, the
// closing pause written once, and the same package changes declared by both twins.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/script_changes.h"
#include "platform/encoding.h"
#include "support/script_outcomes.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const fs::path kCompanion = fs::path(__FILE__).parent_path().parent_path().parent_path() / "companion";

// The helpers run inside their caller's console and folder; every other batch file is started by
// the program or the user.
const std::set<std::string> kHelpers = {"check_phone", "phone_step", "pause_before_closing"};

// The file's lines as UTF-8, without their CR LF.
Lines BatchLines(const std::string& stem)
{
    std::string text = GbkToUtf8(ReadFile(kCompanion / (stem + ".bat")));
    Lines lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::size_t IndexOf(const Lines& lines, const std::string& line)
{
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

bool IsAscii(const std::string& line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The rules of a started script. cmd.exe reads each line in the console's code page, which may be
// 65001 or 437: nothing in GBK may come before "chcp 936"; only the command edition first notes the
// caller's code page, which it puts back when it ends. A network folder cannot be cmd's current
// directory, but pushd gives it a drive letter; a "!" in the folder's name is eaten where delayed
// expansion is on.
void ExpectStartedScriptRules(const std::string& stem, const Lines& lines)
{
    std::size_t codePage = IndexOf(lines, "chcp 936 >nul");
    ASSERT_LT(codePage, lines.size());
    EXPECT_EQ(lines[0], "@echo off");
    for (std::size_t i = 1; i < codePage; ++i) {
        bool notesCallersPage = stem == "HarmonyOS" && (lines[i].starts_with("setlocal ") || lines[i].find("in ('chcp')") != std::string::npos);
        EXPECT_TRUE(IsAscii(lines[i]) && notesCallersPage) << "runs something before setting the code page: " << lines[i];
    }
    std::size_t setlocal = IndexOf(lines, "setlocal EnableExtensions DisableDelayedExpansion");
    std::size_t pushd = IndexOf(lines, "pushd \"%~dp0\"");
    ASSERT_LT(pushd, lines.size());
    EXPECT_LT(setlocal, pushd);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_FALSE(lines[i].starts_with("cd ")) << lines[i];
        EXPECT_TRUE(lines[i].find("EnableDelayedExpansion") == std::string::npos || i > pushd) << lines[i];
    }
    EXPECT_LT(IndexOf(lines, "popd"), lines.size()) << "leaves the drive letter of pushd behind";
}

// The closing pause is written only in its helper, in both twins. Every batch file is GBK with
// CR LF line ends. The helpers neither set the code page (their caller's console is already in 936;
// a chcp there would start one more process a phone step) nor change the folder.
TEST(BatchFiles, FollowTheRulesOfCmdExe)
{
    int files = 0;
    for (const auto& entry : fs::directory_iterator(kCompanion)) {
        const std::string stem = entry.path().stem().string();
        SCOPED_TRACE(entry.path().filename().string());
        std::string bytes = ReadFile(entry.path());
        if (entry.path().extension() == ".sh") {
            EXPECT_EQ(bytes.find("按任意键关闭此窗口") != std::string::npos, stem == "pause_before_closing");
        }
        if (entry.path().extension() != ".bat") {
            continue;
        }
        ++files;
        EXPECT_EQ(GbkToUtf8(bytes).find("按任意键关闭此窗口") != std::string::npos, stem == "pause_before_closing");
        EXPECT_EQ(Utf8ToGbk(GbkToUtf8(bytes)), bytes);
        EXPECT_EQ(GbkToUtf8(bytes).find(kReplacementCharacter), std::string::npos);
        for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
            ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "a line feed without CR at " << at;
        }
        EXPECT_TRUE(bytes.ends_with("\r\n"));
        const Lines lines = BatchLines(stem);
        if (!kHelpers.contains(stem)) {
            ExpectStartedScriptRules(stem, lines);
            continue;
        }
        for (const std::string& line : lines) {
            EXPECT_FALSE(line.starts_with("chcp") || line.starts_with("pushd") || line.starts_with("cd ")) << line;
        }
    }
    EXPECT_EQ(files, 14);
}

// The command edition puts the caller's code page back. adb shell hands what it reads to the phone:
// every adb and every script the menu runs reads from nul, except the cache cleaning, which asks the
// user and reads the answer from the menu's input.
TEST(BatchFiles, MenuRestoresTheCodePageAndKeepsItsInputFromAdbAndTheScriptsItCalls)
{
    Lines menu = BatchLines("HarmonyOS");
    std::size_t bye = IndexOf(menu, ":Bye");
    ASSERT_LT(bye, menu.size());
    EXPECT_TRUE(std::any_of(menu.begin() + static_cast<std::ptrdiff_t>(bye), menu.end(),
                            [](const std::string& line) { return line.find("chcp %callerCodePage%") != std::string::npos; }));
    int runs = 0;
    for (const std::string& line : menu) {
        if (line.starts_with("adb ") || (line.starts_with("call ") && line.find(".bat") != std::string::npos)) {
            ++runs;
            EXPECT_EQ(line.ends_with(" < nul"), line != "call clean.bat") << line;
        }
    }
    EXPECT_GE(runs, 7);
}

// The journal reads what each script that changes packages does from the same two variables the
// script's loop runs through; the batch file and its shell twin declare the same.
TEST(CompanionScripts, PackageScriptsDeclareTheSameChangesOnBothSystems)
{
    for (const char* stem : {"goolgle_abl", "goolgle_dis", "hwread_IN", "hwread_UN", "hw_rec"}) {
        SCOPED_TRACE(stem);
        std::vector<PhoneChange> declared = DeclaredChanges(GbkToUtf8(ReadFile(kCompanion / (std::string(stem) + ".bat"))));
        EXPECT_GE(declared.size(), 3u);
        EXPECT_EQ(DeclaredChanges(ReadFile(kCompanion / (std::string(stem) + ".sh"))), declared);
    }
}

}  // namespace
