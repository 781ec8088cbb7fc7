// The run-status window: the device report that the status script leaves in temp2.txt.
#include "core/window_names.h"
#include "tweaks/scripts.h"
#include "ui/windows.h"

namespace {

// The declared sentence is replaced by the report (or by nothing) as soon as the window is created.
constexpr ControlDeclaration kControls[] = {
    Button("刷新", "刷新", {660, 456, 200, 32}).On(Event::Clicked, RefreshRunStatusReport),
    EditBox(kReportBox, "\r\n\r\n\r\n\r\n\r\n\r\n                                        请检查设备连接（无设备或多设备）", {16, 8, 888, 448}).Framed(Border::Sunken).MultiLine().Scrolled().ReadOnly().Colours(0x000000, 0xFFFFFF).Font({"宋体", 16}),
};

}  // namespace

const WindowDeclaration& RunStatusWindowDeclaration()
{
    static constexpr WindowDeclaration window = {RunStatusWindow, "", 925, 524, kNoColour, kControls, LoadRunStatusReport};
    return window;
}
