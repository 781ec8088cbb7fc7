@echo off
REM 检查手机能否接受操作：adb get-state 回答 device 时返回 0。其他回答照原样显示，再说明
REM 手机所处的状态和该怎么做，返回 1。其他脚本在操作手机之前调用它。
REM
REM 伴随脚本的返回码，所有脚本共用这一约定（程序等脚本结束后读它，据此报告结果）：
REM   0  做完了：发给手机的每条命令都成功了。
REM   1  手机没有就绪（没有手机、离线、未授权、正在授权或连接、连着多台设备、处于特殊模式、找不到 adb），
REM      什么也没有改。
REM   2  做了，但有命令没有成功；输出的最后一行写明是哪些（"以下操作未成功：..."）。
REM   3  什么也没有做：没有可做的事（例如 apk 文件夹里没有 apk 文件），或用户没有同意（清理缓存前的询问）。
REM 说明和汇总都写到标准输出：隐藏运行的脚本没有窗口，程序收下它的输出，把最后几行给用户看。
REM 每个脚本开头用一行写明自己用到哪几个返回码。
REM
REM 返回码就是运行脚本的 cmd.exe 的退出码：程序按文件名启动脚本时，Windows 用 cmd /c 运行它。
REM 所以每条结束的路径都写成 "exit /b 数字"，数字不靠 ERRORLEVEL 碰巧留下的值：
REM - exit /b 把 ERRORLEVEL 设成给出的数字（learn.microsoft.com 上 Windows 命令 exit 的说明）；
REM   cmd /c 运行的批处理用不带数字的 exit /b、goto :eof 或走到文件末尾结束时，退出码是最后一条
REM   命令的返回码，不一定是 ERRORLEVEL（Stack Overflow 问题 55289348、66248276 的回答）。
REM - 在 call 调用的标签里，exit /b 只结束这个标签；call 另一个脚本也一样，只回到调用它的地方。
REM - 括号里用百分号取的变量在整个括号块读入时就已展开，所以带变量的 exit /b 不放在括号里。
REM - 结束前的暂停（按任意键关闭）要在 exit /b 之前做完，返回码先存进变量；暂停写在 pause_before_closing.bat。
REM
REM 程序或用户启动的每个脚本在 @echo off 之后先用 chcp 936 把控制台的代码页设成 GBK，再做别的：cmd 按控制台当前的
REM 代码页读批处理的每一行，脚本是 GBK 写的，在代码页为 65001（UTF-8）或 437 的控制台里中文全是乱码，
REM 写进文件和管道的文字也按这个代码页编码。程序按 GBK 读脚本的输出和 temp2.txt。
REM 代码页每个控制台设一次：这里和 phone_step.bat、pause_before_closing.bat 这些被调用的脚本读入时
REM 控制台已是 936，不再设（chcp 是一个程序，每设一次，手机的每一步就多起一个进程）。
REM 脚本用 pushd "%~dp0" 进入自己的文件夹、popd 回到原处：程序放在网络文件夹（\\服务器\共享）里时，
REM cd 不能把它作为当前目录，pushd 会临时给它分配一个盘符。pushd 之前先用 setlocal 关掉延迟扩展，
REM 文件夹名里的 ! 才不会被吃掉。
REM 本脚本：0 手机就绪，1 手机没有就绪。
setlocal EnableExtensions DisableDelayedExpansion

REM 先找 adb，和 cmd 找命令的顺序一样：当前目录（调用的脚本已切换到程序目录），再是 PATH。
REM 找不到时 cmd 的提示因系统和语言而异，不拿它来判断。
set "adbFound="
if exist adb.exe set "adbFound=1"
for %%x in (adb.exe) do if not "%%~$PATH:x"=="" set "adbFound=1"
if not defined adbFound goto :noadb

REM get-state 在手机离线、处于 recovery 等模式时也正常结束，所以要看它回答的是哪个状态。
REM 较早的 adb 在没有手机时回答 unknown；手机刚插上时 adb 还会回答 still authorizing、still connecting。
REM 只认整行：unauthorized 等错误后面的说明行和 adb 启动服务时的提示行都不影响判断。
set "state=other"
for /f "delims=" %%a in ('adb get-state 2^>^&1') do (
    if "%%a"=="device" (set "state=device") else echo %%a
    for %%s in (offline recovery bootloader sideload) do if "%%a"=="%%s" set "state=%%s"
    if "%%a"=="rescue" set "state=recovery"
    if "%%a"=="error: device offline" set "state=offline"
    if "%%a"=="error: device unauthorized." set "state=unauthorized"
    if "%%a"=="error: no devices/emulators found" set "state=none"
    if "%%a"=="error: no devices found" set "state=none"
    if "%%a"=="error: device not found" set "state=none"
    if "%%a"=="error: more than one device/emulator" set "state=many"
    if "%%a"=="unknown" set "state=none"
    if "%%a"=="error: device still authorizing" set "state=authorizing"
    if "%%a"=="error: device still connecting" set "state=connecting"
)
if "%state%"=="device" exit /b 0
echo.
goto :%state%

:offline
echo 手机处于离线状态（offline）：adb 找到了手机，但无法与它通信。
echo 请拔下数据线重新插上；仍然不行时，点“异常连接点此重置”或重启手机，再试一次。
goto :Stop
:unauthorized
echo 手机还没有允许这台电脑调试（unauthorized）。
echo 请解锁手机屏幕，在“是否允许 USB 调试？”提示中勾选“始终允许使用这台计算机进行调试”，再点“确定”。
echo 没有出现提示时，请重新插拔数据线；仍然没有，请在“开发人员选项”中点“撤销 USB 调试授权”，再重新连接。
goto :Stop
:authorizing
echo 手机正在等待授权（authorizing）：adb 还在确认这台电脑能否调试手机。
echo 请解锁手机屏幕，在“是否允许 USB 调试？”提示中点“确定”，稍等几秒再试一次。
goto :Stop
:connecting
echo adb 正在与手机建立连接（connecting），还不能操作。
echo 请稍等几秒再试一次；一直如此时，请重新插拔数据线，或点“异常连接点此重置”。
goto :Stop
:none
echo 没有找到手机。
echo 请用能传输数据的数据线连接手机，打开“USB 调试”，USB 连接方式选择“传输文件”。
echo 仍然找不到时，请安装手机的驱动（华为手机助手或荣耀手机助理），详见程序的“连接教程”。
goto :Stop
:many
echo 连接了不止一台设备。
echo 请只连接要操作的那台手机，关闭电脑上的安卓模拟器，再试一次。
goto :Stop
:recovery
echo 手机处于恢复模式（recovery），这时不能操作应用。
echo 请在手机的恢复模式菜单中选择重启，进入系统后再试。
goto :Stop
:bootloader
echo 手机处于 fastboot 模式（bootloader），这时不能操作应用。
echo 请长按电源键重启手机，进入系统后再试。
goto :Stop
:sideload
echo 手机处于 sideload 模式，正在等待电脑发送升级包，这时不能操作应用。
echo 请在手机上退出这个模式并重启，进入系统后再试。
goto :Stop
:noadb
echo.
echo 找不到 adb：程序所在的文件夹里没有 adb.exe，PATH 列出的文件夹里也没有。
echo 请把 adb.exe、AdbWinApi.dll 和 AdbWinUsbApi.dll 放到程序所在的文件夹，再试一次。
goto :Stop
:other
echo 无法确认手机的状态，请看上面 adb 的回答。
echo 提示缺少 AdbWinApi.dll 等文件时，请把 adb.exe、AdbWinApi.dll 和 AdbWinUsbApi.dll 一起放到程序所在的文件夹；
echo 其他情况请重新插拔数据线，或点“异常连接点此重置”后再试。详见程序文件夹中的“遇到问题请看.txt”。
:Stop
echo 本次没有对手机做任何操作。
exit /b 1
