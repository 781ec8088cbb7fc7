// Helper of win32_window_system_test: makes the programmer error that its argument names, so that
// the test sees the Win32 window system end the program with the fatal-error report.
// "container": the window system is given a window whose button sits in an undeclared container.
// "control": a read of a control that the open window does not declare, as a mistaken handler's.
#include <array>
#include <string_view>

#include "platform/window_system.h"

namespace {

const ControlDeclaration kLostControls[] = {Button("迷路按钮", "?", {0, 0, 10, 10}).In("不存在")};
const WindowDeclaration kLost{1, "坏窗口", 300, 200, kNoColour, kLostControls, nullptr};
const ControlDeclaration kControls[] = {EditBox("编辑框", "", {8, 8, 100, 24})};
const WindowDeclaration kWindow{1, "窗口", 300, 200, kNoColour, kControls, nullptr};

}  // namespace

int main(int argc, char** argv)
{
    std::string_view mistake = argc > 1 ? argv[1] : "";
    if (mistake == "container") {
        InitialiseWindowSystem(std::array<const WindowDeclaration*, 1>{&kLost});
    } else if (mistake == "control") {
        InitialiseWindowSystem(std::array<const WindowDeclaration*, 1>{&kWindow});
        OpenWindow(1, false);
        GetText(1, "没有这个控件");
    }
    return 0;
}
