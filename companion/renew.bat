@echo off
chcp 936 >nul
REM 重置异常的 adb 连接：停止 adb 服务，重新启动，列出连接的设备，再检查手机能否接受操作。
REM 返回码（约定见 check_phone.bat）：0 重置后手机已就绪，1 手机仍没有就绪或找不到 adb（最后写明原因）。
setlocal EnableExtensions DisableDelayedExpansion
pushd "%~dp0"

echo 正在重置 adb 连接……
adb kill-server
adb start-server
adb devices -l
REM 返回码先存下：暂停之后再用 exit /b 交出（见 check_phone.bat）。
call check_phone.bat
set "code=%errorlevel%"
call pause_before_closing.bat
popd
exit /b %code%
