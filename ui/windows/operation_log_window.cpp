// The operation-log window: a fixed notice and two buttons that are not wired to anything yet.
#include "core/window_names.h"
#include "ui/windows.h"

namespace {

// Nothing writes to 记录编辑框, so the buttons have nothing to refresh or clear.
constexpr ControlDeclaration kControls[] = {
    Button("按钮2", "刷新", {501, 452, 208, 32}),
    Button("按钮1", "清空", {725, 451, 208, 32}),
    EditBox("记录编辑框", "对设备造成影响的操作都会记录在此，当前无记录", {16, 8, 928, 440}).MultiLine().Scrolled().Centred().ReadOnly().Colours(0x000000, 0xFFFFFF).Font({"", 14}),
};

}  // namespace

const WindowDeclaration& OperationLogWindowDeclaration()
{
    static constexpr WindowDeclaration window = {OperationLogWindow, "操作记录", 954, 515, kNoColour, kControls};
    return window;
}
