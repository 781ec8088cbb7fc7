// The journal proven by round trips on the simulated phone: random sequences of the program's own
// actions, then 撤销 from the first record, leave the phone's tables as they were; an update that
// brings removed apps back, then 重新应用, leaves them as they were before it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "support/operation_log_fixture.h"
#include "support/phone_lab.h"
#include "ui/windows/desktop_window.h"

namespace {

namespace fs = std::filesystem;
using headless::Click;

// What the companion scripts switch: Google's services and the reading app. The reading app's
// script also lists com.hihonor.dz.reader, which the round trip's phone lacks, as phones of other
// models do: nothing to do for 重新应用 and 撤销, in the package manager's words either way.
constexpr std::array<std::string_view, 3> kGooglePackages = {"com.google.android.gms", "com.google.android.gsf",
                                                             "com.android.vending"};
constexpr std::array<std::string_view, 2> kReadingPackages = {"com.huawei.hwireader", "com.huawei.hwread.dz"};

// Every package name the sample catalogue holds (its values are ASCII in any encoding).
std::vector<std::string> CataloguePackages()
{
    std::ifstream file(fs::path(ProgramDirectory()) / "databank.ini", std::ios::binary);
    static const std::regex value(R"(=\s*([a-z0-9._]+)\s*\r?$)");
    std::vector<std::string> packages;
    std::smatch match;
    for (std::string line; std::getline(file, line);) {
        if (std::regex_search(line, match, value)) {
            packages.push_back(match[1]);
        }
    }
    return packages;
}

class JournalTest : public OperationLogFixture {
protected:
    void SetUp() override
    {
        catalogue_.UseSample();
        SeedPhone();
        OperationLogFixture::SetUp();
        ASSERT_TRUE(OpenWindow(PeakPerformanceWindow, false));
        headless::AnswerQuestions(true);
    }

    // A phone as it comes: every app installed, a few switched off, some settings never set.
    void SeedPhone()
    {
        for (const std::string& package : CataloguePackages()) {
            bool off = package.ends_with("systemupdate") || package.ends_with("print1") || package.ends_with("peak.power");
            phone_.SeedPackage(package, off ? "disabled-user" : "installed");
        }
        for (std::string_view package : kGooglePackages) {
            phone_.SeedPackage(std::string(package), "installed");
        }
        for (std::string_view package : kReadingPackages) {
            phone_.SeedPackage(std::string(package), "installed");
        }
        phone_.SeedSetting("global", "window_animation_scale", "1.0");
        phone_.SeedSetting("system", "screen_off_timeout", "15000");
        phone_.SeedSetting("secure", "icon_blacklist", "rotate,headset");
    }

    // A random action of a user: a package button, a bulk removal, a peak-performance switch, a
    // setting, or a script, each with values a user would type.
    void RandomAction(std::mt19937& random)
    {
        auto pick = [&random](auto... choices) {
            std::array<std::string_view, sizeof...(choices)> all = {choices...};
            return all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(random)];
        };
        switch (std::uniform_int_distribution<int>(0, 7)(random)) {
        case 0:
        case 1:
            Click(DesktopWindow, pick("天气卸", "按钮151", "运动卸", "运动装", "视频卸", "按钮120", "系统更新禁",
                                      "系统更新解", "广告禁", "广告解", "车机卸", "剪辑装"));
            break;
        case 2: Click(DesktopWindow, pick("冗余卸", "荣耀冗余服务卸载")); break;
        case 3: Click(PeakPerformanceWindow, pick("后台禁", "后台解", "功耗禁", "功耗解", "显示禁", "显示解")); break;
        case 4:
            SetText(DesktopWindow, kWindowScaleBox, pick("0.5", "1.0", "1.5"));
            SetText(DesktopWindow, kTransitionScaleBox, pick("0.5", "2.0"));
            Click(DesktopWindow, pick("设置1", "设置2"));
            break;
        case 5:
            SetText(DesktopWindow, kScreenOffBox, pick("30", "600"));
            SetText(DesktopWindow, kMinRateBox, pick("60.0", "90.0"));
            SetText(DesktopWindow, kPeakRateBox, pick("90.0", "120.0"));
            Click(DesktopWindow, pick("亮屏", "默认高刷", "按我定高刷"));
            break;
        case 6:
            SetChecked(DesktopWindow, kNfcIconBox, random() % 2 == 0);
            SetChecked(DesktopWindow, kBatteryIconBox, true);
            Click(DesktopWindow, pick("按钮183", "状态栏恢复"));
            break;
        default: SwitchAScript(random); break;
        }
    }

    // A script's way back is its twin, which leaves the other end state: each is run only when it
    // changes the phone, as a user who sees the state would.
    void SwitchAScript(std::mt19937& random)
    {
        if (random() % 2 == 0) {
            Click(DesktopWindow, googleOff_ ? "谷歌解" : "谷歌禁");
            googleOff_ = !googleOff_;
        } else {
            Click(DesktopWindow, readingOff_ ? "阅读装" : "阅读卸");
            readingOff_ = !readingOff_;
        }
    }

    // Records as the program writes them for changes on the stand-in's phone.
    static void WriteLog(const fs::path& log, std::initializer_list<std::string_view> records)
    {
        std::ofstream file(log, std::ios::binary | std::ios::trunc);
        file << "\xEF\xBB\xBF";
        for (std::string_view record : records) {
            file << record << " | 手机：Pellucor_Test_Phone（FAKE0001）\r\n";
        }
    }
    static std::size_t RecordsInLog()
    {
        std::ifstream log(ProgramLog(), std::ios::binary);
        return std::count(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>(), '\n');
    }
    static std::size_t OffsetInLog(std::string_view text)
    {
        EXPECT_TRUE(OpenWindow(OperationLogWindow, false));
        std::size_t at = GetText(OperationLogWindow, kLogBox).find(text);
        EXPECT_NE(at, std::string::npos) << text;
        return at;
    }
    static bool Said(std::string_view message)
    {
        std::vector<std::string> said = headless::Messages();
        return std::find(said.begin(), said.end(), message) != said.end();
    }

    // The caret put into the box at the text's offset, as a click there puts it.
    static void ClickInLog(std::string_view button, std::size_t caret = 0)
    {
        ASSERT_TRUE(OpenWindow(OperationLogWindow, false));
        headless::PlaceCaret(OperationLogWindow, kLogBox, caret);
        Click(OperationLogWindow, button);
        CloseWindowLater(OperationLogWindow);
        ProcessPendingEvents();
    }

    bool googleOff_ = false;
    bool readingOff_ = false;
};

class JournalRoundTrip : public JournalTest, public testing::WithParamInterface<unsigned> {};

TEST_P(JournalRoundTrip, UndoFromTheFirstRecordRestoresThePhoneAndReapplyRedoesItAfterAnUpdate)
{
    std::mt19937 random(GetParam());
    const auto packagesBefore = phone_.Packages();
    const auto settingsBefore = phone_.Settings();
    for (int i = 0; i < 16; ++i) {
        RandomAction(random);
    }
    const auto packagesChanged = phone_.Packages();
    const auto settingsChanged = phone_.Settings();
    ASSERT_NE(packagesChanged, packagesBefore);
    ASSERT_NE(settingsChanged, settingsBefore);

    // One read before the plan, with the installed packages and every setting the records name,
    // then one adb call for each command, each of which leaves a record. Gives what the click said.
    auto clickCountingCalls = [this](const char* button) {
        const std::size_t calls = phone_.Commands().size();
        const std::size_t records = RecordsInLog();
        ClickInLog(button);
        EXPECT_EQ(phone_.Commands().size() - calls, RecordsInLog() - records + 1);
        return headless::Messages().back();
    };
    phone_.ReinstallRemoved();
    ASSERT_NE(phone_.Packages(), packagesChanged) << "the update brought nothing back";
    std::string said = clickCountingCalls("重新应用按钮");
    EXPECT_TRUE(said.starts_with("已重新应用 ")) << said;
    EXPECT_NE(said.find("，失败 0 项"), std::string::npos) << said;
    EXPECT_EQ(phone_.Packages(), packagesChanged);
    EXPECT_EQ(phone_.Settings(), settingsChanged);

    said = clickCountingCalls("撤销按钮");
    EXPECT_TRUE(said.starts_with("已撤销 ")) << said;
    EXPECT_NE(said.find("，失败 0 项"), std::string::npos) << said;
    EXPECT_EQ(phone_.Packages(), packagesBefore);
    EXPECT_EQ(phone_.Settings(), settingsBefore);
}

INSTANTIATE_TEST_SUITE_P(Seeds, JournalRoundTrip, testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

// Google is off; the user switches Play services on by hand, then all of Google off with the
// script: each package has one net state, and undo finds nothing to do. Then a removal by hand
// and a script that did only part of its work: the packages it touched are left as they are and
// the record is named, rather than some put back and some not.
TEST_F(JournalTest, PackageChangedByACommandAndByAScriptHasOneNetState)
{
    for (std::string_view package : kGooglePackages) {
        phone_.SeedPackage(std::string(package), "disabled-user");
    }
    const auto googleOff = phone_.Packages();
    TypeCommand("adb shell pm enable com.google.android.gms");
    Click(DesktopWindow, "谷歌禁");
    ASSERT_EQ(phone_.Packages(), googleOff);
    ClickInLog("撤销按钮", OffsetInLog("pm enable com.google.android.gms"));
    EXPECT_EQ(phone_.Packages(), googleOff);
    EXPECT_TRUE(headless::Messages().back().ends_with(" 以来没有需要恢复的改动。")) << headless::Messages().back();

    TypeCommand("adb shell pm uninstall --user 0 com.google.android.gms");
    Click(DesktopWindow, "谷歌解");
    const auto partlyOn = phone_.Packages();
    ASSERT_EQ(partlyOn.at("com.google.android.gms"), "uninstalled");
    ASSERT_EQ(partlyOn.at("com.android.vending"), "installed");
    ClickInLog("撤销按钮", OffsetInLog("pm uninstall --user 0 com.google.android.gms"));
    EXPECT_EQ(phone_.Packages(), partlyOn);
    std::string said = headless::Messages().back();
    EXPECT_NE(said.find("以来没有需要恢复的改动。\r\n\r\n以下 1 条记录的改动无法撤销，将保持原样：\r\n"), std::string::npos) << said;
    EXPECT_TRUE(said.ends_with("  goolgle_abl.sh")) << said;
}

// Hand-edited and damaged records: a way back counts only on a confirmed change, only the
// program's own scripts count, a confirmed change without a way back is named as skipped (a removal
// on a phone before Android 8.0 among them; a reboot has nothing to take back), and the question
// lists each change by name, a setting the program does not offer marked.
TEST_F(JournalTest, QuestionListsEachChangeAndNamesTheRecordsItSkips)
{
    WriteLog(ProgramLog(),
             {"2026-12-01 10:00:00 | 命令框 | adb shell settings put global adb_enabled 1 | Failure | "
              "撤销：adb shell settings put global adb_enabled 0",
              "2026-12-01 10:00:01 | 华为 · 禁用 | evil.sh | 已完成 | 撤销：goolgle_abl.sh",
              "2026-12-01 10:00:02 | 功能 · 设置 | adb shell settings put global window_animation_scale 0.5 | （无输出）",
              "2026-12-01 10:00:03 | 命令框 | adb shell settings put global adb_enabled 1 | （无输出） | "
              "撤销：adb shell settings put global adb_enabled 0",
              "2026-12-01 10:00:03 | 华为 · 卸载 | adb shell pm uninstall --user 0 huawei.weather | Success | "
              "撤销：无法撤销（Android 8.0 之前的系统没有命令能装回卸载的应用）",
              "2026-12-01 10:00:04 | 主菜单 · 一键重启 | adb reboot | 已启动"});
    headless::AnswerQuestions(false);
    ClickInLog("撤销按钮");
    EXPECT_EQ(headless::Messages().back(),
              "将把这部手机 Pellucor_Test_Phone（FAKE0001） 2026-12-01 10:00:00 以来的 1 项改动恢复原样：\r\n"
              "设置 global adb_enabled：1 → 0（不是本程序提供的设置）\r\n\r\n"
              "以下 3 条记录的改动无法撤销，将保持原样：\r\n"
              "2026-12-01 10:00:01  evil.sh\r\n"
              "2026-12-01 10:00:02  adb shell settings put global window_animation_scale 0.5\r\n"
              "2026-12-01 10:00:03  adb shell pm uninstall --user 0 huawei.weather\r\n\r\n确定吗？");

    Click(DesktopWindow, "冗余卸");
    ClickInLog("重新应用按钮");
    std::string question = headless::Messages().back();
    EXPECT_TRUE(question.starts_with("将重新应用 2026-12-01 10:00:00 以来的 29 项改动：\r\n"
                                     "设置 global window_animation_scale：改为 0.5\r\n"
                                     "设置 global adb_enabled：改为 1（不是本程序提供的设置）\r\n")) << question;
    EXPECT_NE(question.find("：改为 已卸载\r\n…等 29 项\r\n\r\n以下 1 条记录的改动无法重新应用"), std::string::npos) << question;
    EXPECT_TRUE(question.ends_with("确定在这部手机 Pellucor_Test_Phone（FAKE0001） 上重新应用吗？")) << question;
    ClickInLog("撤销按钮");
    question = headless::Messages().back();
    std::size_t listed = 0;
    for (std::size_t at = question.find("：已卸载 → 已安装"); at != std::string::npos; at = question.find("：已卸载 → 已安装", at + 1)) {
        ++listed;
    }
    EXPECT_EQ(listed, 15u) << question;
    EXPECT_NE(question.find("\r\n…等 27 项\r\n"), std::string::npos) << question;
    EXPECT_EQ(phone_.Changes().size(), 26u) << "nothing but the bulk removal ran";
}

// A record goes to the user's folder while the program's cannot be written: the user's latest
// decision is the latest in time, wherever it lies. The box remembers where each line lies, so a
// file rewritten since it was shown is read again rather than matched by text.
TEST_F(JournalTest, RecordsArePlannedInTimeOrderAndFoundWhereTheBoxShowsThem)
{
    phone_.SeedPackage("huawei.weather", "uninstalled");
    constexpr std::string_view kRemoval = "2026-12-01 10:00:05 | 华为 · 卸载 | adb shell pm uninstall --user 0 huawei.weather | "
                                          "Success | 撤销：adb shell pm install-existing --user 0 huawei.weather";
    constexpr std::string_view kDisabling = "2026-12-01 10:00:07 | 命令框 | adb shell pm disable-user huawei.systemupdate | "
                                            "Package huawei.systemupdate new state: disabled-user | 撤销：adb shell pm enable huawei.systemupdate";
    fs::create_directories(OwnLog().parent_path());
    WriteLog(OwnLog(), {"2026-12-01 10:00:09 | 华为 · 装回 | adb shell pm install-existing --user 0 huawei.weather | "
                        "Package huawei.weather installed for user: 0 | 撤销：adb shell pm uninstall --user 0 huawei.weather"});
    WriteLog(ProgramLog(), {kRemoval});
    fs::last_write_time(OwnLog(), fs::last_write_time(ProgramLog()) - std::chrono::hours(1));
    ClickInLog("重新应用按钮");
    EXPECT_EQ(phone_.Packages().at("huawei.weather"), "installed");

    fs::remove(OwnLog());
    WriteLog(ProgramLog(), {kRemoval, kDisabling});
    const auto before = phone_.Packages();
    std::size_t disabling = OffsetInLog("2026-12-01 10:00:07");
    WriteLog(ProgramLog(), {kDisabling, kRemoval});
    headless::PlaceCaret(OperationLogWindow, kLogBox, disabling);
    Click(OperationLogWindow, "撤销按钮");
    EXPECT_EQ(phone_.Packages(), before);
    EXPECT_EQ(headless::Messages().back(), "操作记录已有变动，已重新读取。请再点一下要从哪条记录开始。");
}

// 撤销 clicked in the log window opened inside another action's wait does not run beside it; 清空
// clicked while a plan runs does not delete the records it plans from. A slow phone keeps each
// command running while the click is handled.
TEST_F(JournalTest, NothingPlansOrClearsWhileAChangeOrAPlanIsUnderway)
{
    Click(DesktopWindow, "天气卸");
    phone_.Set("DELAY_MS", "200");
    headless::Post([] { ClickInLog("撤销按钮"); });
    Click(DesktopWindow, "运动卸");
    EXPECT_TRUE(Said("另一项操作正在进行，请等它结束后再撤销。"));
    EXPECT_EQ(phone_.Packages().at("huawei.weather"), "uninstalled");

    ASSERT_TRUE(OpenWindow(OperationLogWindow, false));
    headless::PlaceCaret(OperationLogWindow, kLogBox, 0);
    headless::Post([] { Click(OperationLogWindow, "按钮1"); });
    Click(OperationLogWindow, "撤销按钮");
    EXPECT_TRUE(Said("撤销或重新应用正在进行，请等它结束后再清空操作记录。"));
    EXPECT_TRUE(fs::exists(ProgramLog()));
    EXPECT_EQ(phone_.Packages().at("huawei.weather"), "installed");
}

// Two phones with the real client: the user chooses the one to debloat, keeps an earlier removal
// on the other, swaps the phones, and clicks 撤销 and 重新应用 on the first phone's records. The
// second phone is never changed by them; the first, attached again, is taken back alone.
TEST_F(JournalTest, EachPhonesChangesStayItsOwnWhenPhonesAreSwapped)
{
    PhoneLab lab;
    SimPhone& honor = lab.Attach({.model = "HONOR_X40"});
    SimPhone& huawei = lab.Attach({.model = "HUAWEI_P50"});
    auto choose = [&](const SimPhone& phone) {
        headless::WhenOpenedModally(PhoneChoiceWindow, [&phone] {
            for (std::string_view button : kPhoneChoiceButtons) {
                if (GetText(PhoneChoiceWindow, button).find(phone.Serial()) != std::string::npos) {
                    Click(PhoneChoiceWindow, button);
                }
            }
        });
        Click(DesktopWindow, "按钮5");
    };
    choose(huawei);
    Click(DesktopWindow, "天气卸");
    choose(honor);
    Click(DesktopWindow, "冗余卸");
    const auto honorDebloated = honor.Packages();
    const auto huaweiBefore = huawei.Packages();
    ASSERT_EQ(huaweiBefore.at("huawei.weather"), "uninstalled");

    lab.Unplug(honor);  // the phones are swapped: only the other one is attached
    Click(DesktopWindow, "按钮5");
    std::size_t firstDebloat = OffsetInLog("华为 · 一键卸载");
    ClickInLog("撤销按钮", firstDebloat);
    EXPECT_EQ(huawei.Packages(), huaweiBefore);
    EXPECT_TRUE(headless::Messages().back().starts_with("这部手机 HUAWEI_P50（SIM")) << headless::Messages().back();
    EXPECT_TRUE(headless::Messages().back().ends_with("26 项属于其他手机，未改动。")) << headless::Messages().back();

    headless::AnswerQuestions(false);
    ClickInLog("重新应用按钮", firstDebloat);
    std::string question = headless::Messages().back();
    EXPECT_NE(question.find("把 HONOR_X40（SIM"), std::string::npos) << question;
    EXPECT_TRUE(question.ends_with(" 的 26 项改动应用到这部手机 HUAWEI_P50（SIM" +
                                   huawei.Serial().substr(huawei.Serial().rfind(':') + 1) + "） 吗？"))
        << question;
    EXPECT_EQ(huawei.Packages(), huaweiBefore);

    lab.Unplug(huawei);
    lab.Plug(honor);
    ASSERT_EQ(honor.Packages(), honorDebloated);
    headless::AnswerQuestions(true);
    ClickInLog("撤销按钮", firstDebloat);
    EXPECT_EQ(headless::Messages().back(), "已撤销 26 项，失败 0 项，跳过 0 项");
    for (const auto& [package, state] : honor.Packages()) {
        EXPECT_EQ(state, "installed") << package;
    }
    EXPECT_EQ(huawei.Packages(), huaweiBefore);
}

}  // namespace
