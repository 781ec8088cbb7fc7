// The package buttons of the brand pages, "一键卸载" and the redundant-service selection against the
// fake phone: the command lines each button runs, in order, its message, and what becomes of
// missing, odd and unsafe catalogue values.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/main_menu.h"
#include "catalogue/package_actions.h"
#include "support/catalogue_fixture.h"
#include "support/phone_lab.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kUninstall = "adb shell pm uninstall --user 0 ";
const std::string kRestore = "adb shell pm install-existing --user 0 ";
const std::string kDisable = "adb shell pm disable-user ";
const std::string kEnable = "adb shell pm enable ";

struct ButtonCase {
    const char* button;
    Lines commands;
    const char* message;
};

void PrintTo(const ButtonCase& c, std::ostream* out) { *out << c.button; }

class PackageButton : public CatalogueTest, public testing::WithParamInterface<ButtonCase> {};

TEST_P(PackageButton, RunsItsKeysInOrderFromItsPagesSectionThenShowsItsMessage)
{
    headless::Click(DesktopWindow, GetParam().button);
    EXPECT_EQ(Commands(), GetParam().commands);
    EXPECT_EQ(State().currentCommand, GetParam().commands.back()) << "the template is followed directly by the value";
    EXPECT_EQ(Messages(), Lines{GetParam().message});
}

INSTANTIATE_TEST_SUITE_P(BothPages, PackageButton, testing::Values(
    ButtonCase{"卡片卸", {kUninstall + "huawei.servicecenter"}, "完成"},
    ButtonCase{"按钮172", {kRestore + "honor.servicecenter"}, "完成"},
    ButtonCase{"天气卸", {kUninstall + "huawei.weather"}, "完成"},
    ButtonCase{"按钮151", {kUninstall + "honor.weather"}, "完成"},
    ButtonCase{"视频卸", {kUninstall + "huawei.video1", kUninstall + "huawei.video2", kUninstall + "huawei.video3",
                          kUninstall + "huawei.video4"}, "完成"},
    ButtonCase{"按钮120", {kRestore + "honor.video1", kRestore + "honor.video2", kRestore + "honor.video3",
                           kRestore + "honor.video4"}, "完成"},
    ButtonCase{"识屏装", {kRestore + "huawei.screenrecognition1", kRestore + "huawei.screenrecognition2",
                          kRestore + "huawei.screenrecognition3"}, "完成"},
    ButtonCase{"运动卸", {kUninstall + "huawei.health1", kUninstall + "huawei.health2"}, "完成"},
    ButtonCase{"运动装", {kRestore + "huawei.health1", kRestore + "huawei.health2"},
               "运动健康可能不是系统应用，无法装回（华为应用市场可下载安装）"},
    ButtonCase{"按钮170", {kRestore + "honor.health1", kRestore + "honor.health2"}, "完成"},
    ButtonCase{"浏览器装", {kRestore + "huawei.browser1", kRestore + "huawei.browser2"}, "完成"},
    ButtonCase{"按钮115", {kUninstall + "honor.browser1", kUninstall + "honor.browser2"}, "完成，如不生效，尝试前往华为板块卸载"},
    ButtonCase{"按钮114", {kRestore + "honor.browser1", kRestore + "honor.browser2"}, "完成，如不生效，尝试前往华为板块卸载"},
    ButtonCase{"车机卸", {kUninstall + "huawei.hicar"}, "完成"},
    ButtonCase{"按钮113", {kUninstall + "honor.hicar"}, "完成"},
    ButtonCase{"剪辑装", {kRestore + "huawei.videoeditor"}, "完成"},
    ButtonCase{"荣耀HMS卸", {kUninstall + "honor.hms"}, "完成"},
    ButtonCase{"按钮71", {kRestore + "huawei.gamespace"}, "完成"},
    ButtonCase{"紧急装", {kRestore + "huawei.emergency"}, "完成"},
    ButtonCase{"输入卸", {kUninstall + "huawei.baiduinput", kUninstall + "huawei.celiainput"}, "【百度输入法华为定制版】完成"},
    ButtonCase{"输入装", {kRestore + "huawei.baiduinput", kRestore + "huawei.celiainput"}, "【百度输入法华为定制版】完成"},
    ButtonCase{"按钮137", {kUninstall + "honor.input1"}, "完成"},
    ButtonCase{"按钮136", {kRestore + "honor.input2"}, "完成"},
    ButtonCase{"系统更新禁", {kDisable + "huawei.systemupdate"}, "已经好了，采用禁用的方式，您可以随时解禁"},
    ButtonCase{"系统更新解", {kEnable + "huawei.systemupdate"}, "如未成功，请您重启后查看"},
    ButtonCase{"荣耀系统更新禁用", {kDisable + "honor.systemupdate"}, "已经好了，采用禁用的方式，您可以随时解禁"},
    ButtonCase{"荣耀系统更新解禁", {kEnable + "honor.systemupdate"}, "已经好了，建议重启一次"},
    ButtonCase{"广告禁", {kDisable + "huawei.call5g"}, "重启后可能出现5G开关，请调出"},
    ButtonCase{"广告解", {kEnable + "huawei.call5g"}, "如未成功，请您重启后查看"},
    ButtonCase{"荣耀5G开关启用", {kDisable + "honor.call5g"}, "重启后可能出现5G开关，请调出"},
    ButtonCase{"按钮95", {kEnable + "honor.call5g"}, "如未成功，请您重启后查看"}));

using PackageAction = CatalogueTest;

// On a phone before Android 8.0 no command brings a removed app back: the first removal of an
// action is asked about, No being the default, and a No runs nothing. The real client.
TEST_F(PackageAction, RemovalOnAPhoneBeforeAndroid8IsAskedFirstAndNoRunsNothing)
{
    PhoneLab lab;
    SimPhone& phone = lab.Attach({.model = "HUAWEI P9", .sdk = "24", .legacyShell = true});
    headless::Click(DesktopWindow, "视频卸");
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(Messages()[0].starts_with("这部手机 HUAWEI P9（")) << Messages()[0];
    EXPECT_NE(Messages()[0].find("Android 7.1 或更早（SDK 24）"), std::string::npos);
    EXPECT_EQ(Messages()[1], "没有卸载任何应用。");
    EXPECT_TRUE(phone.Changes().empty());

    headless::AnswerQuestions(true);
    headless::Click(DesktopWindow, "视频卸");
    EXPECT_EQ(Messages().size(), 4u) << "one question for the action's four removals";
    EXPECT_EQ(phone.Changes().size(), 4u);
    EXPECT_NE(CatalogueFile::Read(JoinPath(ProgramDirectory(), "操作记录.txt"))
                  .find(kUninstall + "huawei.video4 | Success | 撤销：无法撤销（Android 8.0 之前的系统没有命令能装回卸载的应用）"),
              std::string::npos);
}

const std::string kNoneRan = "未运行任何命令，原因见输出框";
const std::string kPartRun = "完成 2 项，未完成 2 项。\r\n原因见输出框。";
std::string NoPackage(const char* sectionAndKey) { return "databank.ini 中 " + std::string(sectionAndKey) + " 没有包名，未运行\r\n"; }
std::string Skipped(const char* sectionAndKey)
{
    return "databank.ini 中 " + std::string(sectionAndKey) + " 的包名含有不允许的字符，已跳过\r\n";
}

// What the catalogue holds decides what runs: a missing or unreadable file, section or key, or an
// empty value runs nothing, and the output box says why, after the last command's output when
// some steps ran; the message never claims "完成" for what did not run. Values lose their blanks
// and quotes; a refused step is skipped and the others run. Each row clicks on a fresh catalogue
// and a fresh output box.
TEST_F(PackageAction, CatalogueDecidesWhatRunsAndTheOutputBoxSaysWhatDidNot)
{
    struct Row {
        const char* name;
        std::function<void()> prepare;
        std::vector<const char*> buttons;
        Lines commands;
        std::optional<std::string> output;  // none: not checked
        std::optional<Lines> messages;
    };
    const std::string devices = "List of devices attached\r\nFAKE0001               device usb:1-1 product:pellucor_test "
                                "model:Pellucor_Test_Phone device:pellucor_test transport_id:1\r\n\r\n";
    const Row rows[] = {
        {"no file", [this] { catalogue_.Remove(); }, {"音乐卸"}, {},
         "未找到 databank.ini（查找位置：" + catalogue_.Path() + "），未运行任何命令\r\n", Lines{kNoneRan}},
        {"a file that cannot be read", [this] { catalogue_.ReplaceWithFolder(); }, {"天气卸"}, {},
         "未能读取 databank.ini（查找位置：" + catalogue_.Path() + "），未运行任何命令\r\n", Lines{kNoneRan}},
        {"a key only the other brand has",
         [this] { catalogue_.Write({"[荣耀]", "天气=honor.weather", "[华为]", "主题=huawei.themes"}); },
         {"天气卸", "按钮151", "按钮153"}, {kUninstall + "honor.weather"}, NoPackage("[荣耀] 主题"),
         Lines{kNoneRan, "完成", kNoneRan}},
        {"empty and blank values", [this] { catalogue_.Write({"[华为]", "天气=", "主题=\"  \""}); }, {"天气卸", "主题卸"},
         {}, NoPackage("[华为] 主题"), Lines{kNoneRan, kNoneRan}},
        {"part of the keys",
         [this] { catalogue_.Write({"[华为]", "华为视频1=huawei.video1", "华为视频3=huawei.video3"}); }, {"视频卸"},
         {kUninstall + "huawei.video1", kUninstall + "huawei.video3"},
         "Success\r\n" + NoPackage("[华为] 华为视频2") + NoPackage("[华为] 华为视频4"), Lines{kPartRun}},
        {"saved by Notepad as UTF-8", [this] { catalogue_.WriteBytes("[华为]\r\n天气=huawei.weather\r\n"); },
         {"天气卸"}, {kUninstall + "huawei.weather"}, "Success\r\n", Lines{"完成"}},
        {"blanks and quotes around values",
         [this] {
             catalogue_.Write({"[华为]", "天气 =   huawei.weather   ", "主题=\"huawei.themes\"", "备份 = 'huawei.backup' "});
         },
         {"天气卸", "主题卸", "备份卸"},
         {kUninstall + "huawei.weather", kUninstall + "huawei.themes", kUninstall + "huawei.backup"}, "Success\r\n",
         Lines{"完成", "完成", "完成"}},
        {"the shipped catalogue",
         [this] {
             catalogue_.WriteBytes(CatalogueFile::Read(CatalogueFile::SamplePath().parent_path().parent_path().parent_path() /
                                                       "databank.ini"));
         },
         {"备份卸", "按钮141", "按钮159"},
         {kUninstall + "com.huawei.KoBackup", kUninstall + "com.hihonor.koBackup", kUninstall + "com.hihonor.findmydevice"},
         "Success\r\n", std::nullopt},
        {"refused steps",
         [this] {
             catalogue_.Write({"[华为]", "华为视频1=bad&name", "华为视频2=huawei.video2", "华为视频3=x|y",
                               "华为视频4=huawei.video4"});
         },
         {"视频卸"}, {kUninstall + "huawei.video2", kUninstall + "huawei.video4"},
         "Success\r\n" + Skipped("[华为] 华为视频1") + Skipped("[华为] 华为视频3"), Lines{kPartRun}},
        {"a refusal after output without a line end",
         [this] {
             phone_.Set("LINE_END", "none");
             catalogue_.Write({"[荣耀]", "运动健康1=honor.health1", "运动健康2=a>b"});
         },
         {"按钮171"}, {kUninstall + "honor.health1"}, "Success\r\n" + Skipped("[荣耀] 运动健康2"), std::nullopt},
        {"only the last command's output is kept", [this] { phone_.Set("PACKAGES", "huawei.video4"); }, {"视频卸"},
         {kUninstall + "huawei.video1", kUninstall + "huawei.video2", kUninstall + "huawei.video3",
          kUninstall + "huawei.video4"},
         "Success\r\n", std::nullopt},
        {"connected devices, the catalogue's command line as it stands", [] {}, {"主设备"}, {"adb devices -l"}, devices,
         Lines{}},
        {"connected devices, whole command lines are not checked like package names",
         [this] { catalogue_.Write({"[主菜单]", "查看设备=adb devices && adb version"}); }, {"主设备"},
         {"adb devices", "adb version"}, std::nullopt, Lines{}},
        {"connected devices without the main menu's section", [this] { catalogue_.Write({"[华为]", "天气=huawei.weather"}); },
         {"主设备"}, {}, "databank.ini 中 [主菜单] 查看设备 没有命令，未运行\r\n", Lines{}},
        {"the Huawei safe-removal notice", [] {}, {"华为引导"}, {}, "\r\n\r\n\r\n\r\n您可以卸载华为全家桶、智慧增值服务，这是安全的",
         Lines{}},
        {"the Honor safe-removal notice", [] {}, {"按钮169"}, {}, "\r\n\r\n\r\n\r\n您可以卸载全家桶、智慧增值服务，这是安全的", Lines{}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        phone_.Unset("LINE_END");
        phone_.Unset("PACKAGES");
        phone_.ClearCommands();
        row.prepare();
        SetText(DesktopWindow, kOutputBox, "earlier output");
        for (const char* button : row.buttons) {
            headless::Click(DesktopWindow, button);
        }
        EXPECT_EQ(Commands(), row.commands);
        if (row.output) {
            EXPECT_EQ(Output(), *row.output);
        }
        if (row.messages) {
            EXPECT_EQ(Messages(), *row.messages);
        }
        catalogue_.Remove();
    }
}

// The catalogue is read again for each key: an edit between two clicks, or during a multi-key
// action, counts for the keys still to come.
TEST_F(PackageAction, AnEditCountsForTheKeysStillToCome)
{
    headless::Click(DesktopWindow, "天气卸");
    catalogue_.Write({"[华为]", "天气=com.huawei.android.totemweather", "运动健康1=huawei.health1"});
    headless::Click(DesktopWindow, "天气卸");
    phone_.Set("DELAY_MS", "50");
    headless::Post([this] { catalogue_.Write({"[华为]", "运动健康1=edited.one", "运动健康2=edited.two"}); });
    headless::Click(DesktopWindow, "运动卸");
    EXPECT_EQ(Commands(), (Lines{kUninstall + "huawei.weather", kUninstall + "com.huawei.android.totemweather",
                                 kUninstall + "huawei.health1", kUninstall + "edited.two"}));
}

// A catalogue value reaches the interpreter unquoted: anything it could read as syntax is refused.
TEST(SafePackageName, LettersDigitsDotsUnderscoresHyphensBlanksAndNonAsciiPassAndNothingElse)
{
    for (const char* value : {"com.baidu.input_huawei", "com.huawei.KoBackup", "a-b c", "没有命令输入", "", "荣耀 HiCar"}) {
        EXPECT_TRUE(IsSafePackageName(value)) << value;
    }
    for (const char* value : {"com.x & echo owned", "com.x|more", "com.x>out.txt", "com.x<in", "com.x^", "%PATH%",
                              "com.x;reboot", "$(reboot)", "`reboot`", "com.x\ty", "com.x\x01", "com.x\x7F", "a\"b",
                              "com.x/../y", "com.x,y", "(x)", "x*", "a\xC2\x85" "b" /* NEL, a C1 control character */}) {
        EXPECT_FALSE(IsSafePackageName(value)) << value;
    }
}

// The sample catalogue's names of the 26 services, in the order the actions use them.
const std::vector<std::string> kServices = {
    "workprofile", "htmlviewer", "detectrepair", "print1", "print2", "stk", "recommended",
    "experience1", "experience2", "experience3", "experience4", "cellbroadcast", "geofence", "tips",
    "backuptransport", "pengine", "screenreader", "arengine1", "arengine2", "bonevoice", "rcs",
    "contentsensor", "livewallpaper1", "livewallpaper2", "livewallpaper3", "livewallpaper4"};

std::string Package(std::string_view brand, std::string_view service)
{
    return std::string(brand) + ".redundant." + std::string(service);
}

// The command for each service, for each of the brands in turn, as the actions run them.
Lines ForEach(const std::string& command, const std::vector<std::string>& services, std::vector<const char*> brands)
{
    Lines lines;
    for (const auto& service : services) {
        for (const char* brand : brands) {
            lines.push_back(command + Package(brand, service));
        }
    }
    return lines;
}

using RedundantServices = CatalogueTest;

// Each brand page removes its own section's 26 in order; the selection window works through the
// ticked boxes' services in order, each key for 华为 then 荣耀 whichever page opened it; every
// step runs whatever the phone answers, and the message says why none was done. A box is
// read once per key: one ticked during the run counts for the keys still to come; one cleared
// while a key's first command runs lets that key's second brand through and stops the rest.
TEST_F(RedundantServices, EachButtonRunsItsServicesInOrder)
{
    struct Row {
        const char* name;
        const char* button;  // on the brand page, or the selection window's
        std::vector<int> ticked;
        int tickedDuringTheRun;  // 0: none
        Lines commands;
        const char* message = "完成";  // the start of the one message
        const char* phoneState = "device";
    };
    std::vector<int> every;
    for (int box = 1; box <= 18; ++box) {
        every.push_back(box);
    }
    Lines tickedDuring = ForEach(kUninstall, {"workprofile", "livewallpaper1", "livewallpaper2", "livewallpaper3",
                                              "livewallpaper4"}, {"huawei", "honor"});
    const Row rows[] = {
        {"华为 page", "冗余卸", {}, 0, ForEach(kUninstall, kServices, {"huawei"})},
        {"荣耀 page", "荣耀冗余服务卸载", {}, 0, ForEach(kUninstall, kServices, {"honor"})},
        {"every step whatever the phone answers", "荣耀冗余服务卸载", {}, 0, ForEach(kUninstall, kServices, {"honor"}),
         "没有找到手机", "none"},
        {"nothing ticked, removal", "卸载选中", {}, 0, {}},
        {"nothing ticked, restore", "全部安装", {}, 0, {}},
        {"the print service's two keys", "卸载选中", {4}, 0, ForEach(kUninstall, {"print1", "print2"}, {"huawei", "honor"})},
        {"every box", "卸载选中", every, 0, ForEach(kUninstall, kServices, {"huawei", "honor"})},
        {"ticked and cleared", "全部安装", {1, 14, 10, 10}, 0,
         ForEach(kRestore, {"workprofile", "arengine1", "arengine2"}, {"huawei", "honor"})},
        {"ticked during the run", "卸载选中", {1}, 18, tickedDuring},
        {"cleared during the run", "卸载选中", {7}, 7, ForEach(kUninstall, {"experience1"}, {"huawei", "honor"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        phone_.ReinstallRemoved();
        phone_.SetState(row.phoneState);
        phone_.ClearCommands();
        const std::string_view button = row.button;
        const ProgramWindow window = button == "卸载选中" || button == "全部安装" ? RedundantSelectionWindow : DesktopWindow;
        ASSERT_TRUE(OpenWindow(RedundantSelectionWindow, false));
        for (int box : row.ticked) {
            headless::Click(RedundantSelectionWindow, "选择框" + std::to_string(box));
        }
        if (row.tickedDuringTheRun != 0) {
            headless::Post([&row] { headless::Click(RedundantSelectionWindow, "选择框" + std::to_string(row.tickedDuringTheRun)); });
        }
        headless::Click(window, row.button);
        EXPECT_EQ(Commands(), row.commands);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_TRUE(Messages().front().starts_with(row.message)) << Messages().front();
    }
}

// A service the phone does not have is as removed as can be; one the system keeps is not done.
// The real client and a simulated phone, which one read before the first removal tells all the
// action needs: one adb call a removal, and one more.
TEST_F(RedundantServices, CountsWhatWasDoneAndNamesTheFirstCauseOfWhatWasNot)
{
    PhoneLab lab;
    SimPhone& phone = lab.Attach();
    for (const auto& service : kServices) {
        if (service == "tips") {
            phone.ProtectPackage(Package("huawei", service));
        } else if (service != "rcs") {
            phone.SeedPackage(Package("huawei", service), "installed");
        }
    }
    headless::Click(DesktopWindow, "冗余卸");
    EXPECT_EQ(Messages(), Lines{"完成 25 项，未完成 1 项。\r\n手机系统拒绝了这项操作，没有改动：这个应用不允许卸载或停用。"
                                "\r\n\r\nadb 的回答：Failure [DELETE_FAILED_INTERNAL_ERROR]"});
    EXPECT_EQ(phone.Commands().size(), 27u);
    std::map<std::string, std::string> left = phone.Packages();
    std::erase_if(left, [](const auto& package) { return package.second == "uninstalled"; });
    EXPECT_EQ(left, (std::map<std::string, std::string>{{Package("huawei", "tips"), "installed"}}));
}

TEST_F(RedundantServices, SelectionWorksOnBothSectionsWhicheverPageOpenedIt)
{
    catalogue_.Write({"[荣耀]", "冗余提示=honor.tips"});
    ASSERT_TRUE(OpenWindow(RedundantSelectionWindow, false));
    headless::Click(RedundantSelectionWindow, "选择框10");
    headless::Click(RedundantSelectionWindow, "卸载选中");
    EXPECT_EQ(Commands(), Lines{kUninstall + "honor.tips"});
    EXPECT_EQ(Output(), "Success\r\ndatabank.ini 中 [华为] 冗余提示 没有包名，未运行\r\n");
    EXPECT_EQ(Messages(), Lines{"完成 1 项，未完成 1 项。\r\n原因见输出框。"});
}

}  // namespace
