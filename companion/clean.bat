@echo off
REM 清理手机共享存储中聊天应用的缓存、缩略图、日志和 bug 报告目录。
REM 只删除下面列出的文件夹；聊天记录和手动保存的文件在别处，不受影响。
REM 返回码（约定见 check_phone.bat）：0 已清理，1 手机没有就绪，2 有的文件夹没有删掉。
setlocal EnableExtensions DisableDelayedExpansion
cd /d "%~dp0"

call check_phone.bat
if errorlevel 1 goto :NotReady
call :Remove /sdcard/Android/data/com.tencent.mobileqq/cache
call :Remove /sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/chatpic
call :Remove /sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/shortvideo
call :Remove /sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/diskcache
call :Remove /sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/qzone
call :Remove /sdcard/Android/data/com.tencent.mobileqq/Tencent/mini
call :Remove /sdcard/Android/data/com.tencent.tim/cache
call :Remove /sdcard/Android/data/com.tencent.tim/Tencent/Tim/chatpic
call :Remove /sdcard/Android/data/com.tencent.tim/Tencent/Tim/shortvideo
call :Remove /sdcard/Android/data/com.tencent.tim/Tencent/Tim/diskcache
call :Remove /sdcard/Android/data/com.tencent.mm/cache
call :Remove /sdcard/Android/data/com.tencent.mm/tinker
call :Remove /sdcard/Android/data/com.tencent.mm/MicroMsg/CheckResUpdate
call :Remove /sdcard/Android/data/com.tencent.mm/MicroMsg/xlog
call :Remove /sdcard/Android/data/com.tencent.mm/MicroMsg/crash
call :Remove /sdcard/DCIM/.thumbnails
call :Remove /sdcard/Pictures/.thumbnails
call :Remove /sdcard/bugreports
call :Remove /sdcard/tencent/msflogs
call :Remove /sdcard/tencent/wns/Logs
call :Remove /sdcard/tencent/mta
REM 返回码先存下：暂停之后再用 exit /b 交出（见 check_phone.bat）。
call phone_step.bat /end
set "code=%PellucorStepsResult%"
if "%code%"=="0" echo 清理完成
call :WaitBeforeClosing
exit /b %code%

:NotReady
call :WaitBeforeClosing
exit /b 1

:Remove
echo 清理 %1
call phone_step.bat adb shell rm -rf %1
goto :eof

REM 按钮打开的窗口在脚本结束时随之关闭：先停下，让用户看清结果。
REM 在命令版菜单中运行时不停，菜单接着显示下一个提示。
:WaitBeforeClosing
if defined PELLUCOR_MENU goto :eof
echo.
echo 按任意键关闭此窗口…
pause >nul
goto :eof
