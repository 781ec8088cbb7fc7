// The 26 redundant services: removed all at once from a brand page, or as ticked in the
// selection window, for both brands.
#pragma once

#include "platform/window_model.h"

void UninstallHuaweiRedundantServices(const EventArgs&);  // 冗余卸 "一键卸载"
void UninstallHonorRedundantServices(const EventArgs&);   // 荣耀冗余服务卸载 "一键卸载"
void UninstallSelectedRedundantServices(const EventArgs&); // 卸载选中 "卸载选中"
void RestoreSelectedRedundantServices(const EventArgs&);   // 全部安装 "全部装回"
