#!/usr/bin/env bash
# The single-key dialog under French (AZERTY) and German (QWERTZ) keyboards.
# Wine takes its keyboard layout from the X server's keymap when a process
# starts (LoadKeyboardLayoutW changes nothing there), so the keymap is set for
# each run and put back afterwards.
#
#   keyboard_layouts_test.sh <win_tests.exe>
# Needs DISPLAY and WINEPREFIX of a running session (scripts/wine-session.sh).
set -uo pipefail
tests="$1"
saved="$(mktemp)"
# The X server resets its keymap when its last client leaves: one stays
# connected while the layouts are tested.
xprop -root -spy >/dev/null 2>&1 &
holder=$!
trap 'xkbcomp "$saved" "$DISPLAY" >/dev/null 2>&1; kill "$holder"; rm -f "$saved"' EXIT
sleep 0.5
xkbcomp "$DISPLAY" "$saved" >/dev/null 2>&1 || { echo "FAILED: the keymap could not be read"; exit 1; }

status=0
for layout in fr de; do
    if ! setxkbmap "$layout"; then
        echo "FAILED: setxkbmap $layout"
        status=1
        continue
    fi
    TRV_KEYBOARD_LAYOUT="$layout" wine "$tests" \
        --gtest_filter='*SingleKeyDialogSendsAKeyByItsPosition*' || status=1
done
exit $status
