// The rules of the shipped batch files that Wine's cmd.exe cannot show, read from the files
// themselves: GBK with CR LF, the console's code page set before anything is read in it, the
// script's folder entered with pushd before delayed expansion, the menu's input kept from adb, and
// the closing pause written once.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "core/script_changes.h"
#include "platform/encoding.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const fs::path kCompanion = fs::path(__FILE__).parent_path().parent_path().parent_path() / "companion";

// The scripts the program or the user starts; the helpers run in their caller's folder.
const char* const kStartedScripts[] = {"goolgle_abl", "goolgle_dis", "hwread_IN", "hwread_UN", "hw_rec", "HarmonyOS",
                                       "clean", "clean_download", "auto_install", "renew", "trans"};
const char* const kHelpers[] = {"check_phone", "phone_step", "pause_before_closing"};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> BatchFiles()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kCompanion)) {
        if (entry.path().extension() == ".bat") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The file's lines as UTF-8, without their CR LF.
Lines BatchLines(const std::string& stem)
{
    std::string text = GbkToUtf8(ReadFile(kCompanion / (stem + ".bat")));
    Lines lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find("\r\n", start);
        end = end == std::string::npos ? text.size() : end;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool IsAscii(const std::string& line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::size_t IndexOf(const Lines& lines, const std::string& line)
{
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TEST(BatchFiles, AreGbkWithCrLfLineEnds)
{
    ASSERT_FALSE(BatchFiles().empty());
    for (const fs::path& file : BatchFiles()) {
        std::string bytes = ReadFile(file);
        EXPECT_EQ(Utf8ToGbk(GbkToUtf8(bytes)), bytes) << file;
        EXPECT_EQ(GbkToUtf8(bytes).find(kReplacementCharacter), std::string::npos) << file;
        for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
            ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << file << " has a line feed without CR at " << at;
        }
        EXPECT_TRUE(bytes.ends_with("\r\n")) << file;
    }
}

// cmd.exe reads each line in the console's code page, which may be 65001 or 437: nothing in GBK may
// come before "chcp 936" in a script that starts a console's work. Only the command edition first
// notes the caller's code page, which it puts back when it ends. The helpers run inside their
// caller's console, already in 936: a chcp there would start one more process a phone step.
TEST(BatchFiles, SetCodePage936OncePerConsoleBeforeAnythingElse)
{
    for (const char* stem : kStartedScripts) {
        Lines lines = BatchLines(stem);
        std::size_t codePage = IndexOf(lines, "chcp 936 >nul");
        ASSERT_LT(codePage, lines.size()) << stem;
        EXPECT_EQ(lines[0], "@echo off") << stem;
        for (std::size_t i = 1; i < codePage; ++i) {
            EXPECT_TRUE(IsAscii(lines[i])) << stem << ": " << lines[i];
            bool notesCallersPage =
                std::string_view(stem) == "HarmonyOS" &&
                (lines[i].starts_with("setlocal ") || lines[i].find("in ('chcp')") != std::string::npos);
            EXPECT_TRUE(notesCallersPage) << stem << " runs something before setting the code page: " << lines[i];
        }
    }
    for (const char* stem : kHelpers) {
        for (const std::string& line : BatchLines(stem)) {
            EXPECT_FALSE(line.starts_with("chcp")) << stem << " sets the code page its caller has set";
        }
    }
    EXPECT_EQ(std::size(kStartedScripts) + std::size(kHelpers), BatchFiles().size()) << "a script in neither list";
    Lines menu = BatchLines("HarmonyOS");
    std::size_t bye = IndexOf(menu, ":Bye");
    ASSERT_LT(bye, menu.size());
    auto restoresCallersPage = [](const std::string& line) { return line.find("chcp %callerCodePage%") != std::string::npos; };
    EXPECT_TRUE(std::any_of(menu.begin() + static_cast<std::ptrdiff_t>(bye), menu.end(), restoresCallersPage))
        << "the command edition leaves the caller's console in code page 936";
}

// A network folder cannot be cmd's current directory, but pushd gives it a drive letter; a "!" in
// the folder's name is eaten where delayed expansion is on.
TEST(BatchFiles, EnterTheirFolderWithPushdBeforeDelayedExpansion)
{
    for (const char* stem : kStartedScripts) {
        Lines lines = BatchLines(stem);
        std::size_t setlocal = IndexOf(lines, "setlocal EnableExtensions DisableDelayedExpansion");
        std::size_t pushd = IndexOf(lines, "pushd \"%~dp0\"");
        ASSERT_LT(pushd, lines.size()) << stem;
        EXPECT_LT(setlocal, pushd) << stem;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_FALSE(lines[i].starts_with("cd ")) << stem << ": " << lines[i];
            if (lines[i].find("EnableDelayedExpansion") != std::string::npos) {
                EXPECT_GT(i, pushd) << stem << ": " << lines[i];
            }
        }
        EXPECT_LT(IndexOf(lines, "popd"), lines.size()) << stem << " leaves the drive letter of pushd behind";
    }
    auto changesFolder = [](const std::string& line) { return line.starts_with("pushd") || line.starts_with("cd "); };
    for (const char* stem : kHelpers) {
        Lines lines = BatchLines(stem);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), changesFolder), 0) << stem << " runs in its caller's folder";
    }
}

// adb shell hands what it reads to the phone: every adb and every script the menu runs reads from
// nul, except the cache cleaning, which asks the user and reads the answer from the menu's input.
TEST(BatchFiles, MenuKeepsItsInputFromAdbAndTheScriptsItCalls)
{
    int runs = 0;
    for (const std::string& line : BatchLines("HarmonyOS")) {
        bool runsAdb = line.starts_with("adb ");
        bool callsScript = line.starts_with("call ") && line.find(".bat") != std::string::npos;
        if (!runsAdb && !callsScript) {
            continue;
        }
        ++runs;
        EXPECT_EQ(line.ends_with(" < nul"), line != "call clean.bat") << line;
    }
    EXPECT_GE(runs, 7);
}

TEST(CompanionScripts, ClosingPauseIsWrittenOnlyInItsHelper)
{
    for (const auto& entry : fs::directory_iterator(kCompanion)) {
        std::string extension = entry.path().extension().string();
        if (extension != ".bat" && extension != ".sh") {
            continue;
        }
        std::string text = extension == ".bat" ? GbkToUtf8(ReadFile(entry.path())) : ReadFile(entry.path());
        bool pauses = text.find("按任意键关闭此窗口") != std::string::npos;
        EXPECT_EQ(pauses, entry.path().stem() == "pause_before_closing") << entry.path();
    }
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
    EXPECT_EQ(DeclaredChanges(ReadFile(kCompanion / "hwread_UN.sh")).front().CommandLine(),
              "adb shell pm uninstall --user 0 com.huawei.hwireader");
    EXPECT_EQ(DeclaredChanges(ReadFile(kCompanion / "hw_rec.bat")).size(), 81u);
}

}  // namespace
