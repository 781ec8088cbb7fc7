#!/bin/sh
# Installs every apk of the folder "apk" beside this script on the phone, one after another,
# saying how each went; an installed app of the same name is updated.
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

folder="$dir/apk"
if [ ! -d "$folder" ]; then
    echo "没有找到文件夹 $folder"
    echo "请在程序目录中建立 apk 文件夹，放入要安装的 apk 文件后再试"
    wait_before_closing
    exit 1
fi

"$dir/check_phone.sh" || { wait_before_closing; exit 1; }
installed=0
failed=0
for apk in "$folder"/*.apk "$folder"/*.APK; do
    [ -f "$apk" ] || continue
    name=$(basename "$apk")
    echo "正在安装 $name"
    if adb install -r "$apk" </dev/null; then
        installed=$((installed + 1))
        echo "安装成功 $name"
    else
        failed=$((failed + 1))
        echo "安装失败 $name"
    fi
done
if [ $((installed + failed)) -eq 0 ]; then
    echo "apk 文件夹中没有 apk 文件"
fi
echo "安装完成：成功 $installed 个，失败 $failed 个"
wait_before_closing
