#!/bin/sh
# Switches Google's services off for the current user: Play services, the services framework and
# the Play Store. goolgle_abl switches them on again.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH

"$dir/check_phone.sh" || exit 1
for package in com.google.android.gms com.google.android.gsf com.android.vending; do
    echo "禁用 $package"
    adb shell pm disable-user "$package" </dev/null
done
