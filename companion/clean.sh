#!/bin/sh
# Frees space on the phone's shared storage: deletes the chat apps' caches, thumbnails, logs and
# the bug-report folder. Only the folders named below are touched; chat histories and files the
# user saved by hand live elsewhere and stay.
# Exit codes (see check_phone.sh): 0 cleaned, 1 the phone is not ready, 2 some folders are not removed.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH
. "$dir/phone_step.sh"

# A window opened by a button closes with the script: stop first, so that the user can read the
# result. Inside the command edition's menu, which shows its next prompt, go straight on.
wait_before_closing() {
    [ -n "${PELLUCOR_MENU:-}" ] && return
    echo
    echo "按任意键关闭此窗口…"
    read -r key || true
}

folders="
/sdcard/Android/data/com.tencent.mobileqq/cache
/sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/chatpic
/sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/shortvideo
/sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/diskcache
/sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/qzone
/sdcard/Android/data/com.tencent.mobileqq/Tencent/mini
/sdcard/Android/data/com.tencent.tim/cache
/sdcard/Android/data/com.tencent.tim/Tencent/Tim/chatpic
/sdcard/Android/data/com.tencent.tim/Tencent/Tim/shortvideo
/sdcard/Android/data/com.tencent.tim/Tencent/Tim/diskcache
/sdcard/Android/data/com.tencent.mm/cache
/sdcard/Android/data/com.tencent.mm/tinker
/sdcard/Android/data/com.tencent.mm/MicroMsg/CheckResUpdate
/sdcard/Android/data/com.tencent.mm/MicroMsg/xlog
/sdcard/Android/data/com.tencent.mm/MicroMsg/crash
/sdcard/DCIM/.thumbnails
/sdcard/Pictures/.thumbnails
/sdcard/bugreports
/sdcard/tencent/msflogs
/sdcard/tencent/wns/Logs
/sdcard/tencent/mta
"

"$dir/check_phone.sh" || { wait_before_closing; exit 1; }
for folder in $folders; do
    echo "清理 $folder"
    phone_step adb shell rm -rf "$folder"
done
phone_steps_end
code=$?
[ "$code" -eq 0 ] && echo "清理完成"
wait_before_closing
exit "$code"
