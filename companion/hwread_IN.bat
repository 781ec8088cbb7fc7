@echo off
REM 为当前用户装回阅读应用，华为和荣耀的包都在内；手机上没有的包只会让 pm 报告一行失败。
setlocal EnableExtensions DisableDelayedExpansion
cd /d "%~dp0"

call check_phone.bat
if errorlevel 1 exit /b 1
for %%p in (com.huawei.hwireader com.huawei.hwread.dz com.hihonor.dz.reader) do (
    echo 装回 %%p
    adb shell pm install-existing --user 0 %%p
)
