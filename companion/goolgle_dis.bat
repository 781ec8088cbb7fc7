@echo off
REM 为当前用户禁用谷歌服务：Play 服务、服务框架和 Play 商店；goolgle_abl 可重新启用。
setlocal EnableExtensions DisableDelayedExpansion
cd /d "%~dp0"

call check_phone.bat
if errorlevel 1 exit /b 1
for %%p in (com.google.android.gms com.google.android.gsf com.android.vending) do (
    echo 禁用 %%p
    adb shell pm disable-user %%p
)
