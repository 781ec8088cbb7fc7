// The status-bar icon blacklist of the 功能 page.
#pragma once

#include "platform/window_model.h"

void HideStatusBarIcons(const EventArgs&);     // 按钮183 "执行"
void RestoreStatusBarIcons(const EventArgs&);  // 状态栏恢复 "还原"
