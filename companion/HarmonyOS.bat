@echo off
setlocal EnableExtensions DisableDelayedExpansion
for /f "tokens=2 delims=:" %%p in ('chcp') do set "callerCodePage=%%p"
chcp 936 >nul
REM Pellucor 命令版：常用操作的编号菜单，每做完一项重新显示，
REM 直到用户退出（输入 0、直接回车，或输入结束）。
REM 返回码：用户退出时为 0。程序不等菜单结束，也不读它的返回码；菜单做的每项操作在这个窗口里
REM 报告自己的结果（约定见 check_phone.bat）。
REM 用户可能在自己的命令行窗口里运行菜单：开头记下窗口原来的代码页（chcp 回答的最后一个词，
REM 如 "Active code page: 437"、德文的 "Aktive Codepage: 850."），退出时改回去。
if defined callerCodePage set "callerCodePage=%callerCodePage: =%"
if defined callerCodePage set "callerCodePage=%callerCodePage:.=%"
pushd "%~dp0"
REM 进入文件夹之后才打开延迟扩展：文件夹名里的 ! 不会被吃掉。用户的回答只用 !choice! 读，
REM 回答中的 & < > | 等符号不会被当成命令。
setlocal EnableDelayedExpansion
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
if "!choice!"=="8" goto :CleanCaches
if "!choice!"=="9" set "script=clean_download"
if "!choice!"=="10" set "script=auto_install"
if "!choice!"=="11" goto :Report
if "!choice!"=="12" set "script=renew"
if "!choice!"=="13" goto :Reboot
if "!choice!"=="14" goto :Recovery
if defined script goto :RunScript
echo 没有这个选项：!choice!
goto :Menu

REM adb 和菜单调用的脚本都从 nul 读入，不会读走菜单的输入（adb shell 会把读到的输入转给手机）。
REM 只有清理缓存要问用户是否删除：它读菜单的输入作答，它对手机的每一步仍从 nul 读入（phone_step.bat）。
:Devices
adb devices -l < nul
goto :Menu
:Release
adb shell getprop ro.build.version.release < nul
goto :Menu
:RunScript
call !script!.bat < nul
goto :Menu
:CleanCaches
call clean.bat
goto :Menu
:Report
call trans.bat < nul
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
endlocal
popd
if defined callerCodePage chcp %callerCodePage% >nul 2>&1
exit /b 0
