#!/bin/sh
# Installs every apk of the folder "apk" beside this script on the phone, one after another,
# saying how each went; an installed app of the same name is updated.
# Exit codes (see check_phone.sh): 0 all installed, 1 the phone is not ready, 2 some are not, 3 no apk
# folder or no apk file in it.
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
    exit 3
fi
found=
for apk in "$folder"/*.apk "$folder"/*.APK; do
    [ -f "$apk" ] && found=1
done
if [ -z "$found" ]; then
    echo "apk 文件夹中没有 apk 文件：请把要安装的 apk 文件放进文件夹 $folder 后再试"
    wait_before_closing
    exit 3
fi

"$dir/check_phone.sh" || { wait_before_closing; exit 1; }
installed=0
failed=0
# adb install reads the phone's answer itself and exits 1 when the app is not installed.
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
echo "安装完成：成功 $installed 个，失败 $failed 个"
code=0
if [ "$failed" -gt 0 ]; then
    code=2
    echo "以下操作未成功：$failed 个 apk 没有装上，见上面标着“安装失败”的行"
fi
wait_before_closing
exit "$code"
