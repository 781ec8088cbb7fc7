// The peak-performance window's six buttons: disable or enable three vendor services for the
// brand whose box is checked, and the two brand boxes that exclude each other.
#pragma once

#include "platform/window_model.h"

void DisableBackgroundManagement(const EventArgs&);  // 后台禁
void EnableBackgroundManagement(const EventArgs&);   // 后台解
void DisablePowerManagement(const EventArgs&);       // 功耗禁
void EnablePowerManagement(const EventArgs&);        // 功耗解
void DisableDisplayManagement(const EventArgs&);     // 显示禁
void EnableDisplayManagement(const EventArgs&);      // 显示解

// The clicked box has already toggled; each clears the other, so both may end unchecked.
void ClearHonorBrandBox(const EventArgs&);   // 选择框华为 clicked
void ClearHuaweiBrandBox(const EventArgs&);  // 选择框荣耀 clicked
