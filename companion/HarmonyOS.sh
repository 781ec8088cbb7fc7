#!/bin/sh
# Pellucor's command-line edition: a numbered menu of the common actions, shown again after each
# one until the user quits (0, an empty answer, or the end of input).
# Exit code: 0 when the user quits. The program neither waits for the menu nor reads its code; each
# action the menu runs reports its own outcome in this window (see check_phone.sh).
dir=$(cd "$(dirname "$0")" && pwd)
PATH="$dir:$PATH"
# The scripts the menu runs do not wait before they end: the menu shows its next prompt.
PELLUCOR_MENU=1
export PATH PELLUCOR_MENU

ShowMenu() {
    echo
    echo "============== Pellucor 命令版 =============="
    echo "  1. 查看连接设备        2. 查询安卓版本"
    echo "  3. 启用谷歌服务        4. 禁用谷歌服务"
    echo "  5. 装回阅读            6. 卸载阅读"
    echo "  7. 还原华为应用        8. 清理聊天缓存"
    echo "  9. 清理聊天下载       10. 安装 apk 文件夹"
    echo " 11. 运行情况报告       12. 重置连接"
    echo " 13. 重启手机           14. 重启至recovery"
    echo "  0. 退出（直接回车也可退出）"
    printf '请选择：'
}

# Each action reads nothing from the menu's input, which stays for the next choice (adb shell would
# hand what it reads to the phone); only the cache cleaning asks the user whether to delete, and
# reads the answer from it. Its steps on the phone read nothing (phone_step.sh).
while ShowMenu && read -r choice; do
    case "$choice" in
        1) adb devices -l </dev/null ;;
        2) adb shell getprop ro.build.version.release </dev/null ;;
        3) "$dir/goolgle_abl.sh" </dev/null ;;
        4) "$dir/goolgle_dis.sh" </dev/null ;;
        5) "$dir/hwread_IN.sh" </dev/null ;;
        6) "$dir/hwread_UN.sh" </dev/null ;;
        7) "$dir/hw_rec.sh" </dev/null ;;
        8) "$dir/clean.sh" ;;
        9) "$dir/clean_download.sh" </dev/null ;;
        10) "$dir/auto_install.sh" </dev/null ;;
        11) "$dir/trans.sh" </dev/null; cat "$dir/temp2.txt" ;;
        12) "$dir/renew.sh" </dev/null ;;
        13) adb reboot </dev/null ;;
        14) adb reboot recovery </dev/null ;;
        0 | "") break ;;
        *) echo "没有这个选项：$choice" ;;
    esac
done
echo
echo "再见"
exit 0
