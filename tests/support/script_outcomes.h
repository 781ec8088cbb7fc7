// The companion scripts' exit-code contract as test cases, the same for the batch files and their
// shell twins: 0 done, 1 the phone is not ready, 2 some command failed, 3 nothing to do.
#pragma once

#include <string>
#include <vector>

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
};

// Every waited script with a ready phone (and the cache cleaning's question answered yes), a phone
// that is not ready and no adb; then the cases where a command fails (older phones exit 0 whatever
// happened, so their words count too), there is nothing to do, or the user does not say yes.
inline std::vector<ScriptOutcome> ScriptOutcomes()
{
    const char* const waited[] = {"goolgle_abl", "goolgle_dis", "hwread_IN", "hwread_UN", "hw_rec",
                                  "clean", "clean_download", "auto_install", "renew", "trans"};
    const char* const notReady = "本次没有对手机做任何操作";
    std::vector<ScriptOutcome> cases;
    for (const char* stem : waited) {
        bool report = std::string(stem) == "trans";  // writes temp2.txt, not to its output
        cases.push_back({.stem = stem, .answer = std::string(stem) == "clean" ? "Y" : nullptr});
        for (const char* state : {"offline", "none", "unauthorized"}) {
            cases.push_back({.stem = stem, .state = state, .code = 1, .lastLine = report ? nullptr : notReady});
        }
        cases.push_back({.stem = stem, .adbMissing = true, .code = 1, .lastLine = report ? nullptr : notReady});
    }
    const char* const someGoogle = "com.google.android.gms,com.android.vending";
    cases.push_back({.stem = "goolgle_abl", .packages = someGoogle, .code = 2,
                     .lastLine = "以下操作未成功：com.google.android.gsf"});
    cases.push_back({.stem = "goolgle_dis", .packages = someGoogle, .withoutShellProtocol = true, .code = 2,
                     .lastLine = "以下操作未成功：com.google.android.gsf"});
    cases.push_back({.stem = "hwread_IN", .packages = "com.huawei.hwireader", .code = 0});
    cases.push_back({.stem = "hwread_UN", .packages = ",", .code = 3, .lastLine = "本次没有做任何改动"});
    cases.push_back({.stem = "hw_rec", .packages = ",", .code = 3, .lastLine = "本次没有做任何改动"});
    cases.push_back({.stem = "auto_install", .apkFile = false, .code = 3, .lastLine = "没有 apk 文件"});
    cases.push_back({.stem = "clean", .code = 3, .lastLine = "没有删除任何文件"});
    cases.push_back({.stem = "clean", .answer = "n", .code = 3, .lastLine = "没有删除任何文件"});
    return cases;
}

inline std::string Describe(const ScriptOutcome& c)
{
    return std::string(c.stem) + " with a phone " + c.state + (c.packages ? std::string(" having ") + c.packages : "") +
           (c.adbMissing ? ", adb missing" : "") + (c.answer ? std::string(", answering ") + c.answer : "");
}
