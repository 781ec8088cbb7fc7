@echo off
REM 把本脚本旁 apk 文件夹中的每个 apk 依次装到手机上，并报告每个的结果；已安装的同名应用会被更新。
setlocal
cd /d "%~dp0"

if exist "apk\" goto :HaveFolder
echo 没有找到文件夹 "%~dp0apk"
echo 请在程序目录中建立 apk 文件夹，放入要安装的 apk 文件后再试
exit /b 1

:HaveFolder
adb get-state >nul
if errorlevel 1 exit /b 1
set installed=0
set failed=0
for %%f in (apk\*.apk) do call :Install "%%~f"
set /a total=installed+failed
if %total%==0 echo apk 文件夹中没有 apk 文件
echo 安装完成：成功 %installed% 个，失败 %failed% 个
goto :eof

REM 文件名只在引号中出现，含空格或括号的名字也能处理。
:Install
echo 正在安装 "%~nx1"
adb install -r %1
if not errorlevel 1 goto :Installed
set /a failed+=1
echo 安装失败 "%~nx1"
goto :eof
:Installed
set /a installed+=1
echo 安装成功 "%~nx1"
goto :eof
