#!/bin/sh
# Undoes every change Pellucor's buttons and scripts can make to a Huawei phone's apps: puts back,
# for the current user, each Huawei package of the shipped catalogue, the reading app and Google's
# services, and enables those of them the phone reports disabled. The list covers many models: a
# package the phone lacks is skipped. The phone should be restarted afterwards.
# Exit codes (see check_phone.sh): 0 all back, 1 the phone is not ready, 2 some are not back or not
# enabled, 3 the phone has none of the list.
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
export PATH
. "$dir/phone_step.sh"

# The change and the packages, read by the program too: its journal knows from them what this
# script did to each package.
change="pm install-existing --user 0"
packages="
com.huawei.ohos.famanager com.huawei.health com.huawei.ohos.health com.huawei.meetime
com.huawei.hwvoipservice com.huawei.securitymgr com.huawei.fastapp com.huawei.hwid
com.huawei.search com.android.mms.service com.huawei.android.totemweather com.android.emergency
com.huawei.gameassistant com.huawei.intelligent com.huawei.hitouch com.huawei.hiaction
com.huawei.contentsensor com.huawei.vassistant com.huawei.magazine com.huawei.suggestion
com.huawei.android.thememanager com.huawei.scanner com.huawei.hicloud com.huawei.scenepack
com.huawei.android.findmyphone com.iflytek.speechsuite com.iflytek.speechcloud
com.huawei.pcassistant com.huawei.android.hwouc com.huawei.android.projectmenu com.huawei.KoBackup
com.huawei.hiskytone com.huawei.iaware com.huawei.android.hwaps com.huawei.powergenie com.huawei.hiai
com.huawei.himovie com.huawei.himovie.overseas com.huawei.hwvplayer.youku com.huawei.himovie.partner1
com.huawei.hicar com.huawei.videoeditor com.huawei.browser com.huawei.browserhomepage
com.huawei.music com.android.mediacenter com.huawei.appmarket com.huawei.phoneservice
com.huawei.wallet com.baidu.input_huawei com.huawei.ohos.inputmethod
com.android.managedprovisioning com.android.htmlviewer com.huawei.hwdetectrepair
com.android.printspooler com.android.bips com.android.stk com.huawei.hifolder com.huawei.bd
com.huawei.android.UEInfoCheck com.huawei.android.chr com.huawei.hiview
com.android.cellbroadcastreceiver com.huawei.geofence com.huawei.android.tips
com.google.android.backuptransport com.huawei.pengine com.bjbyhd.screenreader_huawei
com.huawei.arengine.service com.google.ar.core com.huawei.bonevoiceui
com.huawei.rcsserviceapplication com.huawei.livewallpaper.artflower
com.huawei.livewallpaper.flowersbloom com.huawei.livewallpaper.mountaincloud
com.huawei.livewallpaper.naturalgarden
com.huawei.hwireader com.huawei.hwread.dz
com.google.android.gms com.google.android.gsf com.android.vending
"

"$dir/check_phone.sh" || { "$dir/pause_before_closing.sh"; exit 1; }

for package in $packages; do
    echo "装回 $package"
    phone_step adb shell $change "$package"
done

# Only packages of the list above are enabled: the phone's other disabled apps stay as they are.
echo "正在查找被停用的应用……"
# The list is read first: the steps note their outcome in this shell, not in a pipeline's subshell.
listed=" $(printf '%s' "$packages" | tr '\n' ' ') "
disabled_packages=$(adb shell pm list packages -d </dev/null | tr -d '\r' | sed -n 's/^package://p')
for disabled in $disabled_packages; do
    case "$listed" in
        *" $disabled "*)
            echo "启用 $disabled"
            phone_step adb shell pm enable "$disabled"
            ;;
    esac
done

phone_steps_end
code=$?
[ "$code" -eq 0 ] && echo "已全部装回，请重启手机"
"$dir/pause_before_closing.sh"
exit "$code"
