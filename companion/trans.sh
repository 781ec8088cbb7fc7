#!/bin/sh
# Writes a status report of the attached phone to temp2.txt beside this script, replacing the
# previous one: devices, model, Android release, battery, memory, storage and uptime.
# Exit codes (see check_phone.sh): 0 the report holds the phone's data, 1 the phone is not ready (the
# report says why).
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH

exec >"$dir/temp2.txt" 2>&1 </dev/null

echo "Pellucor 运行情况报告    $(date '+%Y-%m-%d %H:%M:%S')"
echo
echo "【连接设备】"
adb devices -l
"$dir/check_phone.sh" || exit 1
echo "【型号】"
echo "品牌：$(adb shell getprop ro.product.brand | tr -d '\r')"
echo "型号：$(adb shell getprop ro.product.model | tr -d '\r')"
echo "【安卓版本】"
echo "安卓 $(adb shell getprop ro.build.version.release | tr -d '\r')（API $(adb shell getprop ro.build.version.sdk | tr -d '\r')）"
echo "系统版本：$(adb shell getprop ro.build.display.id | tr -d '\r')"
echo
echo "【电池】"
adb shell dumpsys battery
echo
echo "【内存】"
adb shell "grep -E '^(MemTotal|MemFree|MemAvailable|SwapTotal|SwapFree):' /proc/meminfo"
echo
echo "【存储】"
adb shell df -h /data /storage/emulated/0
echo
echo "【运行时间】"
adb shell uptime
exit 0
