@echo off
chcp 936 >nul
REM 把手机的运行情况写到本脚本所在目录的 temp2.txt，覆盖上一份报告：
REM 连接设备、型号、安卓版本、电池、内存、存储和运行时间。报告是 GBK：重定向的输出按控制台的代码页编码。
REM 返回码（约定见 check_phone.bat）：0 报告里有手机的情况，1 手机没有就绪（报告里写明原因）。
setlocal EnableExtensions DisableDelayedExpansion
pushd "%~dp0"

set "code=0"
call :Report > temp2.txt 2>&1 < nul
if errorlevel 1 set "code=1"
popd
exit /b %code%

:Report
echo Pellucor 运行情况报告    %date% %time%
echo.
echo 【连接设备】
adb devices -l
call check_phone.bat
if errorlevel 1 exit /b 1
echo 【型号】
call :Property ro.product.brand "品牌："
call :Property ro.product.model "型号："
echo 【安卓版本】
call :Property ro.build.version.release "安卓 "
call :Property ro.build.version.sdk "API "
call :Property ro.build.display.id "系统版本："
echo.
echo 【电池】
adb shell dumpsys battery
echo.
echo 【内存】
adb shell "grep -E '^(MemTotal|MemFree|MemAvailable|SwapTotal|SwapFree):' /proc/meminfo"
echo.
echo 【存储】
adb shell df -h /data /storage/emulated/0
echo.
echo 【运行时间】
adb shell uptime
exit /b 0

REM 一行属性：标签加上手机的回答；没有回答时只写标签。回答只经过 for 变量写出，延迟扩展是关着的：
REM 其中的 ! ^ & < > | 和百分号都原样写出，不会被当成变量或命令。
:Property
set "answered="
for /f "delims=" %%v in ('adb shell getprop %1') do (
    set "answered=1"
    echo %~2%%v
)
if not defined answered echo %~2
goto :eof
