@echo off
chcp 936 >nul
REM 清理手机共享存储中真正属于缓存的文件夹：聊天应用的缓存和临时文件、缩略图、日志和问题报告（bug 报告），
REM 应用需要时会重新生成它们。聊天里的图片和视频（chatpic、shortvideo）不删：服务器上的原件过期后就再也
REM 下载不回来。聊天记录、接收的文件和手动保存的文件也不在这些文件夹里，不受影响。
REM 删除之前列出要删除的文件夹并询问：输入 Y 才删除；直接回车、输入别的内容或没有输入（输入已结束）
REM 都不删除。
REM 返回码（约定见 check_phone.bat）：0 已清理，1 手机没有就绪，2 有的文件夹没有删掉，3 用户没有同意，
REM 什么也没有删。
setlocal EnableExtensions DisableDelayedExpansion
pushd "%~dp0"

set folders=/sdcard/Android/data/com.tencent.mobileqq/cache
set folders=%folders% /sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/diskcache
set folders=%folders% /sdcard/Android/data/com.tencent.tim/cache
set folders=%folders% /sdcard/Android/data/com.tencent.tim/Tencent/Tim/diskcache
set folders=%folders% /sdcard/Android/data/com.tencent.mm/cache
set folders=%folders% /sdcard/Android/data/com.tencent.mm/MicroMsg/xlog
set folders=%folders% /sdcard/Android/data/com.tencent.mm/MicroMsg/crash
set folders=%folders% /sdcard/DCIM/.thumbnails
set folders=%folders% /sdcard/Pictures/.thumbnails
set folders=%folders% /sdcard/bugreports
set folders=%folders% /sdcard/tencent/msflogs
set folders=%folders% /sdcard/tencent/wns/Logs

set "code=1"
call check_phone.bat
if errorlevel 1 goto :End

echo 将删除手机上的以下文件夹（缓存、临时文件、缩略图、日志和问题报告），手机上没有的跳过：
for %%d in (%folders%) do echo   %%d
echo 聊天记录、聊天中的图片和视频、接收的文件和手动保存的文件都不在其中，不会删除。
REM 输入已结束时 set /p 不改变变量，answer 仍是空的：不删除。
set "answer="
set /p "answer=确定删除吗？输入 Y 后回车删除，直接回车不删除："
echo.
if not defined answer goto :Declined
REM 去掉双引号后整段放在引号里比较，回答中的 & < > | 等符号不会被当成命令的一部分。
set "answer=%answer:"=%"
if /i not "%answer%"=="Y" goto :Declined

for %%d in (%folders%) do call :Remove %%d
REM 返回码先存下：暂停之后再用 exit /b 交出（见 check_phone.bat）。
call phone_step.bat /end
set "code=%PellucorStepsResult%"
if "%code%"=="0" echo 清理完成
goto :End

:Declined
echo 没有删除任何文件。
set "code=3"

:End
call pause_before_closing.bat
popd
exit /b %code%

:Remove
echo 清理 %1
call phone_step.bat adb shell rm -rf %1
goto :eof
