#!/bin/sh
# The closing pause the companion scripts share: a window opened by a button closes with the
# script, so stop first, so that the user can read the result. Inside the command edition's menu
# (PELLUCOR_MENU), which shows its next prompt, go straight on.
#   "$dir/pause_before_closing.sh"   always exits 0: callers keep their own exit code first
[ -n "${PELLUCOR_MENU:-}" ] && exit 0
echo
echo "按任意键关闭此窗口…"
read -r key || true
exit 0
