// Companion-script buttons and the run-status report.
#pragma once

#include "platform/window_model.h"

void EnableGoogleServices(const EventArgs&);    // 谷歌解, 荣耀谷歌解
void DisableGoogleServices(const EventArgs&);   // 谷歌禁, 荣耀谷歌卸
void RestoreReadingApp(const EventArgs&);       // 阅读装, 按钮110
void UninstallReadingApp(const EventArgs&);     // 阅读卸, 按钮111
void RestoreAllHuaweiApps(const EventArgs&);    // 华为还原
void OpenCommandEdition(const EventArgs&);      // 按钮189
void CleanCaches(const EventArgs&);             // 清理
void CleanDownloads(const EventArgs&);          // 清理下载
void InstallApkFolder(const EventArgs&);        // 安装应用
void ResetConnection(const EventArgs&);         // 重置连接
void ShowRunStatus(const EventArgs&);           // 主情况
void LoadRunStatusReport(const EventArgs&);     // run-status window created
void RefreshRunStatusReport(const EventArgs&);  // 刷新 of the run-status window
