#!/bin/sh
# Removes the reading app for the current user, Huawei's and Honor's packages alike; hwread_IN puts
# it back, since the system copy stays on the phone.
# Exit codes (see check_phone.sh): 0 removed, 1 the phone is not ready, 2 some are not, 3 nothing to
# remove (the phone lacks them, or the current user has them no more).
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH
. "$dir/phone_step.sh"

# The change and the packages, read by the program too: its journal knows from them what this
# script did to each package.
change="pm uninstall --user 0"
packages="com.huawei.hwireader com.huawei.hwread.dz com.hihonor.dz.reader"

"$dir/check_phone.sh" || exit 1
for package in $packages; do
    echo "卸载 $package"
    phone_step adb shell $change "$package"
done
phone_steps_end
