// The companion scripts' exit-code contract as test cases, the same for the batch files and their
// shell twins (0 done, 1 the phone is not ready, 2 some command failed, 3 nothing to do), and what
// both script tests check of a run.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "support/fake_phone.h"

using Strings = std::vector<std::string>;

// The scripts that their buttons start in a window the user sees; run alone, they wait before closing.
inline const std::set<std::string> kVisibleScripts = {"hw_rec", "clean", "clean_download", "auto_install", "renew"};
inline constexpr std::string_view kClosingPause = "按任意键关闭此窗口…";

struct ScriptRun {
    unsigned long exitCode = ~0ul;
    std::string output;
};

struct ScriptOutcome {
    const char* stem;
    const char* state = "device";
    const char* packages = nullptr;  // the phone's packages; none named: every package
    bool withoutShellProtocol = false;
    bool adbMissing = false;
    bool apkFile = true;  // the apk folder holds an apk file
    const char* answer = nullptr;  // the user's input, a line; none: the input ends at once
    unsigned long code = 0;
    const char* lastLine = nullptr;  // words of the last line, if checked
    const char* says = nullptr;  // words anywhere in the output, if checked
};

// Every waited script with a ready phone (and the cache cleaning's question answered yes), a phone
// that is not ready and no adb; the states an older adb or a phone just plugged in answer; then the
// cases where a command fails (older phones exit 0 whatever happened, so their words count too),
// there is nothing to do, or the user does not say Y.
inline std::vector<ScriptOutcome> ScriptOutcomes()
{
    const char* const waited[] = {"goolgle_abl", "goolgle_dis", "hwread_IN", "hwread_UN", "hw_rec",
                                  "clean", "clean_download", "auto_install", "renew", "trans"};
    const char* const notReady = "本次没有对手机做任何操作";
    std::vector<ScriptOutcome> cases;
    for (const char* stem : waited) {
        const char* lastLine = std::string_view(stem) == "trans" ? nullptr : notReady;  // trans writes temp2.txt
        cases.push_back({.stem = stem, .answer = std::string_view(stem) == "clean" ? "Y" : nullptr});
        for (const char* state : {"offline", "none", "unauthorized"}) {
            cases.push_back({.stem = stem, .state = state, .code = 1, .lastLine = lastLine});
        }
        cases.push_back({.stem = stem, .adbMissing = true, .code = 1, .lastLine = lastLine});
    }
    cases.push_back({.stem = "goolgle_abl", .state = "unknown", .code = 1, .says = "没有找到手机"});
    cases.push_back({.stem = "goolgle_abl", .state = "authorizing", .code = 1, .says = "正在等待授权"});
    cases.push_back({.stem = "goolgle_abl", .state = "connecting", .code = 1, .says = "正在与手机建立连接"});
    const char* const someGoogle = "com.google.android.gms,com.android.vending";
    cases.push_back({.stem = "goolgle_abl", .packages = someGoogle, .code = 2, .lastLine = "以下操作未成功：com.google.android.gsf"});
    cases.push_back({.stem = "goolgle_dis", .packages = someGoogle, .withoutShellProtocol = true, .code = 2,
                     .lastLine = "以下操作未成功：com.google.android.gsf"});
    cases.push_back({.stem = "hwread_IN", .packages = "com.huawei.hwireader", .code = 0});
    cases.push_back({.stem = "hwread_UN", .packages = ",", .code = 3, .lastLine = "本次没有做任何改动"});
    cases.push_back({.stem = "hw_rec", .packages = ",", .code = 3, .lastLine = "本次没有做任何改动"});
    cases.push_back({.stem = "auto_install", .apkFile = false, .code = 3, .lastLine = "没有 apk 文件"});
    // No answer, an empty line or anything but Y; cmd.exe would read the last two as syntax.
    for (const char* answer : {static_cast<const char*>(nullptr), "", "n", "yes & del x", "\""}) {
        cases.push_back({.stem = "clean", .answer = answer, .code = 3, .lastLine = "没有删除任何文件"});
    }
    return cases;
}

inline std::string Describe(const ScriptOutcome& c)
{
    return std::string(c.stem) + " with a phone " + c.state + (c.packages ? std::string(" having ") + c.packages : "") +
           (c.adbMissing ? ", adb missing" : "") + (c.answer ? std::string(", answering ") + c.answer : "");
}

// The output's last line, leaving out the closing pause: what the program shows of a script it ran
// hidden, and what the user reads last in a visible one.
inline std::string LastLine(std::string output)
{
    if (std::size_t pause = output.rfind(kClosingPause); pause != std::string::npos) {
        output.erase(pause);
    }
    output.erase(output.find_last_not_of("\r\n ") + 1);
    return output.substr(output.find_last_of('\n') + 1);
}

// Runs each case that `wanted` accepts through `run` (stem, answer -> ScriptRun) from the scripts'
// folder, with the phone as the case describes it, the apk folder holding an apk file or none and
// adb (named `adb` there) moved away where the case has none. Checks the exit code and words the
// case expects; that the closing pause ends the output of a visible script only; that a phone
// that is not ready is asked nothing and changed in nothing; and that a run that did nothing
// deleted nothing.
template <typename Run, typename Wanted>
void ExpectOutcomes(FakePhone& phone, const std::filesystem::path& folder, const std::string& adb, Run run, Wanted wanted)
{
    namespace fs = std::filesystem;
    fs::create_directories(folder / "apk");
    for (const ScriptOutcome& c : ScriptOutcomes()) {
        if (!wanted(c)) {
            continue;
        }
        phone.SetState(c.state);
        c.packages != nullptr ? phone.Set("PACKAGES", c.packages) : phone.Unset("PACKAGES");
        c.withoutShellProtocol ? phone.Set("SHELL_PROTOCOL", "none") : phone.Unset("SHELL_PROTOCOL");
        phone.ClearCommands();
        c.apkFile ? void(std::ofstream(folder / "apk" / "a.apk") << "x") : void(fs::remove(folder / "apk" / "a.apk"));
        if (c.adbMissing) {
            fs::rename(folder / adb, folder / (adb + ".away"));
        }
        ScriptRun result = run(c.stem, c.answer);
        if (c.adbMissing) {
            fs::rename(folder / (adb + ".away"), folder / adb);
        }
        SCOPED_TRACE(Describe(c));
        EXPECT_EQ(result.exitCode, c.code) << result.output;
        if (c.lastLine != nullptr) {
            EXPECT_NE(LastLine(result.output).find(c.lastLine), std::string::npos) << result.output;
        }
        if (c.says != nullptr) {
            EXPECT_NE(result.output.find(c.says), std::string::npos) << result.output;
        }
        std::string trimmed = result.output.substr(0, result.output.find_last_not_of("\r\n ") + 1);
        EXPECT_EQ(trimmed.ends_with(kClosingPause), kVisibleScripts.contains(c.stem)) << result.output;
        for (const std::string& command : phone.Commands()) {
            bool asksThePhone = command.starts_with("adb shell") || command.starts_with("adb install");
            EXPECT_FALSE(c.code == 1 && asksThePhone) << command;
            EXPECT_FALSE(c.code == 3 && command.starts_with("adb shell rm ")) << command;
        }
    }
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The commands after the opening check that a phone is there, each with the prefix, as the part after it.
inline Strings Targets(Strings commands, const std::string& prefix)
{
    EXPECT_TRUE(!commands.empty() && commands.front() == "adb get-state");
    Strings targets;
    for (std::size_t i = 1; i < commands.size(); ++i) {
        EXPECT_TRUE(commands[i].starts_with(prefix)) << commands[i];
        targets.push_back(commands[i].substr(prefix.size()));
    }
    return targets;
}

// What the cache cleaning deleted on a yes: only folders it listed before (each on a line of its
// own, indented by two blanks), each a chat app's cache, a log or thumbnail folder. Pictures and
// videos sent in chats are not cache: the server's copy expires.
inline void ExpectOnlyListedCacheFolders(const Strings& removed, const std::string& listing, std::string_view lineEnd)
{
    EXPECT_GE(removed.size(), 10u);
    const std::string_view owned[] = {"/sdcard/Android/data/com.tencent.mobileqq/", "/sdcard/Android/data/com.tencent.tim/",
                                      "/sdcard/Android/data/com.tencent.mm/", "/sdcard/tencent/",
                                      "/sdcard/DCIM/.thumbnails", "/sdcard/Pictures/.thumbnails", "/sdcard/bugreports"};
    for (const std::string& folder : removed) {
        EXPECT_NE(listing.find("  " + folder + std::string(lineEnd)), std::string::npos) << "not listed before: " << folder;
        EXPECT_TRUE(std::any_of(std::begin(owned), std::end(owned), [&](std::string_view root) { return folder.starts_with(root); }))
            << folder;
        for (const char* foreign : {"chatpic", "shortvideo", "file_recv", ".."}) {
            EXPECT_EQ(folder.find(foreign), std::string::npos) << folder;
        }
        EXPECT_EQ(folder.find_first_of(" *?;&|$`\\'\"%!^"), std::string::npos) << folder;
    }
    for (const char* expected : {"/sdcard/DCIM/.thumbnails", "/sdcard/bugreports", "/sdcard/Android/data/com.tencent.mm/cache"}) {
        EXPECT_NE(std::find(removed.begin(), removed.end(), expected), removed.end()) << expected;
    }
}

// The Huawei restore's commands after the phone check: the packages it puts back, then the list of
// disabled packages and what it enables of them, which must be exactly Google's services (disabled
// by goolgle_dis beforehand) and HUAWEI ID, not the user's own app.
inline Strings ExpectRestoreEnablesOnlyListedPackages(const Strings& commands)
{
    auto listing = std::find(commands.begin(), commands.end(), "adb shell pm list packages -d");
    EXPECT_NE(listing, commands.end());
    if (listing == commands.end()) {
        return {};
    }
    Strings enabled(listing + 1, commands.end());
    std::sort(enabled.begin(), enabled.end());
    EXPECT_EQ(enabled, (Strings{"adb shell pm enable com.android.vending", "adb shell pm enable com.google.android.gms",
                                "adb shell pm enable com.google.android.gsf", "adb shell pm enable com.huawei.hwid"}));
    return Targets(Strings(commands.begin(), listing), "adb shell pm install-existing --user 0 ");
}
