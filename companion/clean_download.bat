@echo off
REM 清理手机共享存储中 QQ、TIM 和微信接收、下载过的文件。
REM 只删除下面列出的文件夹；聊天记录和手动保存的文件在别处，不受影响。
setlocal
cd /d "%~dp0"

adb get-state >nul
if errorlevel 1 exit /b 1
call :Remove /sdcard/Android/data/com.tencent.mobileqq/Tencent/QQfile_recv
call :Remove /sdcard/Android/data/com.tencent.tim/Tencent/TIMfile_recv
call :Remove /sdcard/Android/data/com.tencent.mm/MicroMsg/Download
call :Remove /sdcard/tencent/QQfile_recv
call :Remove /sdcard/tencent/TIMfile_recv
call :Remove /sdcard/tencent/MicroMsg/Download
echo 清理完成
goto :eof

:Remove
echo 清理 %1
adb shell rm -rf %1
goto :eof
