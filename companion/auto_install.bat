@echo off
chcp 936 >nul
REM 把本脚本旁 apk 文件夹中的每个 apk 依次装到手机上，并报告每个的结果；已安装的同名应用会被更新。
REM 返回码（约定见 check_phone.bat）：0 都装上了，1 手机没有就绪，2 有的没有装上，3 没有 apk 文件夹
REM 或其中没有 apk 文件。
setlocal EnableExtensions DisableDelayedExpansion
pushd "%~dp0"

if exist "apk\" goto :HaveFolder
echo 没有找到文件夹 "%~dp0apk"
echo 请在程序目录中建立 apk 文件夹，放入要安装的 apk 文件后再试
set "code=3"
goto :End

REM 扩展名再查一次，因为 *.apk 也会通过短文件名匹配到 .apkx 之类的文件。
:HaveFolder
set "found="
for %%f in (apk\*.apk) do if /i "%%~xf"==".apk" set "found=1"
if defined found goto :HaveFiles
echo apk 文件夹中没有 apk 文件：请把要安装的 apk 文件放进文件夹 "%~dp0apk" 后再试
set "code=3"
goto :End

:HaveFiles
set "code=1"
call check_phone.bat
if errorlevel 1 goto :End
set installed=0
set failed=0
REM 文件名只在 for 变量中使用，不经过 call：百分号、感叹号、^、& 和括号都不会被再次解释，
REM Windows 允许的文件名都原样交给 adb。adb install 自己读手机的回答，没装上时返回 1。
for %%f in (apk\*.apk) do (
    if /i "%%~xf"==".apk" (
        echo 正在安装 "%%~nxf"
        adb install -r "%%~f"
        if errorlevel 1 (
            set /a failed+=1
            echo 安装失败 "%%~nxf"
        ) else (
            set /a installed+=1
            echo 安装成功 "%%~nxf"
        )
    )
)
echo 安装完成：成功 %installed% 个，失败 %failed% 个
REM 返回码先存下：暂停之后再用 exit /b 交出（见 check_phone.bat）。
set "code=0"
if not "%failed%"=="0" set "code=2"
if "%code%"=="2" echo 以下操作未成功：%failed% 个 apk 没有装上，见上面标着“安装失败”的行

:End
call pause_before_closing.bat
popd
exit /b %code%
