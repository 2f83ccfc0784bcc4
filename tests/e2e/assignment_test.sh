#!/usr/bin/env bash
# Button assignment on the demo build with the real pointer and keyboard:
# button 3's list with the DPI sub-list beside "DPI Switch", a fire key from
# its dialog with a repeat count typed in, a single key captured by pressing
# it, a hot key in Mode B, Apply; then the virtual mouse holds exactly the
# pairs these choices encode and str.ini the new labels.
#
#   assignment_test.sh <staged demo folder>
# Needs DISPLAY and WINEPREFIX of a running session (scripts/wine-session.sh).
set -uo pipefail
stage="$1"
work="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/script_checks.sh"
byte() { od -An -tx1 -j "$2" -N1 "$1" | tr -d ' '; }
windows() { xdotool search --onlyvisible --classname trv418.exe 2>/dev/null; }
visible() { [ -n "$(windows)" ]; }
# The client area's top-left corner of the visible window of the given
# client height (587 the page; the dialogs are smaller).
origin() {
    local id
    for id in $(windows); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ $(( (HEIGHT - $1) / 2 )) -ge 0 ] && [ $(( (HEIGHT - $1) / 2 )) -le 2 ]; then
            X=$((X + (WIDTH - $2) / 2)); Y=$((Y + (HEIGHT - $1) / 2))
            return 0
        fi
    done
    return 1
}
dialog() { waitfor 10 origin "$1" "$2"; }
press() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.5; xdotool click 1; sleep 0.6; }
hover() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.6; }
shot() { import -window root -crop "$3x$4+$((X + $1))+$((Y + $2))" rgb:- 2>/dev/null | md5sum; }
item() { echo $(($1 + 14 * $2 + 7)); }  # the middle of item n of a list at top $1

cp -r "$stage/TRV418.exe" "$stage/config.bin" "$stage/str.ini" "$stage/Skins" "$work/"
(cd "$work" && exec wine ./TRV418.exe) >/dev/null 2>&1 &
pid=$!
waitfor 20 test -s "$work/virtual-mouse.bin" || { echo "FAILED: the demo did not start"; exit 1; }
sleep 2
show_from_icon
if ! check "the icon shows the window" dialog 587 960; then
    for id in $(windows); do  # what showed instead, for the log
        echo "visible: \"$(xdotool getwindowname "$id")\" $(xdotool getwindowgeometry "$id" | tr '\n' ' ')"
    done
    exit 1
fi

list3=87  # button 3's list: 230, 87, 330, 313
press 100 300
hover 262 "$(item $list3 3)"
without=$(shot 331 "$(item $list3 5)" 60 40)
hover 262 "$(item $list3 5)"
with=$(shot 331 "$(item $list3 5)" 60 40)
check "the DPI sub-list shows beside DPI Switch" test "$without" != "$with"

press 262 "$(item $list3 9)"          # Fire Key
check "Fire Key opens its dialog" dialog 288 446
press 120 77                          # the key list's box
press 120 "$(item 87 5)"              # "A"
press 140 111                         # the repeat count: replace what is there
xdotool key --delay 60 End BackSpace BackSpace BackSpace; sleep 0.2
xdotool type --delay 80 "12"; sleep 0.3
press 218 263                         # OK
waitfor 10 origin 587 960

press 100 323                         # button 4's list: 230, 110
press 262 "$(item 110 10)"            # Single Key
check "Single Key opens its dialog" dialog 288 380
xdotool key --delay 100 b; sleep 0.5
xdotool key Return; sleep 0.5
check "Enter is captured and does not close the dialog" origin 288 380
xdotool key --delay 100 b; sleep 0.5
press 218 263                         # OK
waitfor 10 origin 587 960

press 130 207                         # Mode B
press 100 346                         # button 5's list: 230, 133
press 262 "$(item 133 8)"             # HotKey
check "HotKey opens its dialog" dialog 296 380
press 100 136                         # the list's box
press 100 "$(item 146 1)"             # "Cut"
press 218 263                         # OK
waitfor 10 origin 587 960

press 760 502                         # Apply
waitfor 10 grep -q "AA CC EE DD 05" "$work/virtual-mouse-wire.log"
sleep 0.5
mouse="$work/virtual-mouse.bin"  # two header bytes, then the image
pair() { echo "$(byte "$mouse" $((2 + $1)))$(byte "$mouse" $((3 + $1)))"; }
check "Mode A button 3: fire key A, 12 times (04 8c)" test "$(pair $((128 + 4)))" = 048c
check "Mode A button 4: single key B (05 00)" test "$(pair $((128 + 6)))" = 0500
check "Mode B button 5, in slot 4: hot key Cut (11 02)" test "$(pair $((160 + 6)))" = 1102
check "Mode B button 3 untouched: middle click (f2 00)" test "$(pair $((160 + 4)))" = f200
labels=$(iconv -f UTF-16 -t UTF-8 "$work/str.ini" | tr -d '\r')
check "str.ini: Item3=Fire Key-A" grep -qx "Item3=Fire Key-A" <<<"$labels"
check "str.ini: Item4=Single Key-B" grep -qx "Item4=Single Key-B" <<<"$labels"
check "str.ini: Item53=Cut" grep -qx "Item53=Cut" <<<"$labels"

press 951 25  # close
summary
