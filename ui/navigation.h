// Window-opening handlers: each opens one window, modal or not, and does nothing else.
#pragma once

#include "platform/window_model.h"

void OpenDesktopWindow(const EventArgs&);             // start window 图片框2 (not modal)
void OpenDonationWindow(const EventArgs&);            // start window 透明标签7
void OpenTutorialWindow(const EventArgs&);            // start window 按钮教程; desktop 连接教程
void OpenCommunityWindow(const EventArgs&);           // start window 按钮群号; tutorial window 按钮4
void OpenFaqWindow(const EventArgs&);                 // start window 按钮解答
void OpenUpdateHistoryWindow(const EventArgs&);       // start window 按钮更新
void OpenOperationLogWindow(const EventArgs&);        // desktop 操作记录
void OpenPeakPerformanceWindow(const EventArgs&);     // desktop 按钮6, 按钮77
void OpenRedundantSelectionWindow(const EventArgs&);  // desktop 冗余选, 荣耀冗余自选
