@echo off
REM 启用谷歌服务：Play 服务、服务框架和 Play 商店。
setlocal EnableExtensions DisableDelayedExpansion
cd /d "%~dp0"

call check_phone.bat
if errorlevel 1 exit /b 1
for %%p in (com.google.android.gms com.google.android.gsf com.android.vending) do (
    echo 启用 %%p
    adb shell pm enable %%p
)
