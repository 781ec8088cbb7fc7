@echo off
REM 重置异常的 adb 连接：停止 adb 服务，重新启动，再列出连接的设备。
setlocal
cd /d "%~dp0"

echo 正在重置 adb 连接……
adb kill-server
adb start-server
adb devices -l
