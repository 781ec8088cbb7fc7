#!/bin/sh
# Resets a broken adb connection: stops the adb server, starts it afresh, lists the devices and
# checks that the phone can take commands.
# Exit codes (see check_phone.sh): 0 the phone is ready after the reset, 1 it is still not, or there is
# no adb (the last lines say why).
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH

echo "正在重置 adb 连接……"
adb kill-server </dev/null
adb start-server </dev/null
adb devices -l </dev/null
"$dir/check_phone.sh"
code=$?
"$dir/pause_before_closing.sh"
exit "$code"
