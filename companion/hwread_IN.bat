@echo off
chcp 936 >nul
REM 为当前用户装回阅读应用，华为和荣耀的包都在内；手机上没有的包跳过。
REM 返回码（约定见 check_phone.bat）：0 已装回，1 手机没有就绪，2 有的没有装回，3 手机上一个也没有。
setlocal EnableExtensions DisableDelayedExpansion
pushd "%~dp0"

REM 改动和包名：程序也读这两个变量，由此知道本脚本对每个包做了什么。
set "change=pm install-existing --user 0"
set "packages=com.huawei.hwireader com.huawei.hwread.dz com.hihonor.dz.reader"

set "code=1"
call check_phone.bat
if errorlevel 1 goto :End
for %%p in (%packages%) do (
    echo 装回 %%p
    call phone_step.bat adb shell %change% %%p
)
call phone_step.bat /end
set "code=%PellucorStepsResult%"

:End
popd
exit /b %code%
