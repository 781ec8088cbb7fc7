@echo off
chcp 936 >nul
REM 清理手机共享存储中 QQ、TIM 和微信接收、下载过的文件。
REM 只删除下面列出的文件夹；聊天记录和手动保存的文件在别处，不受影响。
REM 返回码（约定见 check_phone.bat）：0 已清理，1 手机没有就绪，2 有的文件夹没有删掉。
setlocal EnableExtensions DisableDelayedExpansion
pushd "%~dp0"

set "code=1"
call check_phone.bat
if errorlevel 1 goto :End
call :Remove /sdcard/Android/data/com.tencent.mobileqq/Tencent/QQfile_recv
call :Remove /sdcard/Android/data/com.tencent.tim/Tencent/TIMfile_recv
call :Remove /sdcard/Android/data/com.tencent.mm/MicroMsg/Download
call :Remove /sdcard/tencent/QQfile_recv
call :Remove /sdcard/tencent/TIMfile_recv
call :Remove /sdcard/tencent/MicroMsg/Download
REM 返回码先存下：暂停之后再用 exit /b 交出（见 check_phone.bat）。
call phone_step.bat /end
set "code=%PellucorStepsResult%"
if "%code%"=="0" echo 清理完成

:End
call pause_before_closing.bat
popd
exit /b %code%

:Remove
echo 清理 %1
call phone_step.bat adb shell rm -rf %1
goto :eof
