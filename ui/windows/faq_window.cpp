// The FAQ window: answers to common problems in one read-only box.
#include "core/window_names.h"
#include "ui/windows.h"
#include "ui/windows/information_texts.h"

const WindowDeclaration& FaqWindowDeclaration()
{
    // Built on first use: the text lives in its own module.
    static const ControlDeclaration controls[] = {
        EditBox("编辑框1", FaqText(), {8, 16, 880, 416}).Framed(Border::Sunken).MultiLine().Scrolled().ReadOnly().Colours(0x000000, 0xFFFFFF).Font({"微软雅黑 Light", 16}),
    };
    static const WindowDeclaration window = {FaqWindow, "", 902, 469, kNoColour, controls};
    return window;
}
