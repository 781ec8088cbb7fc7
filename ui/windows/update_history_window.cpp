// The update-history window: the change history in one read-only box.
#include "core/window_names.h"
#include "ui/windows.h"
#include "ui/windows/information_texts.h"

const WindowDeclaration& UpdateHistoryWindowDeclaration()
{
    // Built on first use: the text lives in its own module.
    static const ControlDeclaration controls[] = {
        EditBox("编辑框1", UpdateHistoryText(), {8, 8, 992, 576}).Framed(Border::Single).MultiLine().Scrolled().ReadOnly().Colours(0x000000, 0xFFFFFF).Font({"微软雅黑", 16}),
    };
    static const WindowDeclaration window = {UpdateHistoryWindow, "更新历程（我真有毅力）", 1014, 625, 0xFFFFFF, controls};
    return window;
}
