@echo off
REM 结束前的暂停，各脚本共用：按钮打开的窗口在脚本结束时随之关闭，先停下，让用户看清结果。
REM 在命令版菜单中运行时（PELLUCOR_MENU）不停，菜单接着显示下一个提示。
REM   call pause_before_closing.bat   返回码总是 0：调用者先把自己的返回码存进变量（见 check_phone.bat）
if defined PELLUCOR_MENU exit /b 0
echo.
echo 按任意键关闭此窗口…
pause >nul
exit /b 0
