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

// Both brands for each service, 华为 first, as the selection window runs them.
Lines BothBrands(const std::string& command, std::initializer_list<std::string> services)
{
    Lines lines;
    for (const auto& service : services) {
        lines.push_back(command + Package("huawei", service));
        lines.push_back(command + Package("honor", service));
    }
    return lines;
}

using OneClickRemoval = CatalogueTest;

TEST_F(OneClickRemoval, HuaweiPageRemovesAll26FromItsOwnSectionInOrder)
{
    Lines expected;
    for (const auto& service : kServices) {
        expected.push_back(kUninstall + Package("huawei", service));
    }
    headless::Click(DesktopWindow, "冗余卸");
    EXPECT_EQ(Commands(), expected);
    EXPECT_EQ(Messages(), Lines{"完成"});
}

TEST_F(OneClickRemoval, HonorPageRemovesAll26FromItsOwnSectionInOrder)
{
    Lines expected;
    for (const auto& service : kServices) {
        expected.push_back(kUninstall + Package("honor", service));
    }
    headless::Click(DesktopWindow, "荣耀冗余服务卸载");
    EXPECT_EQ(Commands(), expected);
    EXPECT_EQ(Messages(), Lines{"完成"});
}

TEST_F(OneClickRemoval, RunsEveryStepWhateverThePhoneAnswersAndSaysWhyNoneWasDone)
{
    phone_.SetState("none");
    headless::Click(DesktopWindow, "荣耀冗余服务卸载");
    EXPECT_EQ(Commands().size(), 26u);
    EXPECT_NE(Output().find("no devices"), std::string::npos);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages().front().starts_with("没有找到手机")) << Messages().front();
}

// A service the phone does not have is as removed as can be; one the system keeps is not done.
// The real client and a simulated phone, which one read before the first removal tells all the
// action needs: one adb call a removal, and one more.
TEST_F(OneClickRemoval, CountsWhatWasDoneAndNamesTheFirstCauseOfWhatWasNot)
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

class SelectionWindow : public CatalogueTest {
protected:
    void SetUp() override
    {
        CatalogueTest::SetUp();
        ASSERT_TRUE(OpenWindow(RedundantSelectionWindow, false));
    }
    static void Tick(std::string_view box) { headless::Click(RedundantSelectionWindow, box); }
    static void Press(std::string_view button) { headless::Click(RedundantSelectionWindow, button); }
};

TEST_F(SelectionWindow, NothingTickedRunsNoCommandButStillSaysDone)
{
    Press("卸载选中");
    Press("全部安装");
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Messages(), (Lines{"完成", "完成"}));
}

TEST_F(SelectionWindow, PrintServiceRemovesBothItsKeysForBothBrandsKeyByKey)
{
    Tick("选择框4");
    Press("卸载选中");
    EXPECT_EQ(Commands(), (Lines{kUninstall + "huawei.redundant.print1", kUninstall + "honor.redundant.print1",
                                 kUninstall + "huawei.redundant.print2", kUninstall + "honor.redundant.print2"}));
    EXPECT_EQ(Messages(), Lines{"完成"});
}

TEST_F(SelectionWindow, EveryBoxTickedRuns52CommandsInServiceOrder)
{
    for (int i = 1; i <= 18; ++i) {
        Tick("选择框" + std::to_string(i));
    }
    Press("卸载选中");
    Lines expected;
    for (const auto& service : kServices) {
        expected.push_back(kUninstall + Package("huawei", service));
        expected.push_back(kUninstall + Package("honor", service));
    }
    EXPECT_EQ(Commands(), expected);
}

TEST_F(SelectionWindow, RestoreActsOnTheTickedServicesOnly)
{
    Tick("选择框1");
    Tick("选择框14");
    Tick("选择框10");
    Tick("选择框10");  // ticked and cleared again
    Press("全部安装");
    EXPECT_EQ(Commands(), BothBrands(kRestore, {"workprofile", "arengine1", "arengine2"}));
    EXPECT_EQ(Messages(), Lines{"完成"});
}

// One read before the first step finds which packages are installed for the user: one adb call
// for each package brought back and one more, and each record says how to take its step back.
TEST_F(SelectionWindow, RestoreReadsThePhoneOnceAndEachRecordKnowsWhatItReplaced)
{
    phone_.SeedPackage(Package("huawei", "workprofile"), "uninstalled");
    phone_.SeedPackage(Package("honor", "workprofile"), "installed");
    phone_.SeedPackage(Package("huawei", "arengine1"), "disabled-user");
    Tick("选择框1");
    Tick("选择框14");
    Press("全部安装");
    EXPECT_EQ(phone_.Commands().size(), 7u);
    EXPECT_EQ(RecordedUndo(kRestore + Package("huawei", "workprofile")),
              "撤销：" + kUninstall + Package("huawei", "workprofile"));
    EXPECT_EQ(RecordedUndo(kRestore + Package("honor", "workprofile")), "撤销：无需撤销（改动前已是如此）");
    EXPECT_EQ(RecordedUndo(kRestore + Package("huawei", "arengine1")), "撤销：无需撤销（改动前已是如此）");
    EXPECT_EQ(RecordedUndo(kRestore + Package("honor", "arengine1")), "");
}

TEST_F(SelectionWindow, ABoxTickedDuringTheRunCountsForTheServicesStillToCome)
{
    Tick("选择框1");
    headless::Post([] { Tick("选择框18"); });
    Press("卸载选中");
    Lines expected = BothBrands(kUninstall, {"workprofile"});
    Lines wallpapers = BothBrands(kUninstall, {"livewallpaper1", "livewallpaper2", "livewallpaper3", "livewallpaper4"});
    expected.insert(expected.end(), wallpapers.begin(), wallpapers.end());
    EXPECT_EQ(Commands(), expected);
}

// The box is read once per key: clearing it while a key's first command runs still lets that
// key's second brand through, and stops the keys still to come.
TEST_F(SelectionWindow, ABoxClearedDuringTheRunStopsItsRemainingKeysButNotHalfAKey)
{
    Tick("选择框7");
    headless::Post([] { Tick("选择框7"); });
    Press("卸载选中");
    EXPECT_EQ(Commands(), BothBrands(kUninstall, {"experience1"}));
}

TEST_F(SelectionWindow, WorksOnBothSectionsWhicheverPageOpenedIt)
{
    catalogue_.Write({"[荣耀]", "冗余提示=honor.tips"});
    Tick("选择框10");
    Press("卸载选中");
    EXPECT_EQ(Commands(), Lines{kUninstall + "honor.tips"});
    EXPECT_EQ(Output(), "Success\r\ndatabank.ini 中 [华为] 冗余提示 没有包名，未运行\r\n");
    EXPECT_EQ(Messages(), Lines{"完成 1 项，未完成 1 项。\r\n原因见输出框。"});
}

}  // namespace
