#!/usr/bin/env bash
# Profiles and backups from the notification icon's menu on the demo build,
# with the real pointer and keyboard: the applied settings saved as "FPS"
# through the Save dialog, the report rate changed on the page and applied,
# then "FPS" picked from the menu: the virtual mouse, config.bin and str.ini
# hold what they held when it was saved, and the balloon names it. Then a
# backup to a file, a change, and a restore: the mouse and config.bin are as
# backed up, and the page shows it.
#
#   profiles_test.sh <staged demo folder> <balloon_text.exe>
# Needs DISPLAY and WINEPREFIX of a running session (scripts/wine-session.sh).
set -uo pipefail
stage="$1"
balloon_probe="$2"
work="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/script_checks.sh"
byte() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
sum() { md5sum <"$1"; }
# Checked anew on every round of a wait, unlike an argument expanded once.
holds() { test "$(sum "$1")" = "$2"; }
byte_is() { test "$(byte "$1" "$2")" = "$3"; }
grown() { test "$(wc -l <"$1")" -gt "$2"; }
visible() { xdotool search --onlyvisible --classname trv418.exe >/dev/null 2>&1; }
titled() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
balloon_says() { wine "$balloon_probe" 2>/dev/null | tr -d '\r' | grep -qF "$1"; }
origin() {
    local id
    id=$(xdotool search --onlyvisible --classname trv418.exe | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    X=$((X + (WIDTH - 960) / 2)); Y=$((Y + (HEIGHT - 587) / 2))
}
press() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.3; xdotool click 1; sleep 0.4; }
shot() { import -window root -crop "$3x$4+$((X + $1))+$((Y + $2))" rgb:- 2>/dev/null | md5sum; }
# The icon's menu by the pointer, then its items by keys: Down to the first
# item (Profiles), Right into its submenu, and so on.
menu() {
    xdotool mousemove "$icon" 32; sleep 0.3; xdotool click 3; sleep 0.8
    local k
    for k in "$@"; do xdotool key "$k"; sleep 0.3; done
}
# A file dialog of that title: its name field takes the keys once the X
# server gives it the focus (Xvfb has no window manager to do so). A path is
# typed whole, so that the dialog's first folder does not matter.
in_dialog() {
    waitfor 15 titled "$1" || return 1
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$1\$" | head -n1)"
    sleep 0.3
    xdotool key ctrl+a; xdotool type --delay 20 "$2"; sleep 0.2; xdotool key Return
}

cp -r "$stage/TRV418.exe" "$stage/config.bin" "$stage/str.ini" "$stage/Skins" "$work/"
(cd "$work" && exec wine ./TRV418.exe) >/dev/null 2>&1 &
pid=$!
waitfor 20 test -s "$work/virtual-mouse.bin" || { echo "FAILED: the demo did not start"; exit 1; }
sleep 2
mouse="$work/virtual-mouse.bin"; config="$work/config.bin"; wire="$work/virtual-mouse-wire.log"
wpath() { winepath -w "$1" 2>/dev/null; }

# Which of the tray's icons is ours: the one whose click shows the window.
icon=""
for x in 11 31 51 71 91 111; do
    xdotool mousemove "$x" 32 click 1
    if waitfor 3 visible; then icon=$x; break; fi
done
check "the icon shows the window" test -n "$icon" || exit 1
sleep 0.6; origin
press 760 502  # Apply: what config.bin holds goes to the mouse
waitfor 10 byte_is "$config" 0 1
sleep 1
applied_mouse=$(sum "$mouse"); applied_config=$(sum "$config"); applied_str=$(sum "$work/str.ini")
rate=$(byte "$mouse" 0)

menu Down Right Up Up Return  # Profiles > Save current settings as...
check "the Save dialog takes the name FPS" in_dialog "Save current settings as" "FPS"
check "FPS.ini is in the new Profiles folder" waitfor 10 test -s "$work/Profiles/FPS.ini"
check "the balloon says it was saved" \
    waitfor 5 balloon_says 'The current settings were saved as profile "FPS".'

press 294 124  # 125 Hz
press 760 502  # Apply
check "the page's Apply sends 125 Hz" waitfor 10 byte_is "$mouse" 0 8
frames=$(wc -l <"$wire")

menu Down Right Return  # Profiles > FPS, the first and only one
check "picking FPS writes the mouse again" waitfor 10 grown "$wire" "$frames"
sleep 1
check "the mouse holds the FPS block again (rate $rate)" test "$(sum "$mouse")" = "$applied_mouse"
check "config.bin is as it was saved" test "$(sum "$config")" = "$applied_config"
check "str.ini is as it was saved" test "$(sum "$work/str.ini")" = "$applied_str"
check "the balloon names FPS" waitfor 5 balloon_says 'Profile "FPS" is on the mouse now.'
check "the FPS file is unchanged: the profile format" grep -q '^Format=1' "$work/Profiles/FPS.ini"

origin
rate_look=$(shot 280 112 300 26)
menu Down Down Return  # Back up...
check "the Save dialog takes the backup's path" in_dialog "Back up" "$(wpath "$work")\\b.trvb"
check "the backup is written" waitfor 10 test -s "$work/b.trvb"
check "it is a whole-configuration backup" test "$(head -c 4 "$work/b.trvb")" = TRVB

press 294 124  # 125 Hz again
press 760 502
waitfor 10 byte_is "$mouse" 0 8
check "the change reached the mouse" test "$(sum "$mouse")" != "$applied_mouse"

menu Down Down Down Return  # Restore...
check "the Open dialog takes the backup" in_dialog "Restore" "$(wpath "$work")\\b.trvb"
check "the mouse is as backed up" waitfor 10 holds "$mouse" "$applied_mouse"
sleep 1
check "config.bin is as backed up" test "$(sum "$config")" = "$applied_config"
origin
check "the page shows the backed-up rate" test "$(shot 280 112 300 26)" = "$rate_look"
check "the program runs on" kill -0 "$pid"

summary
