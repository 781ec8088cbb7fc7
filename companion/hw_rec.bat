@echo off
chcp 936 >nul
REM 撤销 Pellucor 的按钮和脚本在华为手机上所做的全部改动：为当前用户装回随程序提供的目录中的
REM 每个华为包、华为阅读和谷歌服务，并重新启用其中被停用的包；清单兼顾各种机型，手机上没有的包跳过。
REM 完成后请重启手机。
REM 返回码（约定见 check_phone.bat）：0 已全部装回，1 手机没有就绪，2 有的没有装回或启用，3 清单里的包
REM 手机上一个也没有。
setlocal EnableExtensions DisableDelayedExpansion
pushd "%~dp0"

REM 改动和包名：程序也读这两个变量，由此知道本脚本对每个包做了什么。
set "change=pm install-existing --user 0"
set packages=com.huawei.ohos.famanager com.huawei.health com.huawei.ohos.health com.huawei.meetime
set packages=%packages% com.huawei.hwvoipservice com.huawei.securitymgr com.huawei.fastapp com.huawei.hwid
set packages=%packages% com.huawei.search com.android.mms.service com.huawei.android.totemweather com.android.emergency
set packages=%packages% com.huawei.gameassistant com.huawei.intelligent com.huawei.hitouch com.huawei.hiaction
set packages=%packages% com.huawei.contentsensor com.huawei.vassistant com.huawei.magazine com.huawei.suggestion
set packages=%packages% com.huawei.android.thememanager com.huawei.scanner com.huawei.hicloud com.huawei.scenepack
set packages=%packages% com.huawei.android.findmyphone com.iflytek.speechsuite com.iflytek.speechcloud
set packages=%packages% com.huawei.pcassistant com.huawei.android.hwouc com.huawei.android.projectmenu com.huawei.KoBackup
set packages=%packages% com.huawei.hiskytone com.huawei.iaware com.huawei.android.hwaps com.huawei.powergenie com.huawei.hiai
set packages=%packages% com.huawei.himovie com.huawei.himovie.overseas com.huawei.hwvplayer.youku com.huawei.himovie.partner1
set packages=%packages% com.huawei.hicar com.huawei.videoeditor com.huawei.browser com.huawei.browserhomepage
set packages=%packages% com.huawei.music com.android.mediacenter com.huawei.appmarket com.huawei.phoneservice
set packages=%packages% com.huawei.wallet com.baidu.input_huawei com.huawei.ohos.inputmethod
set packages=%packages% com.android.managedprovisioning com.android.htmlviewer com.huawei.hwdetectrepair
set packages=%packages% com.android.printspooler com.android.bips com.android.stk com.huawei.hifolder com.huawei.bd
set packages=%packages% com.huawei.android.UEInfoCheck com.huawei.android.chr com.huawei.hiview
set packages=%packages% com.android.cellbroadcastreceiver com.huawei.geofence com.huawei.android.tips
set packages=%packages% com.google.android.backuptransport com.huawei.pengine com.bjbyhd.screenreader_huawei
set packages=%packages% com.huawei.arengine.service com.google.ar.core com.huawei.bonevoiceui
set packages=%packages% com.huawei.rcsserviceapplication com.huawei.livewallpaper.artflower
set packages=%packages% com.huawei.livewallpaper.flowersbloom com.huawei.livewallpaper.mountaincloud
set packages=%packages% com.huawei.livewallpaper.naturalgarden
REM 阅读（hwread_UN 会卸载）和谷歌服务（goolgle_dis 会禁用）。
set packages=%packages% com.huawei.hwireader com.huawei.hwread.dz
set packages=%packages% com.google.android.gms com.google.android.gsf com.android.vending

set "code=1"
call check_phone.bat
if errorlevel 1 goto :End

for %%p in (%packages%) do (
    echo 装回 %%p
    call phone_step.bat adb shell %change% %%p
)

REM 只启用上面列出的包：手机上其他被停用的应用保持原样。adb shell 从 nul 读入，不会读走调用者的输入。
echo 正在查找被停用的应用……
for /f "tokens=2 delims=:" %%d in ('adb shell pm list packages -d ^< nul') do call :EnableIfListed %%d

REM 返回码先存下：暂停之后再用 exit /b 交出（见 check_phone.bat）。
call phone_step.bat /end
set "code=%PellucorStepsResult%"
if "%code%"=="0" echo 已全部装回，请重启手机

:End
call pause_before_closing.bat
popd
exit /b %code%

:EnableIfListed
for %%p in (%packages%) do if "%%p"=="%1" goto :EnableListed
goto :eof
:EnableListed
echo 启用 %1
call phone_step.bat adb shell pm enable %1
goto :eof
