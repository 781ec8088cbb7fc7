@echo off
REM 伴随脚本对手机做的一步：运行一条 adb 命令，显示手机的回答，判断这一步成功、失败还是跳过并记下；
REM 脚本最后用 /end 汇总。各脚本都调用这里，判断只写在这一处。
REM   call phone_step.bat adb shell pm enable 包名   做一步，以命令的最后一个词（包名或文件夹）记名；
REM                                                  返回 0 成功，2 失败，3 跳过
REM   call phone_step.bat /end                       汇总：有失败时最后一行写明是哪些；把脚本的返回码
REM                                                  0、2 或 3（约定见 check_phone.bat）放进变量
REM                                                  PellucorStepsResult，也作为自己的返回码
REM 记录放在调用者的变量 PellucorStepsDone、PellucorStepsFailed、PellucorStepsSkipped 里，
REM 调用者的 setlocal 让它们随脚本结束而消失。脚本结束时用 exit /b 交出这个变量的值，不读
REM call 之后的 ERRORLEVEL：有的 cmd（Wine 的）把 call 另一个批处理得到的非 0 数字都变成 1。
setlocal EnableExtensions DisableDelayedExpansion
if "%~1"=="/end" goto :End

set "target="
for %%w in (%*) do set "target=%%w"
REM 手机的回答先写进一个只属于这一步的文件夹：cmd 按启动的那一秒设定 %RANDOM%，同一秒启动的两个脚本
REM 得到同样的随机数，而 mkdir 只让其中一个建成同名文件夹，另一个换个名字再试。
set "folder=%TEMP%"
if not defined folder set "folder=%~dp0."
set "tries=0"
:NewAnswerFolder
set /a tries+=1
set "answerFolder=%folder%\pellucor-step-%RANDOM%-%RANDOM%"
mkdir "%answerFolder%" 2>nul && goto :Run
if %tries% lss 50 goto :NewAnswerFolder
echo 无法在临时文件夹 %folder% 中记下手机的回答，这一步没有运行：%*
endlocal & set "PellucorStepsFailed=%PellucorStepsFailed% %target%"
exit /b 2

:Run
set "answer=%answerFolder%\answer.txt"
%* > "%answer%" 2>&1 < nul
set "code=%errorlevel%"
type "%answer%"

REM 一步失败：adb 的退出码不是 0，或者手机的回答说失败了。带 shell 协议的 adb（Android 7 起）把手机上
REM 命令的退出码交回来；更早的手机或 adb 总是返回 0，只能看回答的字样。字样取自 Android 的
REM PackageManagerShellCommand.java 和 BasicShellCommandHandler.java：
REM   pm uninstall          "Failure [not installed for 0]"（这个用户已经没有它），其他原因 "Failure [原因]"
REM   pm install-existing   "...NameNotFoundException: Package 包名 doesn't exist"（手机上没有这个包）
REM   pm enable/disable-user  出现异常时 "Exception occurred while executing '命令':"，再一行
REM                         "java.lang.IllegalArgumentException: Unknown package: 包名"；较早的系统写
REM                         "Exception occurred while dumping:"
REM   参数不对时            "Error: ..."
REM adb 自己的错误以 "error:" 开头（手机中途断开）；rm 只在失败时说话（"rm: ..."）。
REM "not installed for" 和 "doesn't exist" 说明没有要做的，这一步跳过而不算失败：装回和卸载的清单
REM 兼顾华为、荣耀的各种机型，总有手机上没有的包。启用、禁用时包不在手机上则算失败。
set "verdict=done"
for /f "usebackq delims=" %%l in ("%answer%") do set "line=%%l" & call :Judge
rd /s /q "%answerFolder%"
if "%verdict%"=="removed" goto :Removed
if "%verdict%"=="absent" goto :Absent
if not "%code%"=="0" goto :Failed
if "%verdict%"=="failed" goto :Failed
endlocal & set "PellucorStepsDone=1"
exit /b 0

:Removed
echo （跳过：当前用户已经没有 %target%）
endlocal & set "PellucorStepsSkipped=%PellucorStepsSkipped% %target%"
exit /b 3

:Absent
echo （跳过：手机上没有 %target%）
endlocal & set "PellucorStepsSkipped=%PellucorStepsSkipped% %target%"
exit /b 3

:Failed
endlocal & set "PellucorStepsFailed=%PellucorStepsFailed% %target%"
exit /b 2

REM 一行回答。先去掉双引号，比较时整行都在引号里，回答中的 & < > | 等符号不会被当成命令的一部分。
:Judge
set "line=%line:"=%"
if /i "%line:~0,26%"=="Failure [not installed for" set "verdict=removed"
if not "%line:doesn't exist=%"=="%line%" set "verdict=absent"
if not "%verdict%"=="done" goto :eof
if /i "%line:~0,7%"=="Failure" set "verdict=failed"
if /i "%line:~0,5%"=="Error" set "verdict=failed"
if /i "%line:~0,4%"=="rm: " set "verdict=failed"
if not "%line:exception=%"=="%line%" set "verdict=failed"
goto :eof

:End
if defined PellucorStepsFailed goto :EndFailed
if defined PellucorStepsDone goto :EndDone
if defined PellucorStepsSkipped goto :EndSkipped
:EndDone
endlocal & set "PellucorStepsResult=0"
exit /b 0

:EndFailed
echo.
echo 以下操作未成功：%PellucorStepsFailed:~1%
endlocal & set "PellucorStepsResult=2"
exit /b 2

:EndSkipped
echo.
echo 本次没有做任何改动：手机上没有这些应用，或当前用户已经没有它们：%PellucorStepsSkipped:~1%
endlocal & set "PellucorStepsResult=3"
exit /b 3
