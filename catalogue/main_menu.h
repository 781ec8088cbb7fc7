// The main menu's catalogue button.
#pragma once

#include "platform/window_model.h"

void ListConnectedDevices(const EventArgs&);  // 主设备 "查看连接设备"
