@echo off
REM 为当前用户卸载阅读应用，华为和荣耀的包都在内；系统里的原件仍在，hwread_IN 可以装回。
setlocal EnableExtensions DisableDelayedExpansion
cd /d "%~dp0"

call check_phone.bat
if errorlevel 1 exit /b 1
for %%p in (com.huawei.hwireader com.huawei.hwread.dz com.hihonor.dz.reader) do (
    echo 卸载 %%p
    adb shell pm uninstall --user 0 %%p
)
