// The program's twelve windows and the controls that handlers address, named once for the handlers
// and for the window declarations that bind them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum ProgramWindow : std::uint32_t {
    StartWindow = 1,
    DesktopWindow,
    UpdateHistoryWindow,
    FaqWindow,
    CommunityWindow,
    TutorialWindow,
    DonationWindow,
    RunStatusWindow,
    OperationLogWindow,
    PeakPerformanceWindow,
    RedundantSelectionWindow,
    PhoneChoiceWindow,
};

// The desktop window: the console.
inline constexpr std::string_view kOutputBox = "回显编辑框";
inline constexpr std::string_view kCommandBox = "命令编辑框";
inline constexpr std::string_view kLinkBox = "连接编辑框";

// The desktop window's 功能 page.
inline constexpr std::string_view kScreenOffBox = "亮屏时间框";
inline constexpr std::string_view kReleaseBox = "版本编辑框";
inline constexpr std::string_view kAddressBox = "IP地址编辑框";
inline constexpr std::string_view kPortBox = "端口编辑框";
inline constexpr std::string_view kMinRateBox = "最小编辑框";
inline constexpr std::string_view kPeakRateBox = "最大编辑框";
inline constexpr std::string_view kNfcIconBox = "选择框1";
inline constexpr std::string_view kHdIconBox = "选择框2";
inline constexpr std::string_view kSignalIconBox = "选择框3";
inline constexpr std::string_view kLocationIconBox = "选择框4";
inline constexpr std::string_view kBatteryIconBox = "选择框5";
inline constexpr std::string_view kPowerSavingIconBox = "选择框6";
inline constexpr std::string_view kEyeComfortIconBox = "选择框7";

// The desktop window's 动画 page.
inline constexpr std::string_view kWindowScaleBox = "数字1";
inline constexpr std::string_view kTransitionScaleBox = "数字2";
inline constexpr std::string_view kAnimatorScaleBox = "数字3";

// The run-status window.
inline constexpr std::string_view kReportBox = "编辑框运行";

// The phone-choice window: a note, and one button per attached device.
inline constexpr std::string_view kPhoneChoiceNote = "选择说明";
inline constexpr std::array<std::string_view, 8> kPhoneChoiceButtons = {"手机1", "手机2", "手机3", "手机4",
                                                                         "手机5", "手机6", "手机7", "手机8"};

// The operation-log window.
inline constexpr std::string_view kLogBox = "记录编辑框";

// The peak-performance window.
inline constexpr std::string_view kHuaweiBrandBox = "选择框华为";
inline constexpr std::string_view kHonorBrandBox = "选择框荣耀";

// The redundant-service selection window, one box per service.
inline constexpr std::string_view kWorkProfileBox = "选择框1";
inline constexpr std::string_view kHtmlViewerBox = "选择框2";
inline constexpr std::string_view kSmartDetectionBox = "选择框3";
inline constexpr std::string_view kPrintServiceBox = "选择框4";
inline constexpr std::string_view kSimAppBox = "选择框5";
inline constexpr std::string_view kRecommendationsBox = "选择框6";
inline constexpr std::string_view kExperienceProgramBox = "选择框7";
inline constexpr std::string_view kCellBroadcastBox = "选择框8";
inline constexpr std::string_view kGeofenceBox = "选择框9";
inline constexpr std::string_view kAndroidTipsBox = "选择框10";
inline constexpr std::string_view kGoogleBackupBox = "选择框11";
inline constexpr std::string_view kSmartSuggestionsBox = "选择框12";
inline constexpr std::string_view kAccessibilityBox = "选择框13";
inline constexpr std::string_view kArEngineBox = "选择框14";
inline constexpr std::string_view kBoneVoiceprintBox = "选择框15";
inline constexpr std::string_view kRcsServiceBox = "选择框16";
inline constexpr std::string_view kWordCaptureBox = "选择框17";
inline constexpr std::string_view kLiveWallpaperBox = "选择框18";
