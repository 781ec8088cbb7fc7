#!/bin/sh
# One step on the phone for the companion scripts, which source this file: phone_step runs one adb
# command, shows the phone's answer, and notes whether the step worked, failed or was skipped;
# phone_steps_end sums up. The answers are judged here alone (phone_step.bat, its twin, names the
# Android sources of the words it looks for).
#   phone_step adb shell pm enable PACKAGE   a step, named by the command's last word (the package
#                                            or folder); returns 0 done, 2 failed, 3 skipped
#   phone_steps_end                          says what failed in the last line; returns the
#                                            script's exit code 0, 2 or 3 (see check_phone.sh)
steps_done=
steps_failed=
steps_skipped=

# A step failed when adb exits non-zero or the phone's answer says so: phones and adb without the
# shell protocol (before Android 7) always exit 0, so the words count as well. "not installed for"
# (pm uninstall) and "doesn't exist" (pm install-existing) mean there is nothing to do, so the step
# is skipped: the lists cover Huawei's and Honor's models alike, and every phone lacks some of them.
phone_step() {
    for step_word in "$@"; do step_target=$step_word; done
    step_answer=$("$@" 2>&1 </dev/null)
    step_code=$?
    step_answer=$(printf '%s\n' "$step_answer" | tr -d '\r')
    [ -n "$step_answer" ] && printf '%s\n' "$step_answer"
    if printf '%s\n' "$step_answer" | grep -qi '^Failure \[not installed for'; then
        echo "（跳过：当前用户已经没有 $step_target）"
        steps_skipped="$steps_skipped $step_target"
        return 3
    fi
    if printf '%s\n' "$step_answer" | grep -q "doesn't exist"; then
        echo "（跳过：手机上没有 $step_target）"
        steps_skipped="$steps_skipped $step_target"
        return 3
    fi
    if [ "$step_code" -ne 0 ] ||
        printf '%s\n' "$step_answer" | grep -qi -e '^Failure' -e '^Error' -e '^rm: ' -e 'exception'; then
        steps_failed="$steps_failed $step_target"
        return 2
    fi
    steps_done=1
    return 0
}

phone_steps_end() {
    if [ -n "$steps_failed" ]; then
        echo
        echo "以下操作未成功：${steps_failed# }"
        return 2
    fi
    if [ -z "$steps_done" ] && [ -n "$steps_skipped" ]; then
        echo
        echo "本次没有做任何改动：手机上没有这些应用，或当前用户已经没有它们：${steps_skipped# }"
        return 3
    fi
    return 0
}
