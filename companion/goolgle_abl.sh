#!/bin/sh
# Switches Google's services back on: Play services, the services framework and the Play Store.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH

"$dir/check_phone.sh" || exit 1
for package in com.google.android.gms com.google.android.gsf com.android.vending; do
    echo "启用 $package"
    adb shell pm enable "$package" </dev/null
done
