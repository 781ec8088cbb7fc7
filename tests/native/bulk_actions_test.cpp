// The redundant-service actions: "一键卸载" on each brand page and the selection window's two
// buttons, against the fake phone's command log.
#include <map>
#include <string>
#include <vector>

#include "support/catalogue_fixture.h"
#include "support/phone_lab.h"
#include "support/recorded_undo.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kUninstall = "adb shell pm uninstall --user 0 ";
const std::string kRestore = "adb shell pm install-existing --user 0 ";

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

// One read before the first step finds which packages are installed for the user: one adb call
// for each package brought back and one more, and each record says how to take its step back.
TEST_F(RedundantServices, RestoreReadsThePhoneOnceAndEachRecordKnowsWhatItReplaced)
{
    phone_.SeedPackage(Package("huawei", "workprofile"), "uninstalled");
    phone_.SeedPackage(Package("honor", "workprofile"), "installed");
    phone_.SeedPackage(Package("huawei", "arengine1"), "disabled-user");
    ASSERT_TRUE(OpenWindow(RedundantSelectionWindow, false));
    headless::Click(RedundantSelectionWindow, "选择框1");
    headless::Click(RedundantSelectionWindow, "选择框14");
    headless::Click(RedundantSelectionWindow, "全部安装");
    EXPECT_EQ(phone_.Commands().size(), 7u);
    EXPECT_EQ(RecordedUndo(kRestore + Package("huawei", "workprofile")),
              "撤销：" + kUninstall + Package("huawei", "workprofile"));
    EXPECT_EQ(RecordedUndo(kRestore + Package("honor", "workprofile")), "撤销：无需撤销（改动前已是如此）");
    EXPECT_EQ(RecordedUndo(kRestore + Package("huawei", "arengine1")), "撤销：无需撤销（改动前已是如此）");
    EXPECT_EQ(RecordedUndo(kRestore + Package("honor", "arengine1")), "");
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
