#!/bin/sh
# Puts the reading app back for the current user, Huawei's and Honor's packages alike; a package
# the phone never had only makes pm print a failure line.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH

"$dir/check_phone.sh" || exit 1
for package in com.huawei.hwireader com.huawei.hwread.dz com.hihonor.dz.reader; do
    echo "装回 $package"
    adb shell pm install-existing --user 0 "$package" </dev/null
done
