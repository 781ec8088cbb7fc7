#!/bin/sh
# Installs every apk of the folder "apk" beside this script on the phone, one after another,
# saying how each went; an installed app of the same name is updated.
# Exit codes (see check_phone.sh): 0 all installed, 1 the phone is not ready, 2 some are not, 3 no apk
# folder or no apk file in it.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH

folder="$dir/apk"
if [ ! -d "$folder" ]; then
    echo "没有找到文件夹 $folder"
    echo "请在程序目录中建立 apk 文件夹，放入要安装的 apk 文件后再试"
    "$dir/pause_before_closing.sh"
    exit 3
fi
found=
for apk in "$folder"/*.apk "$folder"/*.APK; do
    [ -f "$apk" ] && found=1
done
if [ -z "$found" ]; then
    echo "apk 文件夹中没有 apk 文件：请把要安装的 apk 文件放进文件夹 $folder 后再试"
    "$dir/pause_before_closing.sh"
    exit 3
fi

"$dir/check_phone.sh" || { "$dir/pause_before_closing.sh"; exit 1; }
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
"$dir/pause_before_closing.sh"
exit "$code"
