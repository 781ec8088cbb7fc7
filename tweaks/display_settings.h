// Display settings written to the phone: animation scales, screen-off time and refresh rates.
#pragma once

#include "platform/window_model.h"

void SetWindowAnimationScale(const EventArgs&);      // 设置1, beside 数字1
void SetTransitionAnimationScale(const EventArgs&);  // 设置2, beside 数字2
void SetAnimatorDurationScale(const EventArgs&);     // 设置3, beside 数字3
void SetScreenOffTimeout(const EventArgs&);          // 亮屏 "设置", reads 亮屏时间框
void ApplyDefaultRefreshRate(const EventArgs&);      // 默认高刷 "默认方案(96Hz)"
void ApplyTypedRefreshRate(const EventArgs&);        // 按我定高刷 "按我输入的设置"
