// The operation log against the fake phone: what the buttons and the command box leave in
// 操作记录.txt, what the operation-log window shows, 清空, the user's own folder, damaged and
// rotated files, a long log filling the window's box, and two programs writing at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/operation_log.h"
#include "core/operation_log_window.h"
#include "platform/files.h"
#include "support/operation_log_fixture.h"
#include "support/phone_lab.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Lines = std::vector<std::string>;

constexpr int kEnter = 13;
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kLogBox = "记录编辑框";
// The stand-in's phone, as the records of its changes name it.
#define ON_TEST_PHONE " | 手机：Pellucor_Test_Phone（FAKE0001）"
constexpr std::string_view kWeatherRemoval =
    "华为 · 卸载 | adb shell pm uninstall --user 0 huawei.weather | Success | 撤销：adb shell pm install-existing --user 0 huawei.weather"
    ON_TEST_PHONE;
constexpr std::string_view kWeatherReturn =
    "华为 · 装回 | adb shell pm install-existing --user 0 huawei.weather | Package huawei.weather installed for user: 0 | "
    "撤销：adb shell pm uninstall --user 0 huawei.weather" ON_TEST_PHONE;

const auto ReadBytes = &CatalogueFile::Read;

void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The records of a log file without their time, after checking the file's form: a byte-order
// mark, then lines that each start with the local date and time and end in CR LF.
Lines Records(const fs::path& path)
{
    std::string bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.starts_with(kBom)) << path;
    EXPECT_TRUE(bytes.empty() || bytes.ends_with("\r\n")) << path;
    static const std::regex time(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d \| )");
    Lines records;
    std::string_view rest = std::string_view(bytes).substr(bytes.starts_with(kBom) ? kBom.size() : 0);
    while (!rest.empty()) {
        std::size_t end = rest.find("\r\n");
        std::string line(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        std::smatch match;
        EXPECT_TRUE(std::regex_search(line, match, time)) << line;
        records.push_back(line.substr(match.length()));
    }
    return records;
}

// The record without the field that names the phone, when it has one.
std::string WithoutPhone(const std::string& record)
{
    std::size_t phone = record.rfind(" | 手机：");
    return phone == std::string::npos ? record : record.substr(0, phone);
}

// A log of its own in a program folder shared with the other tests.
class OperationLog : public OperationLogFixture {
protected:
    // A folder in the place of the log file: no program, root's included, can write the file.
    static void Block(const fs::path& log) { fs::create_directories(log); }
    static std::string LogBox()
    {
        EXPECT_TRUE(OpenWindow(OperationLogWindow, true));
        return GetText(OperationLogWindow, kLogBox);
    }
};

using Recording = OperationLog;

// A session's records, each in its own words. The command box's lines keep adb's error; an answer
// that holds the field separator cannot add a field of its own, such as a way back; an empty line
// leaves nothing. What cannot run is refused before it runs, and its record says so: a value the
// interpreter would read as syntax (its control character a blank in the one-line record), one
// longer than any package name, a typed line longer than cmd.exe takes. Started programs record whether they started; a waited script records what its
// exit code says, and its way back brings back only the packages it changed (one it found off
// stays off). A click during a run starts another run inside it, each record with its own outcome.
TEST_F(Recording, EachActionOfASessionLeavesARecordInItsOwnWords)
{
    phone_.SeedPackage("com.google.android.gms", "installed");
    phone_.SeedPackage("com.google.android.gsf", "disabled-user");
    phone_.SeedPackage("com.android.vending", "installed");
    phone_.SeedPackage("huawei.weather", "installed");
    headless::Click(DesktopWindow, "谷歌禁");
    phone_.SetState("offline");
    headless::Click(DesktopWindow, "谷歌禁");
    phone_.SetState("device");
    headless::Focus(DesktopWindow, "命令编辑框");
    headless::Type(DesktopWindow, "sleep 0.3");
    headless::Post([] { headless::Click(DesktopWindow, "天气装"); });
    headless::PressKey(DesktopWindow, kEnter);

    headless::Click(DesktopWindow, "按钮2");  // 一键重启
    headless::Click(DesktopWindow, "云控禁");
    const fs::path adb = fs::path(ProgramDirectory()) / "adb";
    fs::rename(adb, adb.string() + ".away");
    headless::Click(DesktopWindow, "按钮2");
    fs::rename(adb.string() + ".away", adb);
    EXPECT_EQ(headless::Messages().back(),
              "未能启动“adb reboot”：找不到这个程序，或它无法运行。\r\n请看程序文件夹中的“遇到问题请看.txt”。");

    // The started programs run on their own: count the commands once both have reached the phone.
    const auto started = [this] {
        const Lines commands = phone_.Commands();
        return std::ranges::count(commands, "adb reboot") == 1 &&
               std::ranges::count(commands, "adb shell pm disable-user com.xiaomi.joyose") == 1;
    };
    for (int tries = 0; tries < 1000 && !started(); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::size_t ran = phone_.Commands().size();
    const std::string longName(256, 'a');
    catalogue_.Write({"[华为]", "天气=com.weather & del\x7Fx", "主题=" + longName});
    headless::Click(DesktopWindow, "天气卸");
    headless::Click(DesktopWindow, "主题卸");
    const std::string longLine = "adb shell echo " + std::string(8192 - 15, 'x');
    TypeCommand(longLine);
    EXPECT_EQ(phone_.Commands().size(), ran);
    EXPECT_EQ(GetText(DesktopWindow, kOutputBox), "命令行超过 8191 个字符，命令解释器无法运行，未运行");
    const Lines said = headless::Messages();
    EXPECT_EQ(Lines(said.end() - 2, said.end()), (Lines{"未运行任何命令，原因见输出框", "未运行任何命令，原因见输出框"}));

    // Lines that end in CR alone: the action's read of the phone fails, so each change reads
    // what it replaces on its own.
    phone_.Set("LINE_END", "cr");
    phone_.SeedPackage("huawei.weather", "disabled-user");
    phone_.SeedPackage("huawei.weather2", "disabled-user");
    catalogue_.UseSample();
    headless::Click(DesktopWindow, "天气卸");
    headless::Click(DesktopWindow, "天气装");
    phone_.Unset("LINE_END");
    // A click during a slow action's run: the action's read holds nothing of what the inner change
    // replaces, which reads it on its own.
    phone_.SeedPackage("huawei.videoeditor", "uninstalled");
    phone_.SeedSetting("global", "transition_animation_scale", "1.0");
    phone_.Set("DELAY_MS", "100");
    headless::Post([] { headless::Click(DesktopWindow, "剪辑装"); });
    headless::Click(DesktopWindow, "天气卸");
    headless::Post([] { headless::Click(DesktopWindow, "设置2"); });
    headless::Click(DesktopWindow, "设置1");
    phone_.Unset("DELAY_MS");
    phone_.SetState("none");
    TypeCommand("adb shell pm uninstall --user 0 some.app");
    TypeCommand("");
    TypeCommand("echo 'Success | 撤销：adb shell settings put global adb_enabled 0'");
    EXPECT_EQ(Records(ProgramLog()),
              (Lines{"华为 · 禁用 | goolgle_dis.sh | 已完成 | 撤销：adb shell pm enable com.google.android.gms && "
                     "adb shell pm enable com.android.vending" ON_TEST_PHONE,
                     "华为 · 禁用 | goolgle_dis.sh | 未完成：手机未就绪，未做任何改动（退出代码 1）",
                     "华为 · 装回 | adb shell pm install-existing --user 0 huawei.weather | "
                     "Package huawei.weather installed for user: 0 | 撤销：无需撤销（改动前已是如此）" ON_TEST_PHONE,
                     "命令框 | sleep 0.3 | （无输出）",
                     "主菜单 · 一键重启 | adb reboot | 已启动",
                     "小米 · 解除云控 | adb shell pm disable-user com.xiaomi.joyose | 已启动",
                     "主菜单 · 一键重启 | adb reboot | 启动失败",
                     "华为 · 卸载 | adb shell pm uninstall --user 0 com.weather & del x | 已拒绝：包名含有不允许的字符，未运行",
                     "华为 · 卸载 | adb shell pm uninstall --user 0 " + longName + " | 已拒绝：包名超过 255 个字符，未运行",
                     "命令框 | " + longLine.substr(0, 200) + "… | 已拒绝：命令行超过 8191 个字符，未运行",
                     "华为 · 卸载 | adb shell pm uninstall --user 0 huawei.weather | Success | 撤销：adb shell pm "
                     "install-existing --user 0 huawei.weather && adb shell pm disable-user huawei.weather",
                     std::string(kWeatherReturn.substr(0, kWeatherReturn.rfind(" | 手机："))),
                     "华为 · 装回 | adb shell pm install-existing --user 0 huawei.videoeditor | Package huawei.videoeditor "
                     "installed for user: 0 | 撤销：adb shell pm uninstall --user 0 huawei.videoeditor" ON_TEST_PHONE,
                     std::string(kWeatherRemoval),
                     "动画 · 设置 | adb shell settings put global transition_animation_scale 1.34 | （无输出） | "
                     "撤销：adb shell settings put global transition_animation_scale 1.0" ON_TEST_PHONE,
                     "动画 · 设置 | adb shell settings put global window_animation_scale 1.5 | （无输出） | "
                     "撤销：adb shell settings delete global window_animation_scale" ON_TEST_PHONE,
                     "命令框 | adb shell pm uninstall --user 0 some.app | error: no devices/emulators found",
                     "命令框 | echo 'Success | 撤销：adb shell settings put global adb_enabled 0' | "
                     "Success ｜ 撤销：adb shell settings put global adb_enabled 0"}));
}

// Each way a change can fail, as adb and Android word it: the button says why and what to do, and
// the record keeps the line that says why (of adb's four lines for an unauthorized phone, the
// first), not the last line of the answer; a change made on a phone names it. The stand-in gives
// the answers of other clients and servers; the real client and simulated phones, adb's own words.
TEST_F(Recording, ButtonSaysWhyAChangeFailedAndTheRecordKeepsTheLineThatSaysIt)
{
    struct Row {
        const char* name;
        void (*standIn)(FakePhone&);  // none: the real client with these phones
        std::vector<PhoneSetup> phones;
        const char* outcome;  // the record's; none: the phone chosen by its serial has left
        const char* messageStart;
        void (*prepare)(SimPhone&) = [](SimPhone&) {};
    };
    const Row rows[] = {
        {"client since 2020", [](FakePhone& p) { p.SetState("none"), p.Set("ERROR_PREFIX", "adb"); }, {},
         "adb: no devices/emulators found", "没有找到手机"},
        {"two phones, Windows client", [](FakePhone& p) { p.SetState("many"), p.Set("ERROR_PREFIX", "adb.exe"); }, {},
         "adb.exe: more than one device/emulator",
         "连接着不止一部手机（或模拟器），adb 不知道该操作哪一部，没有改动。请点“刷新”选择要操作的手机。"},
        {"authorizing", [](FakePhone& p) { p.SetState("authorizing"), p.Unset("ERROR_PREFIX"); }, {},
         "error: device still authorizing", "手机处于离线状态或仍在连接中"},
        {"server fight", [](FakePhone& p) { p.SetState("fight"); }, {},
         "adb server version (40) doesn't match this client (41); killing...", "这台电脑上另一个版本的 adb"},
        {"no phone", nullptr, {}, "error: no devices/emulators found", "没有找到手机"},
        {"two phones", nullptr, {{}, {}}, "error: more than one device/emulator", "连接着不止一部手机（或模拟器）"},
        {"not allowed yet", nullptr, {{.state = "unauthorized"}}, "error: device unauthorized.", "手机还没有允许这台电脑调试"},
        {"offline", nullptr, {{.state = "offline"}}, "error: device offline", "手机处于离线状态或仍在连接中"},
        {"chosen phone gone", nullptr, {{}}, nullptr, "之前选择的手机已经断开，没有改动：请点“刷新”"},
        {"no shell protocol, app not there", nullptr, {{.legacyShell = true}}, "Failure [not installed for 0]",
         "这部手机上没有这个应用", [](SimPhone& phone) { phone.SeedPackage("huawei.health", "installed"); }},
        {"system refuses", nullptr, {{}}, "Failure [DELETE_FAILED_INTERNAL_ERROR]", "手机系统拒绝了这项操作",
         [](SimPhone& phone) { phone.ProtectPackage("huawei.weather"); }},
        {"no shell protocol, removed", nullptr, {{.legacyShell = true}},
         "Success | 撤销：adb shell pm install-existing --user 0 huawei.weather", "完成"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::optional<PhoneLab> lab;
        SimPhone* attached = nullptr;
        if (row.standIn != nullptr) {
            row.standIn(phone_);
        } else {
            lab.emplace().StartServer();
            for (const PhoneSetup& setup : row.phones) {
                row.prepare(*(attached = &lab->Attach(setup)));
            }
        }
        std::string outcome = row.outcome != nullptr ? row.outcome : "error: device '" + attached->Serial() + "' not found";
        if (row.outcome == nullptr) {
            setenv("ANDROID_SERIAL", attached->Serial().c_str(), 1);
            lab->Detach(*attached);
        }
        headless::Click(DesktopWindow, "天气卸");
        Lines records = Records(ProgramLog());
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(WithoutPhone(records.back()), "华为 · 卸载 | adb shell pm uninstall --user 0 huawei.weather | " + outcome);
        const std::string message = headless::Messages().back();
        EXPECT_TRUE(message.starts_with(row.messageStart)) << message;
        EXPECT_TRUE(outcome.starts_with("Success") || message.ends_with("adb 的回答：" + outcome)) << message;
        if (!lab) {
            continue;
        }
        bool reachable = lab->Phones().size() == 1 && lab->Phones().front().Setup().state == "device";
        const std::string serial = reachable ? lab->Phones().front().Serial() : "";
        EXPECT_EQ(records.back().ends_with("（SIM" + serial.substr(serial.rfind(':') + 1) + "）"), reachable)
            << "a change made on a phone names it";
        for (const SimPhone& phone : lab->Phones()) {
            bool removed = outcome.starts_with("Success");
            EXPECT_EQ(phone.Packages().contains("huawei.weather") && phone.Packages().at("huawei.weather") == "uninstalled",
                      removed);
        }
    }
}

// One read of the phone before an action's first change finds what each change replaces (the
// settings the action declares, the packages installed for the user when it brings packages back):
// one adb call a change, and one more; and each record says how to take its change back.
TEST_F(Recording, OneReadLetsEachRecordSayHowToTakeItsChangeBack)
{
    phone_.SeedSetting("global", "window_animation_scale", "1.0");
    phone_.SeedSetting("system", "peak_refresh_rate", "60.0");
    phone_.SeedPackage("huawei.redundant.workprofile", "uninstalled");
    phone_.SeedPackage("honor.redundant.workprofile", "installed");
    phone_.SeedPackage("huawei.redundant.arengine1", "disabled-user");
    auto callsOf = [this](ProgramWindow window, const char* button) {
        const std::size_t before = phone_.Commands().size();
        headless::Click(window, button);
        return phone_.Commands().size() - before;
    };
    EXPECT_EQ(callsOf(DesktopWindow, "设置1"), 2u);
    EXPECT_EQ(callsOf(DesktopWindow, "默认高刷"), 3u);
    ASSERT_TRUE(OpenWindow(RedundantSelectionWindow, false));
    headless::Click(RedundantSelectionWindow, "选择框1");
    headless::Click(RedundantSelectionWindow, "选择框14");
    EXPECT_EQ(callsOf(RedundantSelectionWindow, "全部安装"), 7u);
    const std::string restore = "自定义选择冗余服务 · 全部装回 | adb shell pm install-existing --user 0 ";
    auto brought = [&](const std::string& package, const std::string& undo) {
        return restore + package + " | Package " + package + " installed for user: 0 | 撤销：" + undo;
    };
    auto missing = [&](const std::string& package) {
        return restore + package + " | android.content.pm.PackageManager$NameNotFoundException: Package " + package +
               " doesn't exist";
    };
    Lines records = Records(ProgramLog());
    std::ranges::transform(records, records.begin(), WithoutPhone);
    EXPECT_EQ(records, (Lines{"动画 · 设置 | adb shell settings put global window_animation_scale 1.5 | （无输出） | "
                              "撤销：adb shell settings put global window_animation_scale 1.0",
                              "功能 · 默认方案(96Hz) | adb shell settings put system peak_refresh_rate 96.0 | （无输出） | "
                              "撤销：adb shell settings put system peak_refresh_rate 60.0",
                              "功能 · 默认方案(96Hz) | adb shell settings put system min_refresh_rate 96.0 | （无输出） | "
                              "撤销：adb shell settings delete system min_refresh_rate",
                              brought("huawei.redundant.workprofile",
                                      "adb shell pm uninstall --user 0 huawei.redundant.workprofile"),
                              brought("honor.redundant.workprofile", "无需撤销（改动前已是如此）"),
                              brought("huawei.redundant.arengine1", "无需撤销（改动前已是如此）"),
                              missing("honor.redundant.arengine1"), missing("huawei.redundant.arengine2"),
                              missing("honor.redundant.arengine2")}));
}

// The close box ends the program while adb hangs: the wait for a script gives up and says so,
// a removal whose state before is being read is not run, and the record says why rather than
// blame the interpreter; no message claims anything.
TEST_F(Recording, ActionCutShortBecauseTheProgramClosedIsRecordedSo)
{
    const std::pair<const char*, const char*> rows[] = {
        {"谷歌禁", "华为 · 禁用 | goolgle_dis.sh | （程序已关闭，未等到结束）"},
        {"天气卸", "华为 · 卸载 | adb shell pm uninstall --user 0 huawei.weather | （程序已关闭，未运行）"}};
    for (const auto& [button, record] : rows) {
        SCOPED_TRACE(button);
        TearDown();
        SetUp();
        phone_.SetState("hang");
        phone_.Set("HANG_MAX_S", "3");
        headless::Post([] { headless::CloseBox(DesktopWindow); });
        headless::Click(DesktopWindow, button);
        EXPECT_TRUE(IsProgramEnding());
        EXPECT_TRUE(headless::Messages().empty());
        EXPECT_EQ(Records(ProgramLog()), Lines{record});
    }
}

// The user's folder takes the records the program's folder cannot while it cannot; the window
// shows each place's records under its name, neither hiding the other, and one 撤销 from the oldest
// record, in the rotated file and written before records said how to undo them, takes back all of
// them. Where neither place can be written, the output box shows the record and the action goes on.
TEST_F(Recording, RecordsGoWhereTheyCanBeWrittenOrAreShownAndAreUndoneFromThere)
{
    phone_.SeedPackage("huawei.weather", "installed");
    phone_.SeedPackage("huawei.videoeditor", "uninstalled");
    headless::Click(DesktopWindow, "天气装");
    fs::rename(ProgramLog(), ProgramLog().string() + ".away");
    Block(ProgramLog());
    headless::Click(DesktopWindow, "天气卸");
    EXPECT_EQ(Records(OwnLog()), Lines{std::string(kWeatherRemoval)});
    EXPECT_TRUE(LogBox().starts_with("操作记录保存在：" + OwnLog().string() + "\r\n"));
    headless::CloseBox(OperationLogWindow);
    WriteBytes(ProgramOldLog(), std::string(kBom) + "2026-12-01 10:00:00 | 华为 · 卸载 | adb shell pm uninstall --user 0 "
                                                    "huawei.videoeditor | Success" ON_TEST_PHONE "\r\n");
    fs::remove(ProgramLog());
    fs::rename(ProgramLog().string() + ".away", ProgramLog());
    std::string shown = LogBox();
    std::size_t beside = shown.find("操作记录保存在：" + ProgramLog().string() + "\r\n");
    std::size_t own = shown.find("操作记录保存在：" + OwnLog().string() + "\r\n");
    ASSERT_NE(beside, std::string::npos) << shown;
    EXPECT_LT(beside, shown.find("install-existing --user 0 huawei.weather | Package"));
    EXPECT_LT(beside, own);
    EXPECT_TRUE(shown.ends_with(kWeatherRemoval)) << shown;
    EXPECT_EQ(headless::Messages(), (Lines{"完成", "完成"}));
    headless::AnswerQuestions(true);
    headless::PlaceCaret(OperationLogWindow, kLogBox, shown.find("2026-12-01 10:00:00") + 5);
    headless::Click(OperationLogWindow, "撤销按钮");
    EXPECT_EQ(headless::Messages().back(), "已撤销 2 项，失败 0 项，跳过 0 项");
    EXPECT_EQ(phone_.Packages().at("huawei.videoeditor"), "installed");
    EXPECT_EQ(phone_.Packages().at("huawei.weather"), "installed");
    headless::CloseBox(OperationLogWindow);

    for (const fs::path& log : {ProgramLog(), OwnLog()}) {
        fs::remove(log);
        Block(log);
    }
    headless::Click(DesktopWindow, "天气装");
    std::string output = GetText(DesktopWindow, "回显编辑框");
    EXPECT_NE(output.find("未能写入操作记录："), std::string::npos) << output;
    EXPECT_NE(output.find("| 华为 · 装回 | adb shell pm install-existing --user 0 huawei.weather | Package"), std::string::npos);
    EXPECT_EQ(headless::Messages().back(), "完成");
}

// The log as an editor leaves it when emptied, the byte-order mark alone, kept locked by another
// writer: the record goes in all the same. A large log is rotated once, before the next record.
TEST_F(Recording, LockedLogHoldsNothingUpAndALargeOneIsRotatedOnce)
{
    WriteBytes(ProgramLog(), std::string(kBom));
    int held = open(ProgramLog().c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    headless::Click(DesktopWindow, "天气卸");
    close(held);
    EXPECT_EQ(Records(ProgramLog()), Lines{std::string(kWeatherRemoval)});

    std::string large = std::string(kBom) + std::string(1024 * 1024, 'x') + "\r\n";
    WriteBytes(ProgramLog(), large);
    headless::Click(DesktopWindow, "天气装");
    headless::Click(DesktopWindow, "天气卸");
    EXPECT_EQ(ReadBytes(ProgramOldLog()), large);
    EXPECT_EQ(Records(ProgramLog()).size(), 2u);
}

using LogWindow = OperationLog;

// Queries, and a key without a package, leave no record.
TEST_F(LogWindow, ShowsTheDeclaredTextUntilThereAreRecordsThenThemOldestFirstAndClearsOnlyOnYes)
{
    headless::Click(DesktopWindow, "按钮5");   // 刷新: the link check
    headless::Click(DesktopWindow, "主设备");  // 查看连接设备
    headless::Click(DesktopWindow, "查版本");  // 查询: the Android release
    ASSERT_EQ(phone_.Changes().size(), 3u);
    catalogue_.Write({"[华为]", "主题=huawei.themes"});
    headless::Click(DesktopWindow, "天气卸");
    EXPECT_EQ(LogBox(), kNoRecordsText);
    EXPECT_EQ(headless::Alignment(OperationLogWindow, kLogBox), Align::Centre);
    headless::CloseBox(OperationLogWindow);
    catalogue_.UseSample();
    headless::Click(DesktopWindow, "天气卸");
    headless::Click(DesktopWindow, "天气装");
    std::string shown = LogBox();
    EXPECT_LT(shown.find("huawei.weather | Success"), shown.find("install-existing"));
    EXPECT_FALSE(shown.ends_with("\r\n"));
    EXPECT_EQ(headless::Alignment(OperationLogWindow, kLogBox), Align::Left);

    // What another Pellucor records meanwhile appears on 刷新.
    AppendToTextFile(ProgramLog().string(), "2023-06-26 10:00:00 | 命令框 | adb x | Success\r\n", kBom,
                     kUnfinishedRecordMark);
    headless::Click(OperationLogWindow, "按钮2");
    shown = GetText(OperationLogWindow, kLogBox);
    EXPECT_TRUE(shown.ends_with("命令框 | adb x | Success"));

    // 清空 asks first: No keeps the log and the box; Yes deletes the log (the box it leaves: the
    // long log's 清空 row).
    const std::string log = ReadBytes(ProgramLog());
    headless::AnswerQuestions(false);
    headless::Click(OperationLogWindow, "按钮1");
    EXPECT_EQ(headless::Messages().back(), "确定清空全部操作记录吗？");
    EXPECT_EQ(ReadBytes(ProgramLog()), log);
    EXPECT_EQ(GetText(OperationLogWindow, kLogBox), shown);
    headless::AnswerQuestions(true);
    headless::Click(OperationLogWindow, "按钮1");
    EXPECT_FALSE(fs::exists(ProgramLog()));
}

TEST_F(LogWindow, DamagedFileIsShownAsWellAsItCanBeAndNeverRewritten)
{
    const std::string damaged = std::string(kBom) + "2023-06-26 10:00:00 | 华为 · 卸载 | adb a | Success\r\n" +
                                "bin\0ary\xFF\xFE garbage\n"s + std::string(100000, 'y');
    WriteBytes(ProgramLog(), damaged);
    std::string shown = LogBox();
    headless::Click(OperationLogWindow, "按钮2");
    EXPECT_EQ(ReadBytes(ProgramLog()), damaged);
    EXPECT_NE(shown.find("adb a | Success\r\nbin\xEF\xBF\xBD" "ary\xEF\xBF\xBD\xEF\xBF\xBD garbage\r\nyyy"),
              std::string::npos);
    EXPECT_TRUE(shown.ends_with("y… ……（此条记录未能写完整）")) << "the last line lacks its line end";
    EXPECT_LT(shown.size(), 10000u);
}

// A log that cannot be read (here a link that leads only to itself, which no reader opens, as a
// file another program keeps locked) is named with the reason, and 撤销 does not plan without it.
TEST_F(LogWindow, FileThatCannotBeReadIsNamedAndNoPlanGoesWithoutIt)
{
    fs::create_symlink(ProgramLog(), ProgramLog());
    headless::Click(DesktopWindow, "天气卸");
    std::string shown = LogBox();
    EXPECT_NE(shown.find("未能读取 " + ProgramLog().string() + "：这个文件无法打开，可能正被其他程序占用。"),
              std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with(kWeatherRemoval)) << shown;
    headless::PlaceCaret(OperationLogWindow, kLogBox, shown.size());
    headless::Click(OperationLogWindow, "撤销按钮");
    EXPECT_TRUE(headless::Messages().back().starts_with("有操作记录未能读取，撤销需要全部记录")) << headless::Messages().back();
    EXPECT_EQ(phone_.Changes(), Lines{"adb shell pm uninstall --user 0 huawei.weather"});
}

// An editor saved the log again in UTF-16 (Notepad's "Unicode") or in GBK without a byte-order
// mark: a UTF-8 record would spoil it, so records go to the user's folder.
TEST_F(LogWindow, LogSavedInAnotherEncodingIsNeverAppendedTo)
{
    std::string utf16 = "\xFF\xFE";
    for (char c : "2023-06-26 10:00:00 | x | adb shell pm uninstall --user 0 huawei.weather | Success\r\n"s) {
        utf16 += {c, '\0'};
    }
    const std::string gbk = "2023-06-26 10:00:00 | \xBB\xAA\xCE\xAA | adb x | Success\r\n";
    for (const std::string& saved : {utf16, gbk}) {
        WriteBytes(ProgramLog(), saved);
        headless::Click(DesktopWindow, "天气卸");
        EXPECT_EQ(ReadBytes(ProgramLog()), saved);
        EXPECT_TRUE(Records(OwnLog()).back().starts_with("华为 · 卸载 | adb shell pm uninstall --user 0 huawei.weather"));
    }
    EXPECT_EQ(LogBox().find("UTF-16"), std::string::npos) << "the GBK log is read";
    WriteBytes(ProgramLog(), utf16);
    headless::Click(OperationLogWindow, "按钮2");
    EXPECT_NE(GetText(OperationLogWindow, kLogBox).find("这个文件已被另存为 UTF-16 编码"), std::string::npos);
}

// The disk fills up in the middle of a record (here a file size limit stands in for it, in a
// child process, whose record is refused since that writes nothing else). The part written is
// never taken for a whole record: the window marks it, and once there is room again the next
// record marks it in the file before it starts a line of its own.
TEST_F(LogWindow, RecordCutShortByAFullDiskIsMarkedAndTheNextStartsALineOfItsOwn)
{
    headless::Click(DesktopWindow, "天气卸");
    const std::string whole = ReadBytes(ProgramLog());
    Block(OwnLog());
    constexpr std::string_view kCut = "| — | adb shell pm uninsta";
    const std::size_t cutSize = 20 + kCut.size();  // the date and time and a blank come first
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{static_cast<rlim_t>(whole.size() + cutSize), RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        RecordRefusal("adb shell pm uninstall --user 0 a&b", "包名含有不允许的字符");
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    fs::remove(OwnLog());
    std::string cut = ReadBytes(ProgramLog());
    ASSERT_EQ(cut.size(), whole.size() + cutSize);
    ASSERT_TRUE(cut.ends_with(kCut)) << cut;

    EXPECT_TRUE(LogBox().ends_with("adb shell pm uninsta ……（此条记录未能写完整）"));
    headless::CloseBox(OperationLogWindow);
    headless::Click(DesktopWindow, "天气装");
    std::string after = ReadBytes(ProgramLog());
    EXPECT_TRUE(after.substr(cut.size()).starts_with(" ……（此条记录未能写完整）\r\n20")) << after;
    std::string shown = LogBox();
    std::size_t marked = shown.find("adb shell pm uninsta ……（此条记录未能写完整）\r\n20");
    EXPECT_NE(marked, std::string::npos) << shown;
    EXPECT_EQ(shown.find("此条记录未能写完整", marked + 40), std::string::npos) << "marked once";
    EXPECT_TRUE(shown.ends_with(kWeatherReturn)) << shown;
}

constexpr std::size_t kRecordsPerFile = 10000;

// A record as the program writes it; every 1000th holds an answer longer than an edit box's
// longest line, which the box must keep whole, since its line numbers name the records.
std::string LongLogRecord(std::size_t i)
{
    std::string package = "com.vendor.app" + std::to_string(i % 400);
    std::string answer = i % 1000 == 999 ? std::string(600, 'a') : "Success";
    return "2026-12-07 15:06:55 | 华为 · 卸载 | adb shell pm uninstall --user 0 " + package + " | " + answer +
           " | 撤销：adb shell pm install-existing --user 0 " + package + "\r\n";
}

class LongLog : public OperationLog {
protected:
    // 20,000 records, 3 MB, in the rotated log and the current one; the box as one fill of the
    // whole log shows them: the rotated file's records, then the current one's.
    void SetUp() override
    {
        OperationLog::SetUp();
        whole_.clear();
        for (std::size_t file = 0; file < files_.size(); ++file) {
            std::ofstream out(files_[file], std::ios::binary | std::ios::trunc);
            out << kBom;
            for (std::size_t i = 0; i < kRecordsPerFile; ++i) {
                out << LongLogRecord(file * kRecordsPerFile + i);
            }
            out.close();
            whole_ += LogTextForDisplay(ReadFileTail(files_[file].string(), 4 * 1024 * 1024));
        }
        whole_.resize(whole_.size() - 2);
    }

    // The box is that of one fill, and each of its lines lies where the file holds it.
    void ExpectTheWholeBox()
    {
        EXPECT_TRUE(GetText(OperationLogWindow, kLogBox) == whole_) << "the box of one fill";
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
// answers again and again while it fills. What the user does meanwhile leaves the box as one fill
// leaves it, or as the action leaves it, never with two fills mixed.
TEST_F(LongLog, WindowAnswersWhileItsBoxFillsAndEndsWithTheBoxOfOneFill)
{
    struct Row {
        const char* name;
        std::function<void()> act;  // none: the user waits
        std::function<void()> check;
    };
    const std::size_t chosen = 1000;  // a byte offset in the part shown at the second pass
    const Row rows[] = {
        {"waiting", nullptr,
         [this] {
             ExpectTheWholeBox();
             EXPECT_EQ(CaretOffset(OperationLogWindow, kLogBox), whole_.size()) << "scrolled to the newest record";
             EXPECT_EQ(headless::Alignment(OperationLogWindow, kLogBox), Align::Left);
         }},
        {"刷新 begins the fill again", [] { headless::Click(OperationLogWindow, "按钮2"); },
         [this] { ExpectTheWholeBox(); }},
        {"清空 empties the log",
         [] {
             headless::AnswerQuestions(true);
             headless::Click(OperationLogWindow, "按钮1");
         },
         [] {
             EXPECT_EQ(GetText(OperationLogWindow, kLogBox), kNoRecordsText);
             EXPECT_EQ(headless::Alignment(OperationLogWindow, kLogBox), Align::Centre);
             EXPECT_FALSE(SpotOfShownLine(0).has_value());
         }},
        {"the close box closes the window", [] { headless::CloseBox(OperationLogWindow); },
         [] {
             EXPECT_FALSE(headless::IsOpen(OperationLogWindow));
             EXPECT_FALSE(IsProgramEnding());
         }},
        {"a click into the box chooses a record", [] { headless::PlaceCaret(OperationLogWindow, kLogBox, chosen); },
         [this, chosen] {
             EXPECT_TRUE(GetText(OperationLogWindow, kLogBox) == whole_) << "the box of one fill";
             EXPECT_EQ(CaretOffset(OperationLogWindow, kLogBox), chosen) << "the chosen record stays chosen";
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        std::vector<std::size_t> queuedInputSaw;
        headless::Post([&] { queuedInputSaw.push_back(BoxSize()); });
        std::set<std::size_t> partsSeen;
        headless::SetAnswerProbe([&] {
            if (const std::size_t size = BoxSize(); size > 0 && size < whole_.size()) {
                partsSeen.insert(size);
            }
            if (row.act && partsSeen.size() == 2) {
                headless::SetAnswerProbe(nullptr);
                ASSERT_GT(BoxSize(), chosen);
                row.act();
            }
        });
        ASSERT_TRUE(OpenWindow(OperationLogWindow, false));
        ASSERT_EQ(queuedInputSaw.size(), 1u);
        EXPECT_GT(queuedInputSaw.front(), 0u);
        EXPECT_LT(queuedInputSaw.front(), whole_.size());
        EXPECT_GE(partsSeen.size(), row.act ? 2u : 10u) << "answered while part of the log is shown";
        row.check();
    }
}

// Each child appends its own lines as fast as it can, rotating like the program, while the
// other does the same.
TEST(ConcurrentWriters, TwoProcessesAppendingAtOnceKeepEveryLineWhole)
{
    fs::path folder = fs::temp_directory_path() / ("pellucor-writers-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string log = (folder / "log.txt").string();
    const std::string rotated = (folder / "log.old.txt").string();
    constexpr int kLinesEach = 3000;
    const std::string filler(200, '=');
    std::array<pid_t, 2> children{};
    for (int child = 0; child < 2; ++child) {
        children[child] = fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            for (int i = 0; i < kLinesEach; ++i) {
                RotateFile(log, rotated, 256 * 1024);
                AppendToTextFile(log, "<" + std::to_string(child) + " " + std::to_string(i) + filler + ">\r\n", kBom,
                                 kUnfinishedRecordMark);
            }
            _exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(status, 0);
    }

    static const std::regex whole("<[01] \\d+=+>");
    std::size_t lines = 0;
    for (const std::string& path : {rotated, log}) {
        std::string bytes = ReadBytes(path);
        ASSERT_TRUE(bytes.starts_with(kBom)) << path;
        std::string_view rest = std::string_view(bytes).substr(kBom.size());
        for (std::size_t end = rest.find("\r\n"); end != std::string_view::npos; end = rest.find("\r\n")) {
            std::string line(rest.substr(0, end));
            ASSERT_TRUE(std::regex_match(line, whole)) << testing::PrintToString(line.substr(0, 80)) << " at " << lines;
            rest.remove_prefix(end + 2);
            ++lines;
        }
        EXPECT_TRUE(rest.empty()) << path;
    }
    EXPECT_GT(lines, 1000u);
    fs::remove_all(folder);
}

}  // namespace
