@echo off
REM Pellucor 命令版：常用操作的编号菜单，每做完一项重新显示，
REM 直到用户退出（输入 0、直接回车，或输入结束）。
REM 返回码：用户退出时为 0。程序不等菜单结束，也不读它的返回码；菜单做的每项操作在这个窗口里
REM 报告自己的结果（约定见 check_phone.bat）。
setlocal EnableDelayedExpansion
cd /d "%~dp0"
title Pellucor 命令版
REM 菜单调用的脚本结束时不暂停，菜单接着显示。
set "PELLUCOR_MENU=1"

:Menu
echo.
echo ============== Pellucor 命令版 ==============
echo   1. 查看连接设备        2. 查询安卓版本
echo   3. 启用谷歌服务        4. 禁用谷歌服务
echo   5. 装回阅读            6. 卸载阅读
echo   7. 还原华为应用        8. 清理聊天缓存
echo   9. 清理聊天下载       10. 安装 apk 文件夹
echo  11. 运行情况报告       12. 重置连接
echo  13. 重启手机           14. 重启至recovery
echo   0. 退出（直接回车也可退出）
set "choice="
set "script="
set /p "choice=请选择："
if not defined choice goto :Bye
if "!choice!"=="0" goto :Bye
if "!choice!"=="1" goto :Devices
if "!choice!"=="2" goto :Release
if "!choice!"=="3" set "script=goolgle_abl"
if "!choice!"=="4" set "script=goolgle_dis"
if "!choice!"=="5" set "script=hwread_IN"
if "!choice!"=="6" set "script=hwread_UN"
if "!choice!"=="7" set "script=hw_rec"
if "!choice!"=="8" set "script=clean"
if "!choice!"=="9" set "script=clean_download"
if "!choice!"=="10" set "script=auto_install"
if "!choice!"=="11" goto :Report
if "!choice!"=="12" set "script=renew"
if "!choice!"=="13" goto :Reboot
if "!choice!"=="14" goto :Recovery
if defined script goto :RunScript
echo 没有这个选项：!choice!
goto :Menu

REM adb 从 nul 读入，不会吞掉菜单的输入。
:Devices
adb devices -l < nul
goto :Menu
:Release
adb shell getprop ro.build.version.release < nul
goto :Menu
:RunScript
call !script!.bat
goto :Menu
:Report
call trans.bat
type temp2.txt
goto :Menu
:Reboot
adb reboot < nul
goto :Menu
:Recovery
adb reboot recovery < nul
goto :Menu

:Bye
echo.
echo 再见
exit /b 0
