#!/bin/sh
# Resets a broken adb connection: stops the adb server, starts it afresh and lists the devices.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH

echo "正在重置 adb 连接……"
adb kill-server </dev/null
adb start-server </dev/null
adb devices -l </dev/null
