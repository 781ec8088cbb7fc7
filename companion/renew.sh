#!/bin/sh
# Resets a broken adb connection: stops the adb server, starts it afresh and lists the devices.
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
wait_before_closing
