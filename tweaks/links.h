// Web-page buttons, notices of unfinished features and the Xiaomi cloud-control switches.
#pragma once

#include "platform/window_model.h"

void OpenVideoTutorial(const EventArgs&);         // tutorial window 按钮3
void OpenHonorSuitePage(const EventArgs&);        // tutorial window 按钮2
void OpenHuaweiSuitePage(const EventArgs&);       // tutorial window 按钮1
void OpenHonor9Demonstration(const EventArgs&);   // peak-performance window 按钮1
void ShowHonorRestoreNotice(const EventArgs&);    // 按钮168
void ShowMoreCommandsNotice(const EventArgs&);    // 按钮186
void DisableXiaomiCloudControl(const EventArgs&); // 云控禁
void EnableXiaomiCloudControl(const EventArgs&);  // 云控解
