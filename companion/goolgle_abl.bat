@echo off
REM 启用谷歌服务：Play 服务、服务框架和 Play 商店。
setlocal
cd /d "%~dp0"

adb get-state >nul
if errorlevel 1 exit /b 1
for %%p in (com.google.android.gms com.google.android.gsf com.android.vending) do (
    echo 启用 %%p
    adb shell pm enable %%p
)
