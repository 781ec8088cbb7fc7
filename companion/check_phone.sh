#!/bin/sh
# Checks that the phone can take commands: exits 0 when "adb get-state" answers device. Otherwise
# shows adb's answer, says what the phone's state means and what to do, and exits 1. The other
# scripts run it before they touch the phone.
#
# The exit codes of the companion scripts, one contract for all of them (the program reads the code
# of a script it waits for and reports the outcome by it):
#   0  done: every command sent to the phone succeeded.
#   1  the phone is not ready (none, offline, unauthorized, still authorizing or connecting, several
#      devices, a service mode, no adb): nothing was changed.
#   2  done, but some commands failed; the last line of the output names them ("以下操作未成功：…").
#   3  nothing was done: there was nothing to do (no apk file in the apk folder, say), or the user
#      did not say yes (the question before the cache cleaning).
# Explanations and summaries go to standard output: the program captures the output of the scripts
# it runs hidden and shows their last lines. Each script names the codes it uses in one line at its
# top. This script: 0 the phone is ready, 1 it is not.

# adb is looked for first: the shell's words for a missing command differ from system to system.
# get-state also ends normally for a phone that is offline or in recovery and the like, so the
# state it names decides. Only whole lines count: the lines explaining an error and adb's notices
# about starting its server do not. Older adb answers "unknown" when there is no phone; a phone
# just plugged in is "still authorizing" or "still connecting" for a moment.
state=noadb
answer=
if command -v adb >/dev/null 2>&1; then
    state=other
    answer=$(adb get-state 2>&1 </dev/null | tr -d '\r')
fi
while IFS= read -r line; do
    case "$line" in
        device) state=device; continue ;;
        offline | recovery | bootloader | sideload) state=$line ;;
        rescue) state=recovery ;;
        "error: device offline") state=offline ;;
        "error: device unauthorized.") state=unauthorized ;;
        "error: no devices/emulators found" | "error: no devices found" | "error: device not found") state=none ;;
        "error: more than one device/emulator") state=many ;;
        unknown) state=none ;;
        "error: device still authorizing") state=authorizing ;;
        "error: device still connecting") state=connecting ;;
    esac
    [ -n "$line" ] && echo "$line"
done <<ANSWER
$answer
ANSWER
[ "$state" = device ] && exit 0

echo
case "$state" in
    offline)
        echo "手机处于离线状态（offline）：adb 找到了手机，但无法与它通信。"
        echo "请拔下数据线重新插上；仍然不行时，点“异常连接点此重置”或重启手机，再试一次。" ;;
    unauthorized)
        echo "手机还没有允许这台电脑调试（unauthorized）。"
        echo "请解锁手机屏幕，在“是否允许 USB 调试？”提示中勾选“始终允许使用这台计算机进行调试”，再点“确定”。"
        echo "没有出现提示时，请重新插拔数据线；仍然没有，请在“开发人员选项”中点“撤销 USB 调试授权”，再重新连接。" ;;
    authorizing)
        echo "手机正在等待授权（authorizing）：adb 还在确认这台电脑能否调试手机。"
        echo "请解锁手机屏幕，在“是否允许 USB 调试？”提示中点“确定”，稍等几秒再试一次。" ;;
    connecting)
        echo "adb 正在与手机建立连接（connecting），还不能操作。"
        echo "请稍等几秒再试一次；一直如此时，请重新插拔数据线，或点“异常连接点此重置”。" ;;
    none)
        echo "没有找到手机。"
        echo "请用能传输数据的数据线连接手机，打开“USB 调试”，USB 连接方式选择“传输文件”。"
        echo "仍然找不到时，请安装手机的驱动（华为手机助手或荣耀手机助理），详见程序的“连接教程”。" ;;
    many)
        echo "连接了不止一台设备。"
        echo "请只连接要操作的那台手机，关闭电脑上的安卓模拟器，再试一次。" ;;
    recovery)
        echo "手机处于恢复模式（recovery），这时不能操作应用。"
        echo "请在手机的恢复模式菜单中选择重启，进入系统后再试。" ;;
    bootloader)
        echo "手机处于 fastboot 模式（bootloader），这时不能操作应用。"
        echo "请长按电源键重启手机，进入系统后再试。" ;;
    noadb)
        echo "找不到 adb：程序所在的文件夹里没有 adb，PATH 列出的文件夹里也没有。"
        echo "请把 adb 放到程序所在的文件夹，再试一次。" ;;
    sideload)
        echo "手机处于 sideload 模式，正在等待电脑发送升级包，这时不能操作应用。"
        echo "请在手机上退出这个模式并重启，进入系统后再试。" ;;
    *)
        echo "无法确认手机的状态，请看上面 adb 的回答。"
        echo "提示缺少 AdbWinApi.dll 等文件时，请把 adb.exe、AdbWinApi.dll 和 AdbWinUsbApi.dll 一起放到程序所在的文件夹；"
        echo "其他情况请重新插拔数据线，或点“异常连接点此重置”后再试。详见程序文件夹中的“遇到问题请看.txt”。" ;;
esac
echo "本次没有对手机做任何操作。"
exit 1
