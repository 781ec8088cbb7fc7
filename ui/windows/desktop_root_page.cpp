// The desktop window's "ROOT" page: a notice that the page is still to come.
#include <array>

#include "ui/windows/desktop_window.h"

namespace {

constexpr std::array kControls = {
    Label("标签1", "开始建设，敬请期待", {497, 193, 312, 72}).OnPage(kDesktopTabs, RootPage).Centred().Colours(0x000000, 0xFFFFFF),
};

}  // namespace

std::span<const ControlDeclaration> RootPageControls() { return kControls; }
