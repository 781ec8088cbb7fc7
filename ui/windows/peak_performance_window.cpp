// The peak-performance window: two brand boxes and three vendor services to disable or enable.
#include "catalogue/peak_performance.h"
#include "core/window_names.h"
#include "tweaks/links.h"
#include "ui/windows.h"

namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kSlate = 0x8080C0;
constexpr FontSpec kNote = {"", 14};
constexpr FontSpec kServiceName = {"", 16};
constexpr FontSpec kServiceGroup = {"", 20};

constexpr ControlDeclaration kControls[] = {
    // A child of the window that lies over the brand group, under "华为": it stands in front.
    CheckBox(kHonorBrandBox, "新荣耀", {48, 80, 56, 24}).Colours(kWhite, kSlate).On(Event::Clicked, ClearHuaweiBrandBox),
    GroupBox("分组框4", "", {0, 0, 720, 128}).Colours(kNoColour, kSlate).Centred(),
    GroupBox("分组框5", "选择机型", {21, 12, 112, 104}).In("分组框4").Colours(kWhite, kSlate).Font(kNote).Centred(),
    CheckBox(kHuaweiBrandBox, "华为", {28, 28, 56, 24}).In("分组框5").Colours(kWhite, kSlate).Checked().On(Event::Clicked, ClearHonorBrandBox),
    TransLabel("透明标签1", "请您谨慎使用此功能，如您需要使用，请做好散热措施", {184, 16, 352, 40}).In("分组框4").Colours(kWhite).Font(kNote),
    TransLabel("透明标签2", "部分机型配合【功能板块】可以卡全局高刷", {200, 50, 352, 40}).In("分组框4").Colours(kWhite).Font(kNote),
    TransLabel("透明标签3", "如体验不好，请关闭并重启，使用一段时间后恢复原样", {186, 78, 352, 40}).In("分组框4").Colours(kWhite).Font(kNote),
    Button("按钮1", "荣耀9效果展示", {569, 72, 119, 40}).In("分组框4").On(Event::Clicked, OpenHonor9Demonstration),
    GroupBox("分组框1", "后台管理", {14, 155, 216, 344}).Colours(kWhite, 0x8CC6C6).Font(kServiceGroup).Centred(),
    TransLabel("透明标签6", "iaware", {81, 71, 80, 32}).In("分组框1").Colours(kWhite).Font(kServiceName),
    TransLabel("透明标签7", "禁用后不杀主动后台", {42, 117, 144, 24}).In("分组框1").Colours(kWhite).Font(kNote),
    Button("后台禁", "禁用", {50, 258, 120, 32}).In("分组框1").On(Event::Clicked, DisableBackgroundManagement),
    Button("后台解", "解禁", {50, 296, 120, 32}).In("分组框1").On(Event::Clicked, EnableBackgroundManagement),
    GroupBox("分组框2", "功耗管理", {247, 155, 224, 344}).Colours(kWhite, 0xFFAA82).Font(kServiceGroup).Centred(),
    TransLabel("透明标签4", "powergenie", {72, 72, 104, 24}).In("分组框2").Colours(kWhite).Font(kServiceName),
    TransLabel("透明标签5", "禁用后能拉满功耗", {57, 106, 152, 48}).In("分组框2").Colours(kWhite).Font(kNote),
    TransLabel("透明标签10", "或保持更长时间快充", {52, 142, 152, 48}).In("分组框2").Colours(kWhite).Font(kNote),
    Button("功耗禁", "禁用", {55, 255, 120, 32}).In("分组框2").On(Event::Clicked, DisablePowerManagement),
    Button("功耗解", "解禁", {55, 295, 120, 32}).In("分组框2").On(Event::Clicked, EnablePowerManagement),
    GroupBox("分组框3", "显示管理", {486, 155, 216, 344}).Colours(kWhite, 0xBEBE7C).Font(kServiceGroup).Centred(),
    TransLabel("透明标签9", "hwaps", {89, 70, 81, 32}).In("分组框3").Colours(kWhite).Font(kServiceName),
    TransLabel("透明标签8", "禁用后不降分辨率", {55, 115, 144, 32}).In("分组框3").Colours(kWhite).Font(kNote),
    Button("显示禁", "禁用", {51, 256, 120, 32}).In("分组框3").On(Event::Clicked, DisableDisplayManagement),
    Button("显示解", "解禁", {51, 296, 120, 32}).In("分组框3").On(Event::Clicked, EnableDisplayManagement),
    Label("标签1", "以下描述仅是一般经验，具体以效果为准，您可自行组合调试合适的效果", {0, 119, 720, 32}).Colours(kWhite, 0xFFBF80).Font(kNote).Centred(),
};

constexpr WindowDeclaration kWindow = {PeakPerformanceWindow, "", 723, 535, 0x808080, kControls, nullptr};

}  // namespace

const WindowDeclaration& PeakPerformanceWindowDeclaration() { return kWindow; }
