// The 功能 page's connection buttons: the switch to wireless debugging and the Android release query.
#pragma once

#include "platform/window_model.h"

void SwitchToWirelessDebugging(const EventArgs&);  // 无线调试 "开始切换"
void QueryAndroidRelease(const EventArgs&);        // 查版本 "查询"
