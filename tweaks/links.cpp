// Web-page buttons, notices of unfinished features and the Xiaomi cloud-control switches.
#include "tweaks/links.h"

#include <string_view>

#include "core/operation_log.h"
#include "platform/process.h"
#include "platform/window_system.h"

namespace {

// Public pages: the vendors' own download pages of their PC suites, which install the USB driver
// a phone needs before it shows the authorisation prompt, and video-site searches, which keep
// finding current videos when any single one is taken down.
constexpr std::string_view kHuaweiSuitePage = "https://consumer.huawei.com/cn/support/hisuite/";
constexpr std::string_view kHonorSuitePage = "https://www.honor.com/cn/tech/honor-suite/";
// Search words: 华为手机 USB调试 连接电脑 教程
constexpr std::string_view kConnectionTutorialSearch =
    "https://search.bilibili.com/all?keyword=%E5%8D%8E%E4%B8%BA%E6%89%8B%E6%9C%BA%20USB%E8%B0%83%E8%AF%95%20%E8%BF%9E%E6%8E%A5%E7%94%B5%E8%84%91%20%E6%95%99%E7%A8%8B";
// Search words: 荣耀9 性能模式 效果
constexpr std::string_view kHonor9DemonstrationSearch =
    "https://search.bilibili.com/all?keyword=%E8%8D%A3%E8%80%809%20%E6%80%A7%E8%83%BD%E6%A8%A1%E5%BC%8F%20%E6%95%88%E6%9E%9C";

// com.xiaomi.joyose is Xiaomi's cloud-control service; "disable-user" switches it off for the
// current user only, and "pm enable" brings it back.
void SwitchXiaomiCloudControl(std::string_view commandLine)
{
    StartAndRecord(commandLine, false, ShowHidden);
    ShowMessage("完成");
}

}  // namespace

void OpenVideoTutorial(const EventArgs&) { OpenWebAddress(kConnectionTutorialSearch); }
void OpenHonorSuitePage(const EventArgs&) { OpenWebAddress(kHonorSuitePage); }
void OpenHuaweiSuitePage(const EventArgs&) { OpenWebAddress(kHuaweiSuitePage); }
void OpenHonor9Demonstration(const EventArgs&) { OpenWebAddress(kHonor9DemonstrationSearch); }

void ShowHonorRestoreNotice(const EventArgs&) { ShowMessage("正在抓紧建设，目前还未支持一键还原，请手动"); }
void ShowMoreCommandsNotice(const EventArgs&) { ShowMessage("此功能仍在加班加点开发，请您稍等，后续开放"); }

void DisableXiaomiCloudControl(const EventArgs&) { SwitchXiaomiCloudControl("adb shell pm disable-user com.xiaomi.joyose"); }
void EnableXiaomiCloudControl(const EventArgs&) { SwitchXiaomiCloudControl("adb shell pm enable com.xiaomi.joyose"); }
