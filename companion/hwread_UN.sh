#!/bin/sh
# Removes the reading app for the current user, Huawei's and Honor's packages alike; hwread_IN puts
# it back, since the system copy stays on the phone.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH

"$dir/check_phone.sh" || exit 1
for package in com.huawei.hwireader com.huawei.hwread.dz com.hihonor.dz.reader; do
    echo "卸载 $package"
    adb shell pm uninstall --user 0 "$package" </dev/null
done
