#!/usr/bin/env bash
# The demo build's page driven with the real keyboard in the X server, and
# nothing but keys once the window is shown from its icon: Tab to the report
# rate, 250 Hz with the arrows, Tab to Apply, Space; the virtual mouse then
# holds 250 Hz. Escape hides the window.
#
#   page_keyboard_test.sh <staged demo folder>
# Needs DISPLAY and WINEPREFIX of a running session (scripts/wine-session.sh).
set -uo pipefail
stage="$1"
work="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/script_checks.sh"
visible() { xdotool search --onlyvisible --classname trv418.exe >/dev/null 2>&1; }
hidden() { ! visible; }
keys() { xdotool key --delay 80 "$@"; sleep 0.4; }
tabs() { local n; for n in $(seq "$1"); do keys Tab; done; }

cp -r "$stage/TRV418.exe" "$stage/config.bin" "$stage/str.ini" "$stage/Skins" "$work/"
(cd "$work" && exec wine ./TRV418.exe) >/dev/null 2>&1 &
pid=$!
waitfor 20 test -s "$work/virtual-mouse.bin" || { echo "FAILED: the demo did not start"; exit 1; }
sleep 2

check "the icon shows the window" show_from_icon || exit 1
id=$(xdotool search --onlyvisible --classname trv418.exe | head -n1)
xdotool windowfocus --sync "$id"
# The pointer leaves for a corner of the screen away from the window.
xdotool mousemove 1270 1010; sleep 0.3

tabs 11                # Mode A, Mode B, seven boxes, Default, the report rate
keys Home Right        # 125 Hz, then 250 Hz
tabs 19                # on to Apply
keys space
check "Space on Apply writes the mouse" waitfor 10 grep -q "AA CC EE DD 05" "$work/virtual-mouse-wire.log"
sleep 0.5
check "the mouse holds 250 Hz (code 4)" \
    test "$(od -An -tu1 -N1 "$work/virtual-mouse.bin" | tr -d ' ')" = 4
check "Apply leaves the window shown" visible
keys Escape
check "Escape hides the window" waitfor 5 hidden

summary
