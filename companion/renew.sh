#!/bin/sh
# Resets a broken adb connection: stops the adb server, starts it afresh, lists the devices and
# checks that the phone can take commands.
# Exit codes (see check_phone.sh): 0 the phone is ready after the reset, 1 it is still not, or there is
# no adb (the last lines say why).
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH

# A window opened by a button closes with the script: stop first, so that the user can read the
# result. Inside the command edition's menu, which shows its next prompt, go straight on.
wait_before_closing() {
    [ -n "${PELLUCOR_MENU:-}" ] && return
    echo
    echo "按任意键关闭此窗口…"
    read -r key || true
}

echo "正在重置 adb 连接……"
adb kill-server </dev/null
adb start-server </dev/null
adb devices -l </dev/null
"$dir/check_phone.sh"
code=$?
wait_before_closing
exit "$code"
