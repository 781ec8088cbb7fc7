#include <windows.h>
#include <array>
#include <cstdint>
#include "platform/window_system.h"
#include </tmp/kProbePng.inc>
#include </tmp/kProbeJpg.inc>
namespace {
constexpr std::string_view kPages[] = {"主菜单", "华为", "新荣耀"};
void OpenOther(const EventArgs&) { OpenWindow(2, true); }
const ControlDeclaration kStart[] = {
  PicBox("图片框3", kProbePng, {624, 32, 304, 120}),
  TransLabel("透明标签7", "请作者喝可乐", {712, 424, 136, 40}).Colours(0xFFFFFF).Font({"", 14, 400, true}).On(Event::LeftButtonDown, OpenOther),
  TransLabel("透明标签6", "以上按钮可点击", {16, 376, 96, 24}).Colours(0xFFFFFF),
  PicBox("图片框2", kProbePng, {376, 384, 192, 64}),
  TransLabel("透明标签4", "一路走来，作者将玩机门槛逐步降低，十分不易，目前仅需要您自行连接USB调试", {104, 328, 856, 40}).Colours(0).Font({"黑体", 16}),
  Button("按钮教程", "连接教程", {16, 336, 80, 24}).Font({"新宋体", 14}).On(Event::Clicked, OpenOther),
  Button("按钮群号", "交流群号", {16, 296, 80, 24}).Font({"新宋体", 14}),
  TransLabel("透明标签1", "Pellucor始于【2021.01.20】，是个人开发，因此更新会比较慢，目前仍坚持维护更新", {104, 208, 300, 40}).Colours(0).Font({"黑体", 16}),
  Label("标签4", "公众号：Pellucor", {438, 117, 176, 32}).Colours(0, 0xFFFFFF).Font({"黑体", 16}).Centred(),
  Label("标签1", "两行\r\n第二行", {441, 33, 176, 32}).Colours(0, 0xFFFFFF).Font({"黑体", 16}).Centred(),
  PicBox("图片框1", kProbeJpg, {304, 33, 128, 128}),
  SplitterBar("分隔条1", {-16, 192, 992, 288}),
};
const ControlDeclaration kOther[] = {
  EditBox("命令编辑框", "在此输命令（回车执行），上面显示结果", {496, 400, 400, 32}).Framed(Border::Single).Colours(0xC0C0C0, 0xFFFFFF).Font({"新宋体", 14}),
  EditBox("回显编辑框", "第一行\r\n第二行 微软雅黑", {8, 300, 400, 100}).Framed(Border::Sunken).MultiLine().Scrolled().ReadOnly().Colours(0, 0xFFFFFF).Font({"微软雅黑", 16}),
  Button("按钮5", "刷新", {10, 20, 80, 40}).In("分组框1"),
  EditBox("连接编辑框", "已连接", {100, 20, 120, 40}).In("分组框1").Framed(Border::Sunken).Centred().ReadOnly().Colours(0x000000, 0xB4B4DA).Font({"", 14}),
  TransLabel("组内透明", "组内的透明标签", {10, 70, 120, 20}).In("分组框1").Colours(0xFF0000).Font({"宋体", 16}),
  GroupBox("分组框1", "设备连接", {500, 50, 300, 120}).Colours(0x000000, 0xFFE0E0),
  CheckBox("选择框华为", "华为", {10, 40, 80, 24}).OnPage("页", 1).Colours(0xFF0000, 0xFFFFFF),
  Button("页按钮", "主菜单按钮", {10, 40, 120, 30}).OnPage("页", 0),
  TransLabel("页透明", "页上的透明标签 微软雅黑 Light", {10, 80, 300, 24}).OnPage("页", 0).Font({"微软雅黑 Light", 16}),
  PageControl("页", kPages, {8, 8, 480, 280}),
};
const WindowDeclaration kA{1, "Pellucor-宠粉界面版", 978, 500, 0xFFFFFF, kStart, nullptr};
const WindowDeclaration kB{2, "", 916, 474, kNoColour, kOther, nullptr};
const std::array<const WindowDeclaration*, 2> kW{&kA, &kB};
}
int main() { InitialiseWindowSystem(kW); OpenWindow(1, false); if (GetEnvironmentVariableW(L"PROBE_SECOND", nullptr, 0)) OpenWindow(2, true); return RunMessageLoop(); }
