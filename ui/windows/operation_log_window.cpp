// The operation-log window: the records of what the program did to the phone, 刷新, 清空, 撤销 and 重新应用.
#include "core/journal_replay.h"
#include "core/operation_log_window.h"
#include "core/window_names.h"
#include "ui/windows.h"

namespace {

// The records replace the declared sentence as soon as the window is created, when there are any.
constexpr ControlDeclaration kControls[] = {
    Button("按钮2", "刷新", {501, 452, 208, 32}).On(Event::Clicked, ShowOperationLog),
    Button("按钮1", "清空", {725, 451, 208, 32}).On(Event::Clicked, ClearOperationLog),
    Button("撤销按钮", "撤销", {16, 452, 208, 32}).On(Event::Clicked, UndoFromCaret),
    Button("重新应用按钮", "重新应用", {240, 452, 208, 32}).On(Event::Clicked, ReapplyFromCaret),
    EditBox(kLogBox, kNoRecordsText, {16, 8, 928, 440}).MultiLine().Scrolled().Centred().ReadOnly().Colours(0x000000, 0xFFFFFF).Font({"", 14}),
};

}  // namespace

const WindowDeclaration& OperationLogWindowDeclaration()
{
    static constexpr WindowDeclaration window = {OperationLogWindow, "操作记录", 954, 515, kNoColour, kControls, ShowOperationLog};
    return window;
}
