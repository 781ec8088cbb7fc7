#!/bin/sh
# Frees space on the phone's shared storage by deleting what is truly cache, which the apps make
# again when they need it: the chat apps' caches and temporary files, thumbnails, logs and problem
# reports. The pictures and videos inside conversations (chatpic, shortvideo) stay: once the
# server's copy has expired they cannot be downloaded again. Chat histories, received files and
# files the user saved by hand are not in these folders either.
# Before deleting, it lists the folders and asks: only "Y" deletes; an empty answer, any other
# answer or no answer at all (the input has ended) deletes nothing.
# Exit codes (see check_phone.sh): 0 cleaned, 1 the phone is not ready, 2 some folders are not
# removed, 3 the user did not say yes, so nothing was deleted.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH
. "$dir/phone_step.sh"

folders="
/sdcard/Android/data/com.tencent.mobileqq/cache
/sdcard/Android/data/com.tencent.mobileqq/Tencent/MobileQQ/diskcache
/sdcard/Android/data/com.tencent.tim/cache
/sdcard/Android/data/com.tencent.tim/Tencent/Tim/diskcache
/sdcard/Android/data/com.tencent.mm/cache
/sdcard/Android/data/com.tencent.mm/MicroMsg/xlog
/sdcard/Android/data/com.tencent.mm/MicroMsg/crash
/sdcard/DCIM/.thumbnails
/sdcard/Pictures/.thumbnails
/sdcard/bugreports
/sdcard/tencent/msflogs
/sdcard/tencent/wns/Logs
"

"$dir/check_phone.sh" || { "$dir/pause_before_closing.sh"; exit 1; }
echo "将删除手机上的以下文件夹（缓存、临时文件、缩略图、日志和问题报告），手机上没有的跳过："
for folder in $folders; do
    echo "  $folder"
done
echo "聊天记录、聊天中的图片和视频、接收的文件和手动保存的文件都不在其中，不会删除。"
printf '确定删除吗？输入 Y 后回车删除，直接回车不删除：'
answer=
read -r answer || true
echo
case "$answer" in
    Y | y) ;;
    *)
        echo "没有删除任何文件。"
        "$dir/pause_before_closing.sh"
        exit 3
        ;;
esac

for folder in $folders; do
    echo "清理 $folder"
    phone_step adb shell rm -rf "$folder"
done
phone_steps_end
code=$?
[ "$code" -eq 0 ] && echo "清理完成"
"$dir/pause_before_closing.sh"
exit "$code"
