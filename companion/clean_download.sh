#!/bin/sh
# Frees space on the phone's shared storage: deletes the files QQ, TIM and WeChat received and
# downloaded. Only the folders named below are touched; chat histories and files the user saved
# by hand live elsewhere and stay.
# Exit codes (see check_phone.sh): 0 cleaned, 1 the phone is not ready, 2 some folders are not removed.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH
. "$dir/phone_step.sh"

folders="
/sdcard/Android/data/com.tencent.mobileqq/Tencent/QQfile_recv
/sdcard/Android/data/com.tencent.tim/Tencent/TIMfile_recv
/sdcard/Android/data/com.tencent.mm/MicroMsg/Download
/sdcard/tencent/QQfile_recv
/sdcard/tencent/TIMfile_recv
/sdcard/tencent/MicroMsg/Download
"

"$dir/check_phone.sh" || { "$dir/pause_before_closing.sh"; exit 1; }
for folder in $folders; do
    echo "清理 $folder"
    phone_step adb shell rm -rf "$folder"
done
phone_steps_end
code=$?
[ "$code" -eq 0 ] && echo "清理完成"
"$dir/pause_before_closing.sh"
exit "$code"
