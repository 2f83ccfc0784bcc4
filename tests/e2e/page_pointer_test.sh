#!/usr/bin/env bash
# The demo build driven with the real pointer in the X server, as a user
# would: show the window from its notification icon, change the report rate,
# a DPI stage, a stage tick, a pointer slider and tick, Apply; then check that
# the virtual mouse, config.bin and the system's pointer settings hold exactly
# that. Then Cancel throws a change away, OK lights up under the pointer, the
# background drags the window, minimise hides it and close ends the program
# without writing anything.
#
#   page_pointer_test.sh <staged demo folder>
# Needs DISPLAY and WINEPREFIX of a running session (scripts/wine-session.sh).
set -uo pipefail
stage="$1"
work="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/script_checks.sh"
byte() {  # byte <file> <offset>: the byte as a decimal number
    od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '
}
visible() { xdotool search --onlyvisible --classname trv418.exe >/dev/null 2>&1; }
hidden() { ! visible; }

cp -r "$stage/TRV418.exe" "$stage/config.bin" "$stage/str.ini" "$stage/Skins" "$work/"
# Known pointer settings for the first run to read: speed 10, 3 lines, 500 ms.
wine reg add 'HKCU\Control Panel\Mouse' /v MouseSensitivity /d 10 /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v WheelScrollLines /d 3 /f >/dev/null 2>&1
(cd "$work" && exec wine ./TRV418.exe) >/dev/null 2>&1 &
pid=$!
waitfor 20 test -s "$work/virtual-mouse.bin" || { echo "FAILED: the demo did not start"; exit 1; }
sleep 2

origin() {  # the client area's top-left corner on the screen
    local id geometry
    id=$(xdotool search --onlyvisible --classname trv418.exe | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    X=$((X + (WIDTH - 960) / 2)); Y=$((Y + (HEIGHT - 587) / 2))
}
# The pointer rests before the click: a click that comes with the motion, just
# after the window was shown, is sometimes lost on the way through Wine.
press() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.3; xdotool click 1; sleep 0.4; }
shot() { import -window root -crop "$3x$4+$((X + $1))+$((Y + $2))" rgb:- 2>/dev/null | md5sum; }

check "the icon shows the window" show_from_icon || exit 1
origin
press 367 124     # report rate 250 Hz
press 473 358     # stage 2, segment 5: level 5 of 8
press 643 549     # stage 4 loses its tick
press 858 260     # scrolling speed: 9 lines
press 664 310     # "Scroll One Screen" ticked
press 760 502     # Apply
waitfor 10 grep -q "AA CC EE DD 05" "$work/virtual-mouse-wire.log"
sleep 0.5

mouse="$work/virtual-mouse.bin"  # header 2 bytes, then the image
check "header byte 0 holds 250 Hz (4)" test "$(byte "$mouse" 0)" = 4
check "stage 2 sends 1600 dpi, ticked (0x05)" test "$(byte "$mouse" $((2 + 217)))" = 5
check "stage 4 goes with its bit 7 set" test $(($(byte "$mouse" $((2 + 219))) & 128)) = 128
check "three stages ticked" test "$(byte "$mouse" $((2 + 198)))" = 3
config="$work/config.bin"  # first-run flag, then the record
check "config.bin: applied" test "$(byte "$config" 0)" = 1
check "config.bin: 250 Hz" test "$(byte "$config" $((1 + 5)))" = 4
check "config.bin: stage 2 level index 4" test "$(byte "$config" $((1 + 8)))" = 4
check "config.bin: stage 4 off" test "$(byte "$config" $((1 + 14)))" = 0
check "config.bin: 9 scroll lines, one screen" \
    test "$(byte "$config" $((1 + 44)))-$(byte "$config" $((1 + 42)))" = 9-1
wheel=$(wine reg query 'HKCU\Control Panel\Desktop' /v WheelScrollLines 2>/dev/null | tr -d '\r')
check "the system scrolls a page per notch, kept for the next log-on" grep -q 4294967295 <<<"$wheel"

before_mouse=$(md5sum <"$mouse"); before_config=$(md5sum <"$config")
press 294 124     # 125 Hz ...
press 840 502     # ... then Cancel
check "Cancel hides the window" waitfor 5 hidden
check "Cancel reaches neither the mouse" test "$(md5sum <"$mouse")" = "$before_mouse"
check "nor config.bin" test "$(md5sum <"$config")" = "$before_config"

show_from_icon || exit 1; origin
xdotool mousemove $((X + 400)) $((Y + 160)); sleep 0.6
normal=$(shot 611 492 105 21)
xdotool mousemove $((X + 650)) $((Y + 502)); sleep 0.6
over=$(shot 611 492 105 21)
xdotool mousemove $((X + 400)) $((Y + 160)); sleep 0.6
back=$(shot 611 492 105 21)
check "OK changes its look under the pointer" test "$normal" != "$over"
check "and is normal again over the background" test "$normal" = "$back"

oldX=$X; oldY=$Y
xdotool mousemove $((X + 150)) $((Y + 120)); sleep 0.3
xdotool mousedown 1; sleep 0.3
xdotool mousemove $((X + 120)) $((Y + 100)); sleep 0.3
xdotool mousemove $((X + 90)) $((Y + 80)); sleep 0.3
xdotool mouseup 1; sleep 0.6
origin
check "the background drags the window" test "$((X - oldX)),$((Y - oldY))" = "-60,-40"

press 930 25
check "minimise hides the window" waitfor 5 hidden
check "and the program stays" kill -0 "$pid"

show_from_icon || exit 1; origin
press 294 124     # a change that must not be written
press 951 25      # close
ended() { ! ps -o stat= -p "$pid" | grep -qv Z; }  # gone, or only waiting to be reaped
waitfor 30 ended
if ended; then wait "$pid"; code=$?; else code=running; fi
check "close ends the program with code 0 (got $code)" test "$code" = 0
check "close writes nothing to the mouse" test "$(md5sum <"$mouse")" = "$before_mouse"
check "nor to config.bin" test "$(md5sum <"$config")" = "$before_config"

summary
