#!/bin/sh
# Puts the reading app back for the current user, Huawei's and Honor's packages alike; a package
# the phone never had is skipped.
# Exit codes (see check_phone.sh): 0 back, 1 the phone is not ready, 2 some are not, 3 the phone has none.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH
. "$dir/phone_step.sh"

# The change and the packages, read by the program too: its journal knows from them what this
# script did to each package.
change="pm install-existing --user 0"
packages="com.huawei.hwireader com.huawei.hwread.dz com.hihonor.dz.reader"

"$dir/check_phone.sh" || exit 1
for package in $packages; do
    echo "装回 $package"
    phone_step adb shell $change "$package"
done
phone_steps_end
