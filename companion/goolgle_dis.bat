@echo off
chcp 936 >nul
REM 为当前用户禁用谷歌服务：Play 服务、服务框架和 Play 商店；goolgle_abl 可重新启用。
REM 返回码（约定见 check_phone.bat）：0 都已禁用，1 手机没有就绪，2 有的没有禁用（手机上没有它也算）。
setlocal EnableExtensions DisableDelayedExpansion
pushd "%~dp0"

REM 改动和包名：程序也读这两个变量，由此知道本脚本对每个包做了什么。
set "change=pm disable-user"
set "packages=com.google.android.gms com.google.android.gsf com.android.vending"

set "code=1"
call check_phone.bat
if errorlevel 1 goto :End
for %%p in (%packages%) do (
    echo 禁用 %%p
    call phone_step.bat adb shell %change% %%p
)
call phone_step.bat /end
set "code=%PellucorStepsResult%"

:End
popd
exit /b %code%
