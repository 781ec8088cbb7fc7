// Reboots, wireless debugging, the adb server and the Android release query.
#pragma once

#include "platform/window_model.h"

void RebootPhone(const EventArgs&);         // 按钮2 "一键重启"
void RebootToRecovery(const EventArgs&);    // 按钮1 "重启至recovery"
void RebootToBootloader(const EventArgs&);  // 按钮3 "重启至bootloader"
void RebootToFastboot(const EventArgs&);    // 按钮4 "重启至fastboot"
void StopAdbServer(const EventArgs&);       // 按钮7 "断连"
