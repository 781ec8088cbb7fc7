#!/bin/sh
# Switches Google's services off for the current user: Play services, the services framework and
# the Play Store. goolgle_abl switches them on again.
# Exit codes (see check_phone.sh): 0 all off, 1 the phone is not ready, 2 some are not (a missing one too).
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH
. "$dir/phone_step.sh"

# The change and the packages, read by the program too: its journal knows from them what this
# script did to each package.
change="pm disable-user"
packages="com.google.android.gms com.google.android.gsf com.android.vending"

"$dir/check_phone.sh" || exit 1
for package in $packages; do
    echo "禁用 $package"
    phone_step adb shell $change "$package"
done
phone_steps_end
