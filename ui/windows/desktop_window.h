// The desktop window's tab control and its eight pages, each page in a module of its own.
#pragma once

#include <span>
#include <string_view>

#include "platform/window_model.h"

inline constexpr std::string_view kDesktopTabs = "高级选择夹1";

enum DesktopPage { MainMenuPage, HuaweiPage, HonorPage, XiaomiPage, FunctionPage, AnimationPage, SlimmingPage, RootPage };

// The controls of each page, front-most first; direct children use OnPage(kDesktopTabs, page).
std::span<const ControlDeclaration> MainMenuPageControls();
std::span<const ControlDeclaration> HuaweiPageControls();
std::span<const ControlDeclaration> HonorPageControls();
std::span<const ControlDeclaration> XiaomiPageControls();
std::span<const ControlDeclaration> FunctionPageControls();
std::span<const ControlDeclaration> AnimationPageControls();
std::span<const ControlDeclaration> SlimmingPageControls();
std::span<const ControlDeclaration> RootPageControls();
